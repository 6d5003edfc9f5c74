# CMake wants one program per tool: zighuellen(ZIEL [CPU]) writes small
# scripts that call Zig (zigprogramm) with the tool's name, the target and
# the processor, and makes them the toolchain's compiler, archiver and
# indexer. Zig's linker refuses -v, which CMake passes when it asks the
# compiler about itself.
if(NOT zigprogramm)
  find_program(zigprogramm zig REQUIRED)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES zigprogramm)

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
    file(WRITE ${huellen}/${werkzeug} "#!/bin/sh\nfor a; do shift; [ \"$a\" = -Wl,-v ] || set -- \"$@\" \"$a\"; done\n"
         "exec \"${zigprogramm}\" ${werkzeug}${flaggen} \"$@\"\n")
    file(CHMOD ${huellen}/${werkzeug} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  endforeach()
  set(CMAKE_C_COMPILER ${huellen}/cc PARENT_SCOPE)
  set(CMAKE_CXX_COMPILER ${huellen}/c++ PARENT_SCOPE)
  set(CMAKE_AR ${huellen}/ar CACHE FILEPATH "" FORCE)
  set(CMAKE_RANLIB ${huellen}/ranlib CACHE FILEPATH "" FORCE)
  set(zighuellen ${huellen} PARENT_SCOPE)
endfunction()
