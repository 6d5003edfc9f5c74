# Puts the page together (cmake -P): each piece read, its source-map line
# dropped (the page has no files beside it), checked to hold nothing that
# would end its <script> or <style> early, and set into seite.html.in.
function(stueck name datei)
  file(READ ${datei} text)
  string(REGEX REPLACE "\n//# sourceMappingURL=[^\n]*" "" text "${text}")
  string(TOLOWER "${text}" klein)
  string(FIND "${klein}" "</script" a)
  string(FIND "${klein}" "</style" b)
  if(NOT a EQUAL -1 OR NOT b EQUAL -1)
    message(FATAL_ERROR "${datei} holds </script or </style and cannot be put into the page")
  endif()
  set(${name} "${text}" PARENT_SCOPE)
endfunction()

stueck(xtermcss ${pakete}/@xterm/xterm/css/xterm.css)
stueck(xtermjs ${pakete}/@xterm/xterm/lib/xterm.js)
stueck(fitjs ${pakete}/@xterm/addon-fit/lib/addon-fit.js)
stueck(programmjs ${programm})
stueck(seitejs ${quelle}/seite.js)
file(READ ${pakete}/@xterm/xterm/LICENSE xtermlizenz)
string(REPLACE "--" "- -" xtermlizenz "${xtermlizenz}")   # inside an HTML comment

file(READ ${quelle}/seite.html.in seite)
foreach(name xtermlizenz xtermcss xtermjs fitjs programmjs seitejs version)
  string(REPLACE "@${name}@" "${${name}}" seite "${seite}")
endforeach()
file(WRITE ${ziel} "${seite}")
