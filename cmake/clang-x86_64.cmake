# Cross toolchain: 64-bit Windows through clang (x86_64-w64-windows-gnu) and
# lld, on the MinGW-w64 headers and import libraries and the GCC runtime
# (libstdc++, libgcc) of the MinGW-w64 g++ packages.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUORVEX_TRIPLET x86_64-w64-mingw32)
set(QUORVEX_CLANG_TARGET x86_64-w64-windows-gnu)

find_program(CMAKE_C_COMPILER NAMES clang REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++ REQUIRED)
set(CMAKE_C_COMPILER_TARGET ${QUORVEX_CLANG_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${QUORVEX_CLANG_TARGET})
find_program(CMAKE_RC_COMPILER NAMES ${QUORVEX_TRIPLET}-windres REQUIRED)
find_program(QUORVEX_LLD NAMES ld.lld REQUIRED)

# The MinGW-w64 headers and libraries. Without a sysroot clang would take
# /usr as the MinGW root and search the host's /usr/include.
set(CMAKE_SYSROOT /usr/${QUORVEX_TRIPLET})

# clang cannot find Debian's GCC runtime by itself: its folder is named
# after the version and the thread model ("12-win32"), which clang does not
# read as a version. Ask that GCC where its runtime is.
find_program(QUORVEX_RUNTIME_GCC NAMES ${QUORVEX_TRIPLET}-gcc-posix ${QUORVEX_TRIPLET}-gcc
  REQUIRED)
execute_process(COMMAND ${QUORVEX_RUNTIME_GCC} -print-file-name=libstdc++.a
  OUTPUT_VARIABLE QUORVEX_LIBSTDCXX OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
get_filename_component(QUORVEX_GCC_RUNTIME_DIR ${QUORVEX_LIBSTDCXX} DIRECTORY)
set(QUORVEX_CXX_HEADERS ${QUORVEX_GCC_RUNTIME_DIR}/include/c++)
if(NOT EXISTS ${QUORVEX_CXX_HEADERS}/${QUORVEX_TRIPLET}/bits/c++config.h)
  message(FATAL_ERROR "No MinGW-w64 libstdc++ headers in ${QUORVEX_CXX_HEADERS}")
endif()

set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${QUORVEX_CXX_HEADERS} ${QUORVEX_CXX_HEADERS}/${QUORVEX_TRIPLET}
  ${QUORVEX_CXX_HEADERS}/backward)
# -B: the start and end objects (crtbegin.o, crtend.o); -L: libstdc++ and
# libgcc; -pthread: the POSIX threads library that runtime is built on, which
# GCC's driver adds by itself.
set(QUORVEX_LINK_FLAGS "--ld-path=${QUORVEX_LLD} -B${QUORVEX_GCC_RUNTIME_DIR} -L${QUORVEX_GCC_RUNTIME_DIR} -pthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT ${QUORVEX_LINK_FLAGS})
set(CMAKE_SHARED_LINKER_FLAGS_INIT ${QUORVEX_LINK_FLAGS})
set(CMAKE_MODULE_LINKER_FLAGS_INIT ${QUORVEX_LINK_FLAGS})

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVEX_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
