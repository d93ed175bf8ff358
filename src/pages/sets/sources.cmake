# Parameter sets: the blocks of a whole controller as one file, compared and
# restored (Qt Core only: the command line runs them without a display).
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_service PRIVATE
    ${d}/setblocks.h ${d}/setblocks.cpp
    ${d}/parameterset.h ${d}/parameterset.cpp
    ${d}/setfile.h ${d}/setfile.cpp
    ${d}/setcompare.h ${d}/setcompare.cpp
    ${d}/restoreplan.h ${d}/restoreplan.cpp
    ${d}/settransfer.h ${d}/settransfer.cpp)
