# CMake wants one program per tool: zighuellen(ZIEL [CPU]) writes small
# scripts that call Zig (zigprogramm) with the tool's name, the target and
# the processor, and makes them the toolchain's compiler, archiver and
# indexer. Zig's linker refuses -v, which CMake passes when it asks the
# compiler about itself.
if(NOT zigprogramm)
  find_program(zigprogramm zig REQUIRED)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES zigprogramm)

# nurcbinden: every link through c++, CMake's first one (which identifies
# the compiler) among them, goes to the C driver, static and stripped,
# with one optimisation and no compile flag. Zig builds its musl anew for
# each set of those on a link line, minutes each: so one serves every
# link, from any directory and with anyone's flags, and for a program
# that needs nothing of the C++ library Zig builds none.
function(zighuellen ziel cpu)
  set(huellen ${CMAKE_BINARY_DIR}/zig-${ziel}${cpu})
  set(zielflaggen " -target ${ziel}")
  if(cpu)
    string(APPEND zielflaggen " -mcpu=${cpu}")
  endif()
  foreach(werkzeug cc c++ ar ranlib)
    set(flaggen "")
    if(werkzeug MATCHES "^c")
      set(flaggen "${zielflaggen}")
    endif()
    set(schleife "for a; do shift; [ \"$a\" = -Wl,-v ] || set -- \"$@\" \"$a\"; done\n")
    if(werkzeug STREQUAL "c++" AND ARGV2 STREQUAL "nurcbinden")
      string(CONCAT schleife "binden=1\nfuerbinden=\n"
          "for a; do shift\n"
          "  case $a in -Wl,-v) continue ;; -c|-E|-S) binden= ;; esac\n"
          "  case $a in -f*|-D*|-U*|-W[!l]*|-g*|-O*|-std=*) ;; *) fuerbinden=\"$fuerbinden $a\" ;; esac\n"
          "  set -- \"$@\" \"$a\"\n"
          "done\n"
          "[ -n \"$binden\" ] && exec \"${zigprogramm}\" cc${flaggen} -O2 -static -s $fuerbinden\n")
    endif()
    file(WRITE ${huellen}/${werkzeug} "#!/bin/sh\n" "${schleife}" "exec \"${zigprogramm}\" ${werkzeug}${flaggen} \"$@\"\n")
    file(CHMOD ${huellen}/${werkzeug} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endforeach()
  set(CMAKE_C_COMPILER ${huellen}/cc PARENT_SCOPE)
  set(CMAKE_CXX_COMPILER ${huellen}/c++ PARENT_SCOPE)
  set(CMAKE_AR ${huellen}/ar CACHE FILEPATH "" FORCE)
  set(CMAKE_RANLIB ${huellen}/ranlib CACHE FILEPATH "" FORCE)
  set(zighuellen ${huellen} PARENT_SCOPE)
endfunction()
