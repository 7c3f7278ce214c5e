# The setup program of this build's Quorvex.exe (installer/quorvex.nsi, made
# by NSIS's makensis), beside the program in bin/: Quorvex-<version>-setup.exe
# for the 32-bit program, Quorvex-<version>-win64-setup.exe for the 64-bit one.
# The presets of the two shipped programs switch it on; scripts/check-setup
# checks each one as it is made.
option(QUORVEX_SETUP "Build the setup program (needs makensis)" OFF)
if(NOT QUORVEX_SETUP OR NOT TARGET Quorvex)
  return()
endif()

find_program(QUORVEX_MAKENSIS makensis)
if(NOT QUORVEX_MAKENSIS)
  message(FATAL_ERROR "makensis is missing: run scripts/bootstrap (Debian package nsis)")
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(setup_arch win64)
  set(setup_suffix -win64)
else()
  set(setup_arch win32)
  set(setup_suffix "")
endif()
set(QUORVEX_SETUP_EXE ${PROJECT_BINARY_DIR}/bin/Quorvex-${PROJECT_VERSION}${setup_suffix}-setup.exe)
set(setup_script ${PROJECT_SOURCE_DIR}/installer/quorvex.nsi)

add_custom_command(OUTPUT ${QUORVEX_SETUP_EXE}
  COMMAND ${QUORVEX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DARCH=${setup_arch}
    -DPROGRAM=$<TARGET_FILE:Quorvex> -DROOT=${PROJECT_SOURCE_DIR} -DOUTFILE=${QUORVEX_SETUP_EXE} ${setup_script}
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-setup ${QUORVEX_SETUP_EXE} ${setup_arch} ${PROJECT_VERSION}
  DEPENDS Quorvex ${setup_script} ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
    ${PROJECT_SOURCE_DIR}/resources/quorvex.ico ${PROJECT_SOURCE_DIR}/scripts/check-setup
  COMMENT "Building ${setup_arch} setup"
  VERBATIM)
add_custom_target(setup ALL DEPENDS ${QUORVEX_SETUP_EXE})
