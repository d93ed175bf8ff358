# Frames, command families, assembler, supervisor, dispatcher, port interface,
# link controller; ui/: the Qt serial port and the port dialog.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_core PRIVATE
    ${d}/commandtable.h ${d}/commandtable.cpp
    ${d}/blockassembler.h ${d}/blockassembler.cpp
    ${d}/linksupervisor.h ${d}/linksupervisor.cpp
    ${d}/dispatcher.h ${d}/dispatcher.cpp
    ${d}/serialport.h
    ${d}/portidentity.h ${d}/portidentity.cpp
    ${d}/portsettings.h ${d}/portsettings.cpp
    ${d}/linkcontroller.h ${d}/linkcontroller.cpp
    ${d}/logging.h ${d}/logging.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/qtserialport.h ${d}/ui/qtserialport.cpp
    ${d}/ui/qtportenumerator.h ${d}/ui/qtportenumerator.cpp
    ${d}/ui/portdialog.h ${d}/ui/portdialog.cpp)
