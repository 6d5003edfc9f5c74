# Cross build for ARM Linux with Debian's cross compilers
# (g++-aarch64-linux-gnu, g++-arm-linux-gnueabihf), run under qemu-user
# (Debian qemu-user). The target comes from the cache variable armziel,
# set by the presets; qemuprogramm is its emulator.
set(CMAKE_SYSTEM_NAME Linux)
if(NOT armziel)
  set(armziel aarch64-linux-gnu)
endif()
if(NOT qemuprogramm)
  set(qemuprogramm qemu-aarch64)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES armziel qemuprogramm)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${armziel})

set(CMAKE_C_COMPILER ${armziel}-gcc)
set(CMAKE_CXX_COMPILER ${armziel}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${armziel})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests, and the programs they start, run under the emulator with the
# target's libraries. Those come first: where the target's own C library
# is installed as well (dpkg --add-architecture; the arm64 package's build
# needs it), the loader would find it through the host's cache and mix
# two versions of one C library, and a fork then hangs.
set(CMAKE_CROSSCOMPILING_EMULATOR ${qemuprogramm} -L /usr/${armziel} -E LD_LIBRARY_PATH=/usr/${armziel}/lib)
