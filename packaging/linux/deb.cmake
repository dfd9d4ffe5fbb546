# The Debian package, made by CPack's DEB generator in the build folder (tools/package runs
# `cpack -G DEB`): snpupgrader_<version>-<release>_<architecture>.deb. The program and the
# style plugin are installed by their own folders (the plugin into Qt's own styles folder);
# this adds the desktop entry, the AppStream metadata, the icons, the manual page, the copyright
# file and the changelog, and the package's settings. Only for Linux builds; the Windows
# installer's settings live beside it.

include(GNUInstallDirs)
set(SNP_APP_ID io.corvane.SNPUpgrader)
set(SNP_PACKAGE_NAME snpupgrader)
set(SNP_PACKAGE_RELEASE 1)
set(SNP_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(SNP_ICONS_DIR ${CMAKE_CURRENT_LIST_DIR}/../icons)

# Folders 755 and files 644 whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(FILES ${SNP_PACKAGING_DIR}/${SNP_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SNP_PACKAGING_DIR}/${SNP_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${SNP_ICONS_DIR}/${SNP_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${SNP_ICONS_DIR}/${size}x${size}/${SNP_APP_ID}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The changelog and the manual page go compressed, without name or time stamp in the gzip
# header, so that the same sources give the same package.
set(SNP_PACKAGE_DOCS ${CMAKE_BINARY_DIR}/packaging)
set(snp_compressed)
foreach(pair "changelog:changelog.Debian" "SNPUpgrader.1:SNPUpgrader.1"
        "snp300-upgrade.1:snp300-upgrade.1")
    string(REPLACE ":" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    add_custom_command(OUTPUT ${SNP_PACKAGE_DOCS}/${target}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${SNP_PACKAGING_DIR}/${source}
            ${SNP_PACKAGE_DOCS}/${target}
        COMMAND gzip -9 -n -f ${SNP_PACKAGE_DOCS}/${target}
        DEPENDS ${SNP_PACKAGING_DIR}/${source}
        VERBATIM)
    list(APPEND snp_compressed ${SNP_PACKAGE_DOCS}/${target}.gz)
endforeach()
add_custom_target(package_docs ALL DEPENDS ${snp_compressed})
install(FILES ${SNP_PACKAGE_DOCS}/SNPUpgrader.1.gz ${SNP_PACKAGE_DOCS}/snp300-upgrade.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${SNP_PACKAGING_DIR}/copyright ${SNP_PACKAGE_DOCS}/changelog.Debian.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${SNP_PACKAGE_NAME})

execute_process(COMMAND dpkg --print-architecture
    OUTPUT_VARIABLE SNP_DEB_ARCHITECTURE OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT SNP_DEB_ARCHITECTURE)
    set(SNP_DEB_ARCHITECTURE amd64)
endif()
set(SNP_DEB_FILE_NAME
    "${SNP_PACKAGE_NAME}_${PROJECT_VERSION}-${SNP_PACKAGE_RELEASE}_${SNP_DEB_ARCHITECTURE}.deb")

# Packages are made from a finished build (tools/package builds first; the package test runs
# after the build), so installing skips re-checking every target of the tree, which with the
# tests and tools takes half a minute.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${SNP_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Corvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "SNP300 team <dev@corvane.invalid>")
set(CPACK_STRIP_FILES ON)
# The plugin goes into Qt's own folder, an absolute path: the whole installation is staged
# under DESTDIR with /usr as its prefix.
set(CPACK_SET_DESTDIR ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME ${SNP_DEB_FILE_NAME})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${SNP_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${SNP_DEB_ARCHITECTURE})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "firmware upgrader for the SNP300 over its serial port
SNP300 Upgrader connects to the SNP300 over its serial port, reads its
application and bootloader versions, asks the firmware server which images
exist and, once the operator has confirmed, programs the newer image into the
device, its bootloader first when that is needed.

For production lines, snp300-upgrade does the same from the command line, on
several devices side by side, with exit statuses and JSON output for test
fixtures.

The package also installs the Qt style CorvaneStyle (themes corvane, sextant
and tidegauge) into Qt's styles folder, where every Qt application finds it.")
# The libraries it links, as dpkg-shlibdeps finds them; Qt's translations make OK and Cancel
# speak the window's language.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(SNP_QT_MAJOR STREQUAL "5")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qttranslations5-l10n)
else()
    # Qt 6 keeps its platform plugins (the window's connection to the desktop) apart.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
endif()

# The Chinese and Japanese texts need a CJK font, which such a desktop has already.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fonts-noto-cjk | fonts-wqy-microhei")

include(CPack)
