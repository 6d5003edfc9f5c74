# The program as one page, build/web/buchstabenspiele.html: the WebAssembly
# inside its JavaScript, xterm.js and its stylesheet from npm (the
# versions in package-lock.json), and seite.js, all inline, so that it
# opens from disk and asks the network for nothing.
find_program(npm npm)
if(NOT npm)
  message(FATAL_ERROR "npm is missing (Debian package npm): the page needs xterm.js from it")
endif()
set(seitenpakete ${CMAKE_CURRENT_BINARY_DIR}/seite)
file(COPY ${CMAKE_CURRENT_LIST_DIR}/package.json ${CMAKE_CURRENT_LIST_DIR}/package-lock.json DESTINATION ${seitenpakete})
if(NOT EXISTS ${seitenpakete}/node_modules/.package-lock.json OR
   ${CMAKE_CURRENT_LIST_DIR}/package-lock.json IS_NEWER_THAN ${seitenpakete}/node_modules/.package-lock.json)
  execute_process(COMMAND ${npm} ci --ignore-scripts --no-audit --no-fund WORKING_DIRECTORY ${seitenpakete}
                  RESULT_VARIABLE npmstatus OUTPUT_QUIET)
  if(NOT npmstatus EQUAL 0)
    message(FATAL_ERROR "npm ci in ${seitenpakete} failed: xterm.js could not be installed")
  endif()
endif()

# Asyncify: a key or line read awaits the page's queue. The key decoder
# reaches that wait through a function pointer, so every indirect call
# stays resumable. The module is made anew for every start.
target_link_options(buchstabenspiele PRIVATE
  -sASYNCIFY -sSINGLE_FILE=1 -sENVIRONMENT=web -sMODULARIZE=1 -sEXPORT_NAME=buchstabenspielemodul
  -sWASM_ASYNC_COMPILATION=0 -sINVOKE_RUN=0 -sEXPORTED_FUNCTIONS=_main -sEXPORTED_RUNTIME_METHODS=ccall)

set(seite ${CMAKE_BINARY_DIR}/buchstabenspiele.html)
add_custom_command(OUTPUT ${seite}
  COMMAND ${CMAKE_COMMAND} -Dprogramm=$<TARGET_FILE:buchstabenspiele> -Dpakete=${seitenpakete}/node_modules
          -Dquelle=${CMAKE_CURRENT_LIST_DIR} -Dversion=${PROJECT_VERSION} -Dziel=${seite}
          -P ${CMAKE_CURRENT_LIST_DIR}/seitebauen.cmake
  DEPENDS buchstabenspiele ${CMAKE_CURRENT_LIST_DIR}/seite.html.in ${CMAKE_CURRENT_LIST_DIR}/seite.js
          ${CMAKE_CURRENT_LIST_DIR}/seitebauen.cmake ${CMAKE_CURRENT_LIST_DIR}/package-lock.json
  VERBATIM)
add_custom_target(seite ALL DEPENDS ${seite})
