# Cross build for the Windows console with MinGW-w64 from Debian's packages
# (g++-mingw-w64-x86-64-win32, g++-mingw-w64-i686-win32; the -posix ones for
# the unit tests, whose GoogleTest needs std::mutex). The target and the
# thread model come from the cache variables mingwziel and mingwfaden, set
# by the presets.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT mingwziel)
  set(mingwziel x86_64-w64-mingw32)
endif()
if(NOT mingwfaden)
  set(mingwfaden win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES mingwziel mingwfaden)

set(CMAKE_C_COMPILER ${mingwziel}-gcc-${mingwfaden})
set(CMAKE_CXX_COMPILER ${mingwziel}-g++-${mingwfaden})
set(CMAKE_RC_COMPILER ${mingwziel}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingwziel})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The test executables run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Each .exe runs on its own, without the compiler's runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
