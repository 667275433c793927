# Windows looks for a DLL that is not one of its KnownDLLs in the program's
# own folder before System32, so a DLL dropped beside tallivox.exe in a
# Downloads folder would run inside it. Such DLLs are therefore imported
# through delay-import libraries: Windows loads none of them at start-up,
# and the program's entry point restricts the search to System32 before
# anything can load one.
#
# Included, this file gives tallivox_delay_load(TARGET NAME...), which links
# TARGET against a delay-import library for each import library NAME of
# MinGW-w64 (version for libversion.a and VERSION.dll, say), and fails the
# build when TARGET still imports the ordinary way a DLL that is not a
# KnownDLL. Run with -P, it makes one such library, or checks one program:
#   cmake -DNM=... -DDLLTOOL=... -DIMPORTS=libNAME.a -DNAME=NAME -DOUT=DIR -P DelayLoad.cmake
#   cmake -DOBJDUMP=... -DPROGRAM=... -P DelayLoad.cmake

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs on Windows 10
# and 11: Windows takes these from System32 alone, as it does API sets.
set(known_dlls advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32 msctf msvcrt
    normaliz nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32 shlwapi user32 wldap32 ws2_32)
if(CMAKE_SCRIPT_MODE_FILE AND DEFINED PROGRAM)
    execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE headers COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL "DLL Name: [^\n]+" imported "${headers}")
    foreach(dll IN LISTS imported)
        string(REGEX REPLACE "^DLL Name: (.*)\\.[dD][lL][lL]$" "\\1" dll "${dll}")
        string(TOLOWER "${dll}" dll)
        list(FIND known_dlls "${dll}" known)
        if(known EQUAL -1 AND NOT dll MATCHES "^api-ms-win-")
            message(FATAL_ERROR "${PROGRAM} imports ${dll}.dll, which Windows would look for beside the program "
                                "first: delay-load it (tallivox_delay_load)")
        endif()
    endforeach()
    return()
elseif(CMAKE_SCRIPT_MODE_FILE)
    # The exports are the functions MinGW's own import library names, so the
    # program calls just what the ordinary link would have; data cannot be
    # delay-loaded, and a symbol with no thunk beside its __imp_ is data.
    execute_process(COMMAND ${NM} -g --defined-only ${IMPORTS} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX MATCHALL " I __imp_[A-Za-z0-9_@]+" imports "${symbols}")
    set(def "EXPORTS\n")
    foreach(import IN LISTS imports)
        string(REPLACE " I __imp_" "" function "${import}")
        if(symbols MATCHES " T ${function}\n")
            string(APPEND def "${function}\n")
        endif()
    endforeach()
    file(WRITE ${OUT}/${NAME}.def "${def}")
    # dlltool names the library's members and symbols after the path it is
    # given: a bare name keeps the build's folder out of them.
    execute_process(COMMAND ${DLLTOOL} --input-def ${NAME}.def --dllname ${NAME}.dll --output-delaylib lib${NAME}.a
        WORKING_DIRECTORY ${OUT} COMMAND_ERROR_IS_FATAL ANY)
    return()
endif()

function(tallivox_delay_load target)
    # Found first by the linker, before MinGW's ordinary import libraries.
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/delay-imports)
    if(NOT CMAKE_DLLTOOL)
        message(FATAL_ERROR "tallivox_delay_load needs MinGW-w64's dlltool, which CMake did not find")
    endif()
    set(libraries)
    foreach(name IN LISTS ARGN)
        find_library(imports_${name} NAMES lib${name}.a REQUIRED NO_CACHE)
        add_custom_command(OUTPUT ${folder}/lib${name}.a
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL} -DIMPORTS=${imports_${name}}
                    -DNAME=${name} -DOUT=${folder} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
            DEPENDS ${imports_${name}} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
            VERBATIM)
        list(APPEND libraries ${folder}/lib${name}.a)
    endforeach()
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DPROGRAM=$<TARGET_FILE:${target}>
                -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
        VERBATIM)
    add_custom_target(${target}_delay_imports DEPENDS ${libraries})
    add_dependencies(${target} ${target}_delay_imports)
    # ld lays out import data in the order of the paths of the libraries it
    # came from. Named from the top of the build, where Ninja links, these
    # sort after the toolchain's own wherever the build stands, and the same
    # in the relinking kit: the program's bytes do not depend on the path.
    if(NOT CMAKE_GENERATOR MATCHES "Ninja")
        message(FATAL_ERROR "tallivox_delay_load needs a Ninja build, which links from the top of the build")
    endif()
    file(RELATIVE_PATH relative ${CMAKE_BINARY_DIR} ${folder})
    target_link_options(${target} BEFORE PRIVATE -L${relative})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${libraries})
endfunction()
