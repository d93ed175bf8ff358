# Widgets shared by every layer's windows, and the Qt implementations of the
# message and sound interfaces.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_ui PRIVATE
    ${d}/fonts.h ${d}/fonts.cpp
    ${d}/indicator.h ${d}/indicator.cpp
    ${d}/qtmessageservice.h ${d}/qtmessageservice.cpp
    ${d}/qtsoundplayer.h ${d}/qtsoundplayer.cpp)
