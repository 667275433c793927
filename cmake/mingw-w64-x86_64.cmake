# Cross-compiles for 64-bit Windows with Debian 13's MinGW-w64 on the Universal
# C Runtime (UCRT), whose compilers use POSIX threads, as std::thread and Qt
# need. Used for the static Qt and for Tallivox.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triplet x86_64-w64-mingw32ucrt)
set(CMAKE_C_COMPILER ${triplet}-gcc)
set(CMAKE_CXX_COMPILER ${triplet}-g++)
set(CMAKE_RC_COMPILER ${triplet}-windres)

# Libraries and packages come from the MinGW sysroot and from the prefixes
# given in CMAKE_PREFIX_PATH (the static Qt, GoogleTest); without the latter
# in the root path, find_package would look for them re-rooted in the sysroot.
set(CMAKE_FIND_ROOT_PATH /usr/${triplet} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets CTest and gtest_discover_tests run the Windows test programs.
find_program(TALLIVOX_WINE NAMES wine wine64)
if(TALLIVOX_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TALLIVOX_WINE})
endif()
