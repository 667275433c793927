# Signs a Windows program or installer in place with an Authenticode
# signature (SHA-256) through osslsigncode, when the environment names a
# certificate, and leaves it as it is otherwise. Without FILE it says in one
# line whether a release made now is signed.
#   cmake [-DFILE=PATH] -P Sign.cmake
# From a PKCS#12 file with the key and its chain: TALLIVOX_SIGN_PKCS12 and
# TALLIVOX_SIGN_PASSWORD. From a PKCS#11 token, a hardware key: the module in
# TALLIVOX_SIGN_PKCS11_MODULE, the key's pkcs11: URI in TALLIVOX_SIGN_KEY,
# TALLIVOX_SIGN_PIN, and the certificate chain (PEM) in TALLIVOX_SIGN_CERT.
# TALLIVOX_SIGN_TIMESTAMP names an RFC 3161 time-stamping server.
# Every file named must be given as an absolute path: CPack and NSIS run this
# from folders of their own. A variable set empty counts as not set.
include(${CMAKE_CURRENT_LIST_DIR}/TallivoxIdentity.cmake)
foreach(name IN ITEMS PKCS12 PASSWORD PKCS11_MODULE KEY PIN CERT TIMESTAMP)
    set(${name} "$ENV{TALLIVOX_SIGN_${name}}")
    if(name MATCHES "PKCS12|MODULE|CERT" AND NOT "${${name}}" STREQUAL "" AND NOT IS_ABSOLUTE "${${name}}")
        message(FATAL_ERROR "TALLIVOX_SIGN_${name} must be an absolute path, not ${${name}}")
    endif()
endforeach()
if(PKCS12)
    set(key -pkcs12 ${PKCS12})
    set(secret TALLIVOX_SIGN_PASSWORD)
    set(from "the PKCS#12 file ${PKCS12}")
elseif(PKCS11_MODULE)
    if(NOT KEY OR NOT CERT)
        message(FATAL_ERROR "Signing with TALLIVOX_SIGN_PKCS11_MODULE needs TALLIVOX_SIGN_KEY and TALLIVOX_SIGN_CERT")
    endif()
    set(key -pkcs11module ${PKCS11_MODULE} -certs ${CERT})
    set(uri "${KEY}")
    set(secret TALLIVOX_SIGN_PIN)
    set(from "the PKCS#11 key ${KEY}")
endif()

if(NOT DEFINED FILE)
    if(key)
        message("Signing the release with ${from}")
    else()
        message("Unsigned release: neither TALLIVOX_SIGN_PKCS12 nor TALLIVOX_SIGN_PKCS11_MODULE is set")
    endif()
    return()
elseif(NOT key)
    return()
endif()
if(TIMESTAMP)
    list(APPEND key -ts ${TIMESTAMP})
endif()
find_program(OSSLSIGNCODE osslsigncode REQUIRED)
# The password or PIN goes in on standard input, never on a command line
# that every user of the machine can read. The key's pkcs11: URI goes as one
# word: its semicolons would split a CMake list.
execute_process(
    COMMAND sh -c "key=\$1; shift; printf %s \"\$${secret}\" | exec \"\$0\" \"\$@\" \${key:+-key \"\$key\"}"
            ${OSSLSIGNCODE} "${uri}" sign ${key} -readpass /dev/stdin
            -h sha256 -n ${TALLIVOX_NAME} -i ${TALLIVOX_HOMEPAGE} -in ${FILE} -out ${FILE}.signed
    RESULT_VARIABLE failed OUTPUT_VARIABLE said ERROR_VARIABLE said)
if(failed)
    file(REMOVE ${FILE}.signed)
    message(FATAL_ERROR "osslsigncode could not sign ${FILE} with ${from}:\n${said}")
endif()
file(RENAME ${FILE}.signed ${FILE})
