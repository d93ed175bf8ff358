# Run at every build (cmake -P): writes the build-info source with the
# version and, when the sources are a git checkout, the commit they were
# built from. configure_file leaves the output untouched when nothing
# changed, so an unchanged checkout recompiles nothing.
#
# In:  SOURCE_DIR, TEMPLATE, OUTPUT, VERSION, GIT_EXECUTABLE (may be empty),
#      COMMIT_OVERRIDE (may be empty: set it when building from a tarball).
set(KESTRANE_GIT_COMMIT "")
if(COMMIT_OVERRIDE)
    set(KESTRANE_GIT_COMMIT "${COMMIT_OVERRIDE}")
elseif(GIT_EXECUTABLE AND EXISTS "${GIT_EXECUTABLE}")
    # Only our own checkout counts: sources unpacked inside some other
    # repository must not carry that repository's commit.
    execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --show-toplevel
        WORKING_DIRECTORY "${SOURCE_DIR}"
        OUTPUT_VARIABLE top RESULT_VARIABLE failed
        OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT failed)
        get_filename_component(top "${top}" REALPATH)
        get_filename_component(src "${SOURCE_DIR}" REALPATH)
    endif()
    if(NOT failed AND top STREQUAL src)
        execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --short=10 HEAD
            WORKING_DIRECTORY "${SOURCE_DIR}"
            OUTPUT_VARIABLE commit RESULT_VARIABLE failed
            OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(NOT failed AND commit MATCHES "^[0-9a-f]+$")
            set(KESTRANE_GIT_COMMIT "${commit}")
            # Tracked files changed since that commit: say so, a build from
            # an edited tree is not the build of that commit.
            execute_process(COMMAND "${GIT_EXECUTABLE}" status --porcelain --untracked-files=no
                WORKING_DIRECTORY "${SOURCE_DIR}"
                OUTPUT_VARIABLE changes RESULT_VARIABLE failed ERROR_QUIET)
            if(NOT failed AND NOT changes STREQUAL "")
                string(APPEND KESTRANE_GIT_COMMIT "-modified")
            endif()
        endif()
    endif()
endif()
set(KESTRANE_VERSION "${VERSION}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
