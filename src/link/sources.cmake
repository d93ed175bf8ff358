# Frames, command families, assembler, supervisor, dispatcher, request queue,
# the port interface and the Qt serial port, link controller; ui/: the port
# dialog.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_link PRIVATE
    ${d}/commandtable.h ${d}/commandtable.cpp
    ${d}/blockassembler.h ${d}/blockassembler.cpp
    ${d}/linksupervisor.h ${d}/linksupervisor.cpp
    ${d}/dispatcher.h ${d}/dispatcher.cpp
    ${d}/requestqueue.h ${d}/requestqueue.cpp
    ${d}/serialport.h ${d}/serialport.cpp
    ${d}/qtserialport.h ${d}/qtserialport.cpp
    ${d}/portidentity.h ${d}/portidentity.cpp
    ${d}/qtportenumerator.h ${d}/qtportenumerator.cpp
    ${d}/portsettings.h ${d}/portsettings.cpp
    ${d}/linkcontroller.h ${d}/linkcontroller.cpp
    ${d}/controllerfinder.h ${d}/controllerfinder.cpp
    ${d}/logging.h ${d}/logging.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/portdialog.h ${d}/ui/portdialog.cpp)
