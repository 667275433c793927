# How every program here is compiled and linked to be hard to attack, on
# Linux as Debian hardens its own and on Windows; included by CMakeLists.txt
# once Qt is found.

# Against a static Qt, MinGW links its own runtime statically as well, so
# tallivox.exe and the test programs are single files that need no DLLs;
# unused sections go, as Qt itself is built with one section a function.
if(MINGW AND TARGET Qt6::Core)
    get_target_property(qt_core_type Qt6::Core TYPE)
    if(qt_core_type STREQUAL "STATIC_LIBRARY")
        add_link_options(-static $<$<CONFIG:Release,MinSizeRel>:-Wl,--gc-sections>)
    endif()
endif()
# Stack buffers guarded on Windows too; MinGW links its libssp in. ASLR with
# high-entropy addresses and DEP are the linker's defaults.
if(MINGW)
    add_compile_options(-fstack-protector-strong)
    add_link_options(-fstack-protector-strong)
endif()

# Hardened as Debian hardens its own programs (dpkg-buildflags with
# hardening=+all), in every build so that the install test checks what ships.
# Fortified library calls need optimisation and get in the sanitizers' way;
# a packager's own _FORTIFY_SOURCE level wins.
if(UNIX AND NOT APPLE)
    include(CheckCXXCompilerFlag)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
    foreach(flag IN ITEMS -fstack-clash-protection -fcf-protection)
        string(MAKE_C_IDENTIFIER "cxx_has${flag}" has_flag)
        check_cxx_compiler_flag(${flag} ${has_flag})
        if(${has_flag})
            add_compile_options(${flag})
        endif()
    endforeach()
    if(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize=|_FORTIFY_SOURCE")
        set(optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
        add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE>" "$<${optimised}:-D_FORTIFY_SOURCE=2>")
    endif()
    add_link_options(LINKER:-z,relro LINKER:-z,now)
    # Qt's project set-up gives installed programs a RUNPATH of $ORIGIN and
    # $ORIGIN/../lib; this one uses the system's Qt, and a RUNPATH would let
    # libraries dropped beside it come first.
    set(CMAKE_SKIP_INSTALL_RPATH ON)
endif()
