# Windows program: the Win32 glue, the toolkit, the executable and its resources.
# Included from the top-level list when building for Windows (MinGW-w64 GCC or
# clang, cross-compiled or on MSYS2).

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600)
# Each function and object in its own section, so that the linker can leave
# out what the program never references.
set(QUORVEX_SIZE_OPTIONS -ffunction-sections -fdata-sections)
add_compile_options(${QUORVEX_SIZE_OPTIONS})
# The core library is created before this file is read.
target_compile_options(quorvex_core PRIVATE ${QUORVEX_SIZE_OPTIONS})
# Static runtime: the program needs nothing beyond the Windows system DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)

# JPEG_ROOT names the libjpeg-turbo install; a cross build only searches below
# its find roots, so the install becomes one of them.
if(JPEG_ROOT AND CMAKE_CROSSCOMPILING)
  list(APPEND CMAKE_FIND_ROOT_PATH ${JPEG_ROOT})
endif()
# The static library even where an import library for a libjpeg DLL sits
# next to it (packaged builds install both): the program stays one file.
set(quorvex_suffixes ${CMAKE_FIND_LIBRARY_SUFFIXES})
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
find_package(JPEG REQUIRED)
set(CMAKE_FIND_LIBRARY_SUFFIXES ${quorvex_suffixes})

set(QUORVEX_WIN_SOURCES)
foreach(folder IN LISTS QUORVEX_FOLDERS)
  file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${folder}/*_win.cpp)
  list(APPEND QUORVEX_WIN_SOURCES ${found})
endforeach()
file(GLOB toolkit_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/toolkit/*.cpp)
list(APPEND QUORVEX_WIN_SOURCES ${toolkit_sources})
set(QUORVEX_ENTRY ${PROJECT_SOURCE_DIR}/src/app/main_win.cpp)
# Linked into the program itself, not the library: a definition in a library
# member would come too late to replace the C++ runtime's own handler.
set(QUORVEX_TERMINATE ${PROJECT_SOURCE_DIR}/src/app/terminate_handler_win.cpp)
list(REMOVE_ITEM QUORVEX_WIN_SOURCES ${QUORVEX_ENTRY} ${QUORVEX_TERMINATE})

add_library(quorvex_win STATIC ${QUORVEX_WIN_SOURCES})
target_compile_options(quorvex_win PRIVATE -Wall -Wextra)
# The resource identifiers are shared by the .rc script and the code.
target_include_directories(quorvex_win PUBLIC ${PROJECT_SOURCE_DIR}/resources)
target_link_libraries(quorvex_win PUBLIC quorvex_core JPEG::JPEG
  user32 gdi32 shell32 ole32 oleaut32 uuid comctl32 comdlg32 imm32 advapi32 uxtheme shlwapi msimg32 psapi winhttp)

# Resources: windres finds the images through the include path; the version
# comes from the project version. The flags must be set before any target with
# an .rc source is created.
set(QUORVEX_RC ${PROJECT_SOURCE_DIR}/resources/quorvex.rc)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${PROJECT_SOURCE_DIR}/resources -DQUORVEX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} -DQUORVEX_VERSION_MINOR=${PROJECT_VERSION_MINOR} -DQUORVEX_VERSION_PATCH=${PROJECT_VERSION_PATCH} -DQUORVEX_VERSION_TEXT=${PROJECT_VERSION}")
# The .rc names its images only as strings, so CMake cannot see them: list
# every file under resources/ so that changing any of them rebuilds the .rc.
file(GLOB_RECURSE QUORVEX_RESOURCE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
list(REMOVE_ITEM QUORVEX_RESOURCE_FILES ${QUORVEX_RC})
set_source_files_properties(${QUORVEX_RC} PROPERTIES OBJECT_DEPENDS "${QUORVEX_RESOURCE_FILES}")

if(EXISTS ${QUORVEX_ENTRY})
  add_executable(Quorvex WIN32 ${QUORVEX_ENTRY} ${QUORVEX_TERMINATE} ${QUORVEX_RC})
  target_link_libraries(Quorvex PRIVATE quorvex_win)
  # One self-contained file: drop unreferenced sections and the symbols.
  target_link_options(Quorvex PRIVATE -municode -s -Wl,--gc-sections)
  target_compile_definitions(Quorvex PRIVATE
    QUORVEX_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
    QUORVEX_VERSION_MINOR=${PROJECT_VERSION_MINOR}
    QUORVEX_VERSION_PATCH=${PROJECT_VERSION_PATCH})
  set_target_properties(Quorvex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
endif()
