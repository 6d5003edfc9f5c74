# One static binary that runs on any x86-64 Linux, whatever its C library:
# musl from Debian's musl-dev (headers, start files, libc.a), compiled by
# clang with libc++'s headers (Debian libc++-14-dev, or the one the clang in
# use comes with). The program needs nothing of a C++ runtime, so libc.a is
# all it links.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET x86_64-linux-musl)

set(muslverzeichnis /usr/lib/x86_64-linux-musl CACHE PATH "musl's start files and libc.a")
set(muslkoepfe /usr/include/x86_64-linux-musl CACHE PATH "musl's headers")
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-resource-dir
                OUTPUT_VARIABLE clangressourcen OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX MATCH "[0-9]+" clangversion "${clangressourcen}")
set(libcxxkoepfe /usr/lib/llvm-${clangversion}/include/c++/v1 CACHE PATH "libc++'s headers")

# Only these headers: the host's glibc ones must not mix in.
set(CMAKE_CXX_FLAGS_INIT "-nostdinc -isystem ${libcxxkoepfe} -isystem ${clangressourcen}/include -isystem ${muslkoepfe} -D_LIBCPP_HAS_MUSL_LIBC")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-nostdlib -static -Wno-unused-command-line-argument")
set(CMAKE_CXX_LINK_EXECUTABLE
    "<CMAKE_CXX_COMPILER> <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> ${muslverzeichnis}/crt1.o ${muslverzeichnis}/crti.o <OBJECTS> -o <TARGET> <LINK_LIBRARIES> ${muslverzeichnis}/libc.a ${muslverzeichnis}/crtn.o")
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
# A static executable: no PIE (musl-dev has no start file for a static PIE).
set(statischgelinkt ON)
