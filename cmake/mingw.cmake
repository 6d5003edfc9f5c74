# Cross build for the Windows console with MinGW-w64 from Debian's packages
# (g++-mingw-w64-x86-64-win32, g++-mingw-w64-i686-win32). The target comes
# from the cache variable mingwziel, set by the presets.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT mingwziel)
  set(mingwziel x86_64-w64-mingw32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES mingwziel)

set(CMAKE_CXX_COMPILER ${mingwziel}-g++)
set(CMAKE_RC_COMPILER ${mingwziel}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${mingwziel})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Each .exe runs on its own, without the compiler's runtime DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
