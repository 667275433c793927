# Writes the winget and Scoop manifests of a Windows release into PACKAGES
# (winget/ and scoop/), from the identity, the version and the hashes of the
# installer and the portable zip that lie there.
# usage: cmake -DPACKAGES=... -DVERSION=... -DRELEASE_DATE=YYYY-MM-DD
#              -DINSTALLER=NAME.exe -DPORTABLE=NAME.zip -P PackageManifests.cmake
include(${CMAKE_CURRENT_LIST_DIR}/TallivoxIdentity.cmake)
set(templates ${CMAKE_CURRENT_LIST_DIR}/../resources/windows)
set(PACKAGE_ID ${TALLIVOX_VENDOR}.${TALLIVOX_NAME})
# The manifest format the winget community repository takes today.
set(WINGET_VERSION 1.12.0)
file(SHA256 ${PACKAGES}/${INSTALLER} INSTALLER_SHA256)
string(TOUPPER ${INSTALLER_SHA256} INSTALLER_SHA256)
file(SHA256 ${PACKAGES}/${PORTABLE} PORTABLE_SHA256)
# Scoop's autoupdate finds a later version's zip under the same name.
string(REPLACE "${VERSION}" "$version" PORTABLE_PATTERN "${PORTABLE}")

# A YAML folded block: paragraphs indented by two, a blank line between.
function(folded variable)
    list(TRANSFORM ARGN REPLACE "\n" "\n  ")
    list(TRANSFORM ARGN PREPEND "  ")
    list(JOIN ARGN "\n\n" text)
    set(${variable} "${text}" PARENT_SCOPE)
endfunction()
folded(DESCRIPTION ${TALLIVOX_DESCRIPTION})
folded(DESCRIPTION_FA ${TALLIVOX_DESCRIPTION_FA})

foreach(manifest IN ITEMS "" .installer .locale.en-US .locale.fa-IR)
    configure_file(${templates}/winget/manifest${manifest}.yaml.in ${PACKAGES}/winget/${PACKAGE_ID}${manifest}.yaml
        @ONLY)
endforeach()
configure_file(${templates}/scoop/manifest.json.in ${PACKAGES}/scoop/tallivox.json @ONLY)
