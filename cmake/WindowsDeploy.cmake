# What a Windows installation holds besides the program and its style: the DLLs they load (Qt's,
# MinGW's runtime), the Qt plugins they need (platform, image formats, icon engine, TLS) and Qt's
# own translations of the languages the program speaks. The DLLs are found by following the
# imports of every installed binary with MinGW's objdump, so nothing here lists them by hand.

# MinGW's runtime (libstdc++, libgcc_s, winpthread) lives beside the cross compiler.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
    OUTPUT_VARIABLE SNP_MINGW_STDCXX OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(SNP_MINGW_GCC_DIR "${SNP_MINGW_STDCXX}" DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
    OUTPUT_VARIABLE SNP_MINGW_PTHREAD OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(SNP_MINGW_LIB_DIR "${SNP_MINGW_PTHREAD}" DIRECTORY)

# Windows' own DLLs are resolved against Wine's copies and then left out, so that a DLL that
# is found nowhere is a real gap and stops the installation.
set(SNP_WINDOWS_SYSTEM_DLL_DIR /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)

set(SNP_QT_PLUGINS
    platforms/qwindows.dll
    imageformats/qsvg.dll
    imageformats/qico.dll
    iconengines/qsvgicon.dll
    tls/qschannelbackend.dll)

set(SNP_QT_TRANSLATIONS_DIR /usr/share/qt6/translations CACHE PATH
    "Qt's own translations (qtbase_xx.qm) shipped beside the program")

# Qt's DLLs are in bin/ of its installation, its plugins in plugins/.
install(CODE "
    set(SNP_QT_BIN_DIR \"$<TARGET_FILE_DIR:Qt6::Core>\")
    get_filename_component(SNP_QT_PREFIX \"\${SNP_QT_BIN_DIR}\" DIRECTORY)
    set(SNP_QT_PLUGINS \"${SNP_QT_PLUGINS}\")
    set(SNP_DLL_DIRS \"\${SNP_QT_BIN_DIR};${SNP_MINGW_GCC_DIR};${SNP_MINGW_LIB_DIR}\")
    set(SNP_LOOKUP_DIR \"${CMAKE_BINARY_DIR}/dll-lookup\")
    set(SNP_SYSTEM_DLL_DIR \"${SNP_WINDOWS_SYSTEM_DLL_DIR}\")
    set(SNP_OBJDUMP \"${CMAKE_OBJDUMP}\")
    set(SNP_TRANSLATIONS_DIR \"${SNP_QT_TRANSLATIONS_DIR}\")
    set(SNP_LANGUAGES \"${SNP_LANGUAGES}\")
    set(SNP_STYLE_FILE \"$<TARGET_FILE_NAME:CorvaneStyle>\")
    set(SNP_PROGRAM_FILE \"$<TARGET_FILE_NAME:SNPUpgrader>\")
    set(SNP_COMMAND_FILE \"$<TARGET_FILE_NAME:snp300-upgrade>\")
")
install(SCRIPT "${CMAKE_CURRENT_LIST_DIR}/WindowsDeployInstall.cmake")
