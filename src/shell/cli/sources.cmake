# kestrane COMMAND: the tool without a window (Qt Core only).
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_service PRIVATE
    ${d}/cli.h ${d}/cli.cpp
    ${d}/diffcommand.cpp
    ${d}/clisession.h ${d}/clisession.cpp
    ${d}/linkcommands.cpp ${d}/restorecommand.cpp ${d}/monitorcommand.cpp)
