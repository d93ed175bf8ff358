# Program state, data folder, language, local clock, message and sound interfaces, modules, byte helpers, text numbers.
target_sources(kestrane_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/appstate.h ${CMAKE_CURRENT_LIST_DIR}/appstate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datafolder.h ${CMAKE_CURRENT_LIST_DIR}/datafolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames.h ${CMAKE_CURRENT_LIST_DIR}/frames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/language.h ${CMAKE_CURRENT_LIST_DIR}/language.cpp
    ${CMAKE_CURRENT_LIST_DIR}/localclock.h ${CMAKE_CURRENT_LIST_DIR}/localclock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messageservice.h
    ${CMAKE_CURRENT_LIST_DIR}/modules.h ${CMAKE_CURRENT_LIST_DIR}/modules.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundmodule.h ${CMAKE_CURRENT_LIST_DIR}/soundmodule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/soundplayer.h
    ${CMAKE_CURRENT_LIST_DIR}/textnumber.h ${CMAKE_CURRENT_LIST_DIR}/textnumber.cpp)
# For an installed copy, the modules' folder relative to the program's; the
# sound module's file name (see widgets/sources.cmake).
file(RELATIVE_PATH kestrane_modules_from_bin ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_LIBDIR}/kestrane)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/modules.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    KESTRANE_MODULES_FROM_BIN="${kestrane_modules_from_bin}")
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/soundmodule.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    KESTRANE_SOUND_MODULE="$<TARGET_FILE_NAME:kestrane-sound>")
