# engine/: field descriptors, codec, registry; blocks/: one file per block;
# ui/: the page windows and their navigation.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_service PRIVATE
    ${d}/engine/fieldspec.h ${d}/engine/tablelookup.h
    ${d}/engine/fieldcodec.h ${d}/engine/fieldcodec.cpp
    ${d}/engine/pageregistry.h ${d}/engine/pageregistry.cpp
    ${d}/blocks/basicblock.h ${d}/blocks/basicblock.cpp
    ${d}/blocks/referenceblock.h ${d}/blocks/referenceblock.cpp)
target_sources(kestrane_service PRIVATE
    ${d}/blocks/userinfoblock.h ${d}/blocks/userinfoblock.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/pagewindow.h ${d}/ui/pagewindow.cpp
    ${d}/ui/parameterpage.h ${d}/ui/parameterpage.cpp
    ${d}/ui/ctxt.h ${d}/ui/ctxt.cpp
    ${d}/ui/pagenavigator.h ${d}/ui/pagenavigator.cpp)
# Motor and Idc calibration blocks.
target_sources(kestrane_service PRIVATE
    ${d}/blocks/motorblock.h ${d}/blocks/motorblock.cpp
    ${d}/blocks/idccalibblock.h ${d}/blocks/idccalibblock.cpp)
target_sources(kestrane_service PRIVATE
    ${d}/blocks/controlblock.h ${d}/blocks/controlblock.cpp
    ${d}/blocks/otherblock.h ${d}/blocks/otherblock.cpp
    ${d}/blocks/derateblock.h ${d}/blocks/derateblock.cpp
    ${d}/blocks/modesetblock.h ${d}/blocks/modesetblock.cpp)
target_sources(kestrane_service PRIVATE ${d}/blocks/protectionblock.h ${d}/blocks/protectionblock.cpp)
target_sources(kestrane_service PRIVATE ${d}/blocks/torquepidblock.h ${d}/blocks/torquepidblock.cpp)
target_sources(kestrane_service PRIVATE ${d}/blocks/fluxweakenblock.h ${d}/blocks/fluxweakenblock.cpp)
target_sources(kestrane_service PRIVATE ${d}/loadparachain.h ${d}/loadparachain.cpp)
# The block models and the parameter service: the blocks without windows.
target_sources(kestrane_service PRIVATE
    ${d}/blockmodel.h ${d}/blockmodel.cpp
    ${d}/parameterservice.h ${d}/parameterservice.cpp)
target_sources(kestrane_ui PRIVATE ${d}/ui/protectionpage.h ${d}/ui/protectionpage.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/userinfopage.h ${d}/ui/userinfopage.cpp)
include(${CMAKE_CURRENT_LIST_DIR}/sets/sources.cmake)
# The window that backs up, compares and restores parameter sets.
target_sources(kestrane_ui PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/ui/setwindow.h ${CMAKE_CURRENT_LIST_DIR}/ui/setwindow.cpp)
