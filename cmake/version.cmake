# The version as the user sees it, made from project()'s: 1.0.0.1 shows as 1.00.0001. The Windows
# resources, the manual page, the installer, the tests and scripts/release all take it from here.
# In the build, included after project(), it sets MORVANE_VERSION (also in the cache, for the
# scripts that read a build); `cmake -D VERSION=1.0.0.1 -P cmake/version.cmake` prints it.
function(morvane_shown_version out version)
    string(REPLACE "." ";" parts "${version}")
    list(GET parts 0 major)
    list(GET parts 1 minor)
    list(GET parts 3 tweak)
    # The minor part in two digits, the fourth in four; the third is not shown.
    string(LENGTH "${minor}" minor_digits)
    string(LENGTH "${tweak}" tweak_digits)
    math(EXPR minor_zeros "2 - ${minor_digits}")
    math(EXPR tweak_zeros "4 - ${tweak_digits}")
    string(REPEAT 0 ${minor_zeros} minor_padding)
    string(REPEAT 0 ${tweak_zeros} tweak_padding)
    set(${out} "${major}.${minor_padding}${minor}.${tweak_padding}${tweak}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE)
    morvane_shown_version(shown "${VERSION}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${shown}")
else()
    morvane_shown_version(shown "${PROJECT_VERSION}")
    set(MORVANE_VERSION ${shown} CACHE INTERNAL "The version as the user sees it")
endif()
