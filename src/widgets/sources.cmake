# Widgets shared by every layer's windows, and the Qt implementations of the
# message and sound interfaces.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_ui PRIVATE
    ${d}/firstpaint.h ${d}/firstpaint.cpp
    ${d}/fonts.h ${d}/fonts.cpp
    ${d}/cursorrest.h ${d}/cursorrest.cpp
    ${d}/framepacer.h ${d}/framepacer.cpp
    ${d}/indicator.h ${d}/indicator.cpp
    ${d}/lazyiconstyle.h ${d}/lazyiconstyle.cpp
    ${d}/qtmessageservice.h ${d}/qtmessageservice.cpp
    ${d}/qtsoundplayer.h ${d}/qtsoundplayer.cpp
    ${d}/valuelabel.h ${d}/valuelabel.cpp
    ${d}/windowconduct.h ${d}/windowconduct.cpp
    ${d}/soundoutput.h)

# The sound output: a module loaded on the first sound, the only part that
# links Qt Multimedia, so the audio libraries stay out of every start-up
# (core/soundmodule.h says where the tool looks for it).
add_library(kestrane-sound MODULE ${d}/soundmodule.cpp ${d}/soundoutput.h)
target_include_directories(kestrane-sound PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kestrane-sound PRIVATE Qt6::Core Qt6::Multimedia)
set_target_properties(kestrane-sound PROPERTIES PREFIX ""
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
install(TARGETS kestrane-sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/kestrane)
