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
# A 64-bit installer (the default stub is 32-bit, which 64-bit-only hosts
# cannot start), without the files' times: the same bytes from every build.
# The uninstaller removes the vendor's key too, which CPack's leaves empty.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX \"Software\\${CPACK_PACKAGE_VENDOR}\"
FunctionEnd")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS "SetDateSave off")
set(CPACK_VERBATIM_VARIABLES ON)   # the texts above reach NSIS as written
include(CPack)
