# engine/: field descriptors, codec, registry; blocks/: one file per block;
# ui/: the page windows and their navigation.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_core PRIVATE
    ${d}/engine/fieldspec.h ${d}/engine/tablelookup.h
    ${d}/engine/fieldcodec.h ${d}/engine/fieldcodec.cpp
    ${d}/engine/pageregistry.h ${d}/engine/pageregistry.cpp
    ${d}/blocks/basicblock.h ${d}/blocks/basicblock.cpp
    ${d}/blocks/referenceblock.h ${d}/blocks/referenceblock.cpp)
target_sources(kestrane_core PRIVATE
    ${d}/blocks/userinfoblock.h ${d}/blocks/userinfoblock.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/pagewindow.h ${d}/ui/pagewindow.cpp
    ${d}/ui/parameterpage.h ${d}/ui/parameterpage.cpp
    ${d}/ui/ctxt.h ${d}/ui/ctxt.cpp
    ${d}/ui/pagenavigator.h ${d}/ui/pagenavigator.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/userinfopage.h ${d}/ui/userinfopage.cpp)
