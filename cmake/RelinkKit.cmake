# Makes the relinking kit that the LGPL asks of a program linked statically
# with Qt: every object and library of Tallivox's own that goes into the
# program, the linker's exact command with Qt's place made the variable QT,
# and how to build that Qt from Debian's source. The zip is the same bytes
# whenever it is made from the same build: its entries are sorted, their
# times are the program's link time and their modes fixed.
# usage: cmake -DBUILD=... -DNINJA=... -DPROGRAM=... -DQT=... -DSTRIP=... -DREADME=...
#              -DQT_SOURCE=... -DQT_OPTIONS_FILE=... -DKIT=.../NAME.zip -P RelinkKit.cmake
cmake_minimum_required(VERSION 3.25)

file(RELATIVE_PATH program ${BUILD} ${PROGRAM})
execute_process(COMMAND ${NINJA} -C ${BUILD} -t commands ${program}
    OUTPUT_VARIABLE commands COMMAND_ERROR_IS_FATAL ANY)
# The last command links the program: ": && LINK && POST-BUILD STEPS && :".
string(REGEX REPLACE "\n$" "" commands "${commands}")
string(REGEX REPLACE ".*\n" "" link "${commands}")
string(REGEX REPLACE "^: && " "" link "${link}")
string(REGEX REPLACE " && .*" "" link "${link}")

get_filename_component(name ${KIT} NAME_WLE)
get_filename_component(staging ${KIT} DIRECTORY)
set(staging ${staging}/${name}.staging)
file(REMOVE_RECURSE ${staging})

separate_arguments(words UNIX_COMMAND "${link}")
set(own)
foreach(word IN LISTS words)
    if(word MATCHES "^[^-/$].*\\.(obj|res|a)$")
        list(APPEND own ${word})
        get_filename_component(folder ${name}/${word} DIRECTORY)
        file(COPY ${BUILD}/${word} DESTINATION ${staging}/${folder})
    elseif(word MATCHES "^-L([^/].*)$")
        # A folder of the build's own libraries, the delay-import ones,
        # named from the top of the build: the kit carries it as it stands.
        file(GLOB libraries ${BUILD}/${CMAKE_MATCH_1}/*.a)
        list(APPEND own ${libraries})
        file(COPY ${libraries} DESTINATION ${staging}/${name}/${CMAKE_MATCH_1})
    endif()
endforeach()

string(REPLACE "${QT}" "$QT" link "${link}")
get_filename_component(strip ${STRIP} NAME)
file(READ ${BUILD}/link-time link_time)
if(link_time STREQUAL "")
    message(FATAL_ERROR "tallivox.exe was linked without SOURCE_DATE_EPOCH: no link.sh can give it back")
endif()
file(WRITE ${staging}/${name}/link.sh "#!/bin/sh
# Links tallivox.exe from these objects with the static Qt in $QT, and strips it.
set -eu
cd \"$(dirname \"$0\")\"
: \"\${QT:?set QT to the prefix a static Qt for x86_64-w64-mingw32 is installed in}\"
export SOURCE_DATE_EPOCH=${link_time} # the shipped program's link time
${link}
${strip} tallivox.exe
")
file(READ ${QT_OPTIONS_FILE} QT_OPTIONS)
configure_file(${README} ${staging}/${name}/README.txt @ONLY)

include(${CMAKE_CURRENT_LIST_DIR}/ReproducibleZip.cmake)
tallivox_zip(${KIT} ${staging} ${link_time} EXECUTABLE ${name}/link.sh)
file(REMOVE_RECURSE ${staging})
list(LENGTH own count)
message(STATUS "${KIT}: ${count} objects and libraries of Tallivox's own")
