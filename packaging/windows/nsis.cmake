# The Windows installer, made by CPack's NSIS generator: SNP300-Upgrader-<version>-win64.exe.
# It installs for all users under Program Files, adds a Start-menu shortcut, registers its
# uninstaller in Apps & Features, and installs and uninstalls silently with /S.

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME "SNP300 Upgrader")
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Upgrades the firmware of the SNP300 over its serial port")
set(CPACK_PACKAGE_FILE_NAME "SNP300-Upgrader-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "SNP300 Upgrader")
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "SNP300 Upgrader")
set(CPACK_PACKAGE_EXECUTABLES "SNPUpgrader;SNP300 Upgrader")
set(CPACK_RESOURCE_FILE_LICENSE "${CMAKE_CURRENT_LIST_DIR}/license.txt")
set(CPACK_STRIP_FILES ON)

set(CPACK_NSIS_PACKAGE_NAME "SNP300 Upgrader ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "SNP300 Upgrader")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MUI_ICON "${CMAKE_CURRENT_LIST_DIR}/snpupgrader.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_CURRENT_LIST_DIR}/snpupgrader.ico")
set(CPACK_NSIS_INSTALLED_ICON_NAME "SNPUpgrader.exe")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# A 64-bit installer: it writes to the 64-bit Program Files and registry, and Wine runs it.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
# An uninstaller leaves nothing behind: the folder is removed when empty.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "RMDir '$INSTDIR'")

include(CPack)
