# The Windows archive (cpack -G ZIP) and the installer (cpack -G NSIS,
# 64-bit builds only) from the install rules: the .exe, LIESMICH.txt and
# LICENSE.txt in one folder. packaging/release names the files.
set(CPACK_PACKAGE_NAME buchstabenspiele)
set(CPACK_PACKAGE_VENDOR "the buchstabenspiele authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Drei Buchstabenspiele auf eingetippten Woertern")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)

set(CPACK_PACKAGE_INSTALL_DIRECTORY Buchstabenspiele)
# One uninstall entry whatever the version: a newer installer replaces it.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Buchstabenspiele)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_PACKAGE_NAME Buchstabenspiele)
set(CPACK_NSIS_DISPLAY_NAME Buchstabenspiele)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A Start-menu entry; a console program gets its console window from Windows.
set(CPACK_PACKAGE_EXECUTABLES buchstabenspiele Buchstabenspiele)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME buchstabenspiele.exe)
# The uninstall entry says where the program lives.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
  "WriteRegStr SHCTX \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}\" \"InstallLocation\" \"$INSTDIR\"")
# The uninstaller removes the vendor's key too, which CPack's leaves empty.
set(CPACK_NSIS_DEFINES "Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd")
# Without the files' times: the same bytes from every build.
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "SetDateSave off")

# A 64-bit installer: the default stub is 32-bit, which 64-bit-only hosts
# cannot start. Its Target must be the script's first command: makensis
# resolves $PROGRAMFILES64 in InstallDir for the target set at that point,
# and for a 32-bit one that is "Program Files (x86)" on every Windows that
# also runs 32-bit programs. CPack writes CPACK_NSIS_DEFINES after
# InstallDir, so the line goes into a copy of CPack's own template, right
# behind its byte-order mark.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(vorlage ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
  file(READ ${vorlage} kopf LIMIT 3 HEX)
  if(NOT kopf STREQUAL "efbbbf")
    message(FATAL_ERROR "${vorlage} does not begin with a byte-order mark: the installer's Target has no place")
  endif()
  file(READ ${vorlage} text)
  string(SUBSTRING "${text}" 0 3 bom)
  string(SUBSTRING "${text}" 3 -1 text)
  # An older version in another folder (the 32-bit one, or a /D= folder) is
  # uninstalled in place, where its uninstaller cannot remove itself: the
  # installer removes it and the folder, if nothing else is left in it.
  set(altentfernen [=[  ExecWait '"$0" /S _?=$3' ;Do not copy the uninstaller to a temp file]=])
  string(FIND "${text}" "${altentfernen}" stelle)
  if(stelle EQUAL -1)
    message(FATAL_ERROR "${vorlage}: the uninstall of an older version is not where it was")
  endif()
  string(REPLACE "${altentfernen}" "${altentfernen}\n  Delete \"$0\"\n  RMDir \"$3\"" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in "${bom}Target amd64-unicode\n${text}")
  set(CPACK_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)
endif()
set(CPACK_VERBATIM_VARIABLES ON)   # the texts above reach NSIS as written
include(CPack)
