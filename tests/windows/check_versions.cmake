# Every version form project() takes gives a version block that windres
# compiles, Windows' fixed version filled with zeros where parts are missing.
# usage: cmake -DSOURCE_DIR=... -DWINDRES=... -DWORK=... -P check_versions.cmake
include(${SOURCE_DIR}/cmake/TallivoxIdentity.cmake)
include(${SOURCE_DIR}/cmake/TallivoxVersion.cmake)
set(PROJECT_SOURCE_DIR ${SOURCE_DIR})
foreach(row "1|1.00|1, 0, 0, 0" "1.01|1.01|1, 1, 0, 0" "1.2|1.02|1, 2, 0, 0" "1.2.3|1.02.3|1, 2, 3, 0"
            "1.08|1.08|1, 8, 0, 0" "1.2.3.4|1.02.3|1, 2, 3, 4")
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 given)
    list(GET row 1 shown)
    list(GET row 2 fixed)
    tallivox_version(${given})
    configure_file(${SOURCE_DIR}/resources/windows/tallivox.rc.in ${WORK}/version.rc @ONLY)
    execute_process(COMMAND ${WINDRES} ${WORK}/version.rc -O res -o ${WORK}/version.res COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${WINDRES} ${WORK}/version.res -O rc OUTPUT_VARIABLE block COMMAND_ERROR_IS_FATAL ANY)
    if(NOT block MATCHES "FILEVERSION ${fixed}\n.*\"FileVersion\", \"${shown}\"")
        message(FATAL_ERROR "project(VERSION ${given}) gave a version block without ${fixed} and ${shown}:\n${block}")
    endif()
endforeach()
message("1, 1.01, 1.2, 1.2.3, 1.08 and 1.2.3.4: each version block compiles, with its fixed and its shown version")
