# Runs at installation (cmake --install, CPack): copies the Qt plugins and Qt's translations, then
# every DLL that the program, the command-line upgrader, its style and those plugins import, found by objdump. The values
# come from WindowsDeploy.cmake.

set(prefix "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

set(modules "${prefix}/styles/${SNP_STYLE_FILE}")
foreach(plugin IN LISTS SNP_QT_PLUGINS)
    get_filename_component(folder "${plugin}" DIRECTORY)
    if(EXISTS "${SNP_QT_PREFIX}/plugins/${plugin}")
        file(INSTALL "${SNP_QT_PREFIX}/plugins/${plugin}" DESTINATION "${prefix}/${folder}")
        list(APPEND modules "${prefix}/${plugin}")
    else()
        message(WARNING "Qt plugin ${plugin} is not in ${SNP_QT_PREFIX}/plugins")
    endif()
endforeach()

foreach(language IN LISTS SNP_LANGUAGES)
    foreach(catalogue qtbase qt)
        set(file "${SNP_TRANSLATIONS_DIR}/${catalogue}_${language}.qm")
        if(EXISTS "${file}")
            file(INSTALL "${file}" DESTINATION "${prefix}/translations")
        endif()
    endforeach()
endforeach()

# Windows matches DLL names in any case and CMake asks for them in lower case, while this file
# system tells Qt6Core.dll from qt6core.dll: the DLLs are looked up through lower-case links.
file(REMOVE_RECURSE "${SNP_LOOKUP_DIR}")
file(MAKE_DIRECTORY "${SNP_LOOKUP_DIR}")
foreach(dir IN LISTS SNP_DLL_DIRS)
    file(GLOB dlls "${dir}/*.dll")
    foreach(dll IN LISTS dlls)
        get_filename_component(name "${dll}" NAME)
        string(TOLOWER "${name}" lower)
        if(NOT EXISTS "${SNP_LOOKUP_DIR}/${lower}")
            file(CREATE_LINK "${dll}" "${SNP_LOOKUP_DIR}/${lower}" SYMBOLIC)
        endif()
    endforeach()
endforeach()

set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM "windows+pe")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL "objdump")
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND "${SNP_OBJDUMP}")
file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES "${prefix}/${SNP_PROGRAM_FILE}" "${prefix}/${SNP_COMMAND_FILE}"
    MODULES ${modules}
    DIRECTORIES "${SNP_LOOKUP_DIR}" "${SNP_SYSTEM_DLL_DIR}"
    PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-"
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved
    CONFLICTING_DEPENDENCIES_PREFIX conflicting)
if(unresolved)
    message(FATAL_ERROR "No DLL found for: ${unresolved} (looked in ${SNP_DLL_DIRS})")
endif()
foreach(dll IN LISTS resolved)
    string(FIND "${dll}" "${SNP_SYSTEM_DLL_DIR}" systemDll)
    if(systemDll EQUAL 0)
        continue() # part of Windows itself
    endif()
    file(REAL_PATH "${dll}" file) # the DLL under its own name, not its lower-case link
    file(INSTALL "${file}" DESTINATION "${prefix}")
endforeach()
