# What the Windows build needs beyond the portable one.

# Every program carries its C++ runtime and threads: no DLL beside the .exe.
add_link_options(-static)

# GCC 12 warns of overlapping copies inside std::string's own inlined code
# (GCC bug 105329), for the mingw-w64 target only.
add_compile_options(-Wno-restrict)

# The programs sit at the top of the install folder, not in bin/.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "Where the programs are installed")

# CLI11 is header-only, but its package names the build host's /usr/include,
# which must not mix with the target's headers: the cross build takes a copy
# of CLI/ alone.
if(CMAKE_CROSSCOMPILING AND NOT TARGET CLI11::CLI11)
  find_path(KALVETRA_CLI11_INCLUDE CLI/CLI.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
            NO_DEFAULT_PATH REQUIRED)
  file(COPY ${KALVETRA_CLI11_INCLUDE}/CLI DESTINATION ${CMAKE_BINARY_DIR}/cli11)
  add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
  set_target_properties(CLI11::CLI11 PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${CMAKE_BINARY_DIR}/cli11)
endif()

# Tests run under wine in this build's own prefix, made here once, so that
# listing a test program's tests does not wait for wine's first start.
if(CMAKE_CROSSCOMPILING AND KALVETRA_BUILD_TESTS)
  set(KALVETRA_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEPREFIX=${KALVETRA_WINEPREFIX} ${PROJECT_SOURCE_DIR}/tools/wine-run.sh)
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/tools/wine-prefix.sh ${KALVETRA_WINEPREFIX}
                  COMMAND_ERROR_IS_FATAL ANY)
endif()

include(${PROJECT_SOURCE_DIR}/packaging/windows/resources.cmake)
