# Program state, data folder, language, message and sound interfaces, byte helpers, text numbers.
target_sources(kestrane_core PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/appstate.h ${CMAKE_CURRENT_LIST_DIR}/appstate.cpp
    ${CMAKE_CURRENT_LIST_DIR}/datafolder.h ${CMAKE_CURRENT_LIST_DIR}/datafolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frames.h ${CMAKE_CURRENT_LIST_DIR}/frames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/language.h ${CMAKE_CURRENT_LIST_DIR}/language.cpp
    ${CMAKE_CURRENT_LIST_DIR}/messageservice.h
    ${CMAKE_CURRENT_LIST_DIR}/soundplayer.h
    ${CMAKE_CURRENT_LIST_DIR}/textnumber.h ${CMAKE_CURRENT_LIST_DIR}/textnumber.cpp)
