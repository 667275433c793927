# tallivox_zip(ZIP FOLDER TIME [EXECUTABLE FILE...]) zips what lies under
# FOLDER into ZIP, the same bytes whenever made from the same files: the
# entries sorted, their times TIME (seconds since 1970) and their modes
# fixed, executable only for the FILEs named.
function(tallivox_zip zip folder time)
    cmake_parse_arguments(PARSE_ARGV 3 zip "" "" EXECUTABLE)
    file(GLOB_RECURSE entries RELATIVE ${folder} ${folder}/*)
    list(SORT entries)
    foreach(entry IN LISTS entries)
        file(CHMOD ${folder}/${entry} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endforeach()
    foreach(entry IN LISTS zip_EXECUTABLE)
        file(CHMOD ${folder}/${entry}
            FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    endforeach()
    # zip, not cmake -E tar: libarchive would store each file's access and
    # change times too. -X leaves out those and the owner; TZ fixes the DOS times.
    find_program(ZIP zip REQUIRED)
    execute_process(COMMAND touch -d @${time} ${entries} WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
    list(JOIN entries "\n" listing)
    file(WRITE ${zip}.list "${listing}\n")
    file(REMOVE ${zip})
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP} -q -X -D ${zip} -@ INPUT_FILE ${zip}.list
        WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${zip}.list)
endfunction()
