# Idc, Iac / Iq test, hall test and factory commands (+ ui/).
set(d ${CMAKE_CURRENT_LIST_DIR})
# The Idc calibration page: arithmetic, then the window.
target_sources(kestrane_service PRIVATE
    ${d}/idccalc.h ${d}/idccalc.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/idccalibpage.h ${d}/ui/idccalibpage.cpp)
# Hall test texts and the Iac / Iq test frames, then their windows.
target_sources(kestrane_service PRIVATE
    ${d}/halltest.h ${d}/halltest.cpp ${d}/iaccalib.h ${d}/iaccalib.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/halltestwindow.h ${d}/ui/halltestwindow.cpp
    ${d}/ui/iqtestrun.h ${d}/ui/iqtestrun.cpp
    ${d}/ui/iaccalibpage.h ${d}/ui/iaccalibpage.cpp)
