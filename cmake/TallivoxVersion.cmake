# Turns a version in any form project() takes (1, 1.01, 1.2, 1.2.3, 1.2.3.4)
# into the two ways Tallivox shows it. People see it the classic way, the
# minor number in two digits ("1.00"), with the patch number only when it is
# more than 0: TALLIVOX_VERSION. Windows wants four plain numbers, each
# missing one 0 ("1.0.0.0"): TALLIVOX_FIXED_VERSION, and the same with
# commas for a resource script, TALLIVOX_FIXED_VERSION_RC.
function(tallivox_version version)
    string(REPLACE "." ";" given "${version}")
    set(numbers)
    foreach(part IN LISTS given ITEMS 0 0 0)
        math(EXPR number "${part}") # "01" is 1
        list(APPEND numbers ${number})
    endforeach()
    list(SUBLIST numbers 0 4 numbers)
    list(GET numbers 0 major)
    list(GET numbers 1 minor)
    list(GET numbers 2 patch)
    if(minor LESS 10)
        set(minor 0${minor})
    endif()
    set(shown "${major}.${minor}")
    if(patch GREATER 0)
        string(APPEND shown ".${patch}")
    endif()
    set(TALLIVOX_VERSION "${shown}" PARENT_SCOPE)
    list(JOIN numbers "." fixed)
    set(TALLIVOX_FIXED_VERSION "${fixed}" PARENT_SCOPE)
    list(JOIN numbers "," fixed)
    set(TALLIVOX_FIXED_VERSION_RC "${fixed}" PARENT_SCOPE)
endfunction()
