# The packages a build makes with CPack: the .deb on Linux; on Windows the
# installer, and the windows_release target that makes the whole release.
# Included by CMakeLists.txt before the tests, which name the packages.

set(CPACK_PACKAGE_NAME tallivox)
set(CPACK_PACKAGE_VERSION ${TALLIVOX_VERSION})
set(CPACK_PACKAGE_VENDOR ${TALLIVOX_VENDOR})
set(CPACK_PACKAGE_CONTACT "${TALLIVOX_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TALLIVOX_SUMMARY}")
if(WIN32)
    # A 64-bit NSIS installer from our own script, NSIS.template.in: for the
    # current user or for everyone, in English or Persian, upgrading in place.
    set(CPACK_GENERATOR NSIS)
    set(CPACK_SYSTEM_NAME win64)
    list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/resources/windows)
    # The script holds Persian text.
    set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "INPUTCHARSET UTF8")
    set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${TALLIVOX_NAME})
    set(CPACK_NSIS_PACKAGE_NAME ${TALLIVOX_NAME})
    set(CPACK_NSIS_INSTALLED_ICON_NAME tallivox.exe)
    set(CPACK_NSIS_URL_INFO_ABOUT "${TALLIVOX_HOMEPAGE}")
    set(CPACK_TALLIVOX_FIXED_VERSION ${TALLIVOX_FIXED_VERSION})
    set(CPACK_TALLIVOX_COPYRIGHT "${TALLIVOX_COPYRIGHT}")
    # The program's icon on the installer and the uninstaller, and the
    # wizard's pictures drawn from it in the window's colours: the icon on
    # the grey of the background picture above the window's dark blue.
    set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/icon.ico)
    set(CPACK_NSIS_MUI_UNIICON ${CPACK_NSIS_MUI_ICON})
    set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${PROJECT_BINARY_DIR}/installer-side.bmp)
    set(CPACK_NSIS_MUI_HEADERIMAGE ${PROJECT_BINARY_DIR}/installer-header.bmp)
    find_program(IMAGEMAGICK NAMES magick convert REQUIRED)
    set(icon ${PROJECT_SOURCE_DIR}/resources/icon.png)
    add_custom_command(OUTPUT ${CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP} ${CPACK_NSIS_MUI_HEADERIMAGE}
        COMMAND ${IMAGEMAGICK} -size 164x314 "xc:${TALLIVOX_WINDOW_COLOUR}" -fill "#F0F0F0"
                -draw "rectangle 0,0 163,199" -fill "#FFD34D" -draw "rectangle 0,200 163,203"
                "(" ${icon} -fill "#F0F0F0" -opaque white ")"
                -geometry +21+36 -composite -type TrueColor BMP3:${CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP}
        COMMAND ${IMAGEMAGICK} -size 150x57 xc:white "(" ${icon} -resize x48 ")" -gravity east -geometry +8+0
                -composite -type TrueColor BMP3:${CPACK_NSIS_MUI_HEADERIMAGE}
        DEPENDS ${icon}
        VERBATIM)
    add_custom_target(installer_pictures ALL
        DEPENDS ${CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP} ${CPACK_NSIS_MUI_HEADERIMAGE})
    # The notices name the relinking kit published beside the installer; the
    # installer shows them and installs them.
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${CPACK_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})
    set(TALLIVOX_INSTALLER ${CPACK_PACKAGE_FILE_NAME}.exe)
    set(TALLIVOX_SBOM ${CPACK_PACKAGE_FILE_NAME}.spdx.json)
    set(RELINK_KIT ${CPACK_PACKAGE_FILE_NAME}-relink-kit.zip)
    # scripts/windows says which Qt and which toolchain make the release.
    set(TALLIVOX_QT_SOURCE "" CACHE STRING "The Debian qt6-base source version the static Qt was built from")
    set(TALLIVOX_QT_OPTIONS_FILE "" CACHE FILEPATH "The options the static Qt was built with, one a line")
    set(TALLIVOX_TOOLCHAIN_FILE "" CACHE FILEPATH "The Debian source packages the release is made with, a line each")
    if(NOT TALLIVOX_QT_SOURCE)
        message(FATAL_ERROR "TALLIVOX_QT_SOURCE names no Debian qt6-base source: build with scripts/windows")
    endif()
    configure_file(resources/windows/NOTICES.txt.in NOTICES.txt @ONLY)
    set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/NOTICES.txt)
    # When the environment names a certificate (cmake/Sign.cmake), the staged
    # program is signed, then the uninstaller before the installer packs it,
    # then the installer. The staged folder, the program and its notices, is
    # also published as the portable release.
    set(CPACK_TALLIVOX_CMAKE ${CMAKE_COMMAND})
    set(CPACK_TALLIVOX_SIGN ${PROJECT_SOURCE_DIR}/cmake/Sign.cmake)
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/StagedRelease.cmake)
    set(CPACK_TALLIVOX_LINK_TIME ${PROJECT_BINARY_DIR}/link-time)
    set(CPACK_TALLIVOX_PORTABLE ${CPACK_PACKAGE_FILE_NAME}-portable.zip)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    # Debian's synopsis goes without an article; the long text follows it.
    string(REGEX REPLACE "^(A|An|The) " "" CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TALLIVOX_SUMMARY}")
    list(JOIN TALLIVOX_DESCRIPTION "\n\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION)
    # The libraries come from dpkg-shlibdeps. What no link shows is written
    # here: the X11 platform plug-in and the fonts the captions are drawn in.
    # Recommended: Wayland's plug-in, which lets it run in a Wayland session
    # without Xwayland, and Qt's translations, which give Qt's own buttons and
    # menus the user's language; without either it still runs, in English.
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-farsiweb, fonts-liberation2")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
    set(CPACK_STRIP_FILES ON)
endif()
include(CPack)

if(WIN32)
    # The Windows release: the installer, the portable zip, the winget and
    # Scoop manifests, the bill of materials and the relinking kit, signed
    # when a certificate is given, in a package folder emptied first, so that
    # nothing of another version is left there to be picked up.
    set(TALLIVOX_PACKAGES ${PROJECT_BINARY_DIR}/package)
    # The bill of materials, written from these settings by sbom.js.
    set(settings "{}")
    foreach(pair IN ITEMS name=${TALLIVOX_NAME} vendor=${TALLIVOX_VENDOR} version=${TALLIVOX_VERSION}
            downloads=${TALLIVOX_DOWNLOADS} licence=${TALLIVOX_LICENSE} packages=${TALLIVOX_PACKAGES}
            installer=${TALLIVOX_INSTALLER} portable=${CPACK_TALLIVOX_PORTABLE} qt=${QT6_INSTALL_PREFIX}
            qtSource=${TALLIVOX_QT_SOURCE} toolchain=${TALLIVOX_TOOLCHAIN_FILE} build=${PROJECT_BINARY_DIR}
            ninja=${CMAKE_MAKE_PROGRAM})
        string(REGEX MATCH "^([^=]*)=(.*)$" pair "${pair}")
        string(JSON settings SET "${settings}" ${CMAKE_MATCH_1} "\"${CMAKE_MATCH_2}\"")
    endforeach()
    file(WRITE ${PROJECT_BINARY_DIR}/sbom-settings.json "${settings}\n")
    find_program(NODE node REQUIRED)
    add_custom_target(windows_release
        COMMAND ${CMAKE_COMMAND} -P ${CPACK_TALLIVOX_SIGN}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${TALLIVOX_PACKAGES}
        COMMAND ${CMAKE_CPACK_COMMAND} --config ${PROJECT_BINARY_DIR}/CPackConfig.cmake -B ${TALLIVOX_PACKAGES}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${TALLIVOX_PACKAGES}/_CPack_Packages
        COMMAND ${CMAKE_COMMAND} -DPACKAGES=${TALLIVOX_PACKAGES} -DVERSION=${TALLIVOX_VERSION}
                -DRELEASE_DATE=${TALLIVOX_RELEASE_DATE} -DINSTALLER=${TALLIVOX_INSTALLER}
                -DPORTABLE=${CPACK_TALLIVOX_PORTABLE} -P ${PROJECT_SOURCE_DIR}/cmake/PackageManifests.cmake
        COMMAND ${NODE} ${PROJECT_SOURCE_DIR}/resources/windows/sbom.js ${TALLIVOX_PACKAGES}/${TALLIVOX_SBOM}
                ${PROJECT_BINARY_DIR}/sbom-settings.json
        COMMAND ${CMAKE_COMMAND} -DBUILD=${PROJECT_BINARY_DIR} -DNINJA=${CMAKE_MAKE_PROGRAM}
                -DPROGRAM=$<TARGET_FILE:tallivox> -DQT=${QT6_INSTALL_PREFIX} -DSTRIP=${CMAKE_STRIP}
                -DREADME=${PROJECT_SOURCE_DIR}/resources/windows/RELINK.txt.in -DQT_SOURCE=${TALLIVOX_QT_SOURCE}
                -DQT_OPTIONS_FILE=${TALLIVOX_QT_OPTIONS_FILE} -DKIT=${TALLIVOX_PACKAGES}/${RELINK_KIT}
                -P ${PROJECT_SOURCE_DIR}/cmake/RelinkKit.cmake
        DEPENDS tallivox installer_pictures
        VERBATIM)
endif()
