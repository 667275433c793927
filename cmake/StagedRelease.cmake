# Run by CPack once the Windows release is staged, before the installer is
# made from it: signs the staged program when the environment names a
# certificate (Sign.cmake), then zips the staged folder, the program and its
# notices, as the portable release beside the installer, with the program's
# link time.
execute_process(COMMAND ${CPACK_TALLIVOX_CMAKE} -DFILE=${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${CPACK_NSIS_INSTALLED_ICON_NAME}
                        -P ${CPACK_TALLIVOX_SIGN}
    COMMAND_ERROR_IS_FATAL ANY)
include(${CMAKE_CURRENT_LIST_DIR}/ReproducibleZip.cmake)
# A program linked without SOURCE_DATE_EPOCH, or outside a Release build,
# has no recorded link time: the zip then carries the time it is made.
set(time "")
if(EXISTS ${CPACK_TALLIVOX_LINK_TIME})
    file(READ ${CPACK_TALLIVOX_LINK_TIME} time)
endif()
if(time STREQUAL "")
    string(TIMESTAMP time %s UTC)
endif()
tallivox_zip(${CPACK_PACKAGE_DIRECTORY}/${CPACK_TALLIVOX_PORTABLE} ${CPACK_TEMPORARY_INSTALL_DIRECTORY} ${time})
