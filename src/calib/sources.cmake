# Idc, Iac / Iq test, hall test and factory commands (+ ui/).
set(d ${CMAKE_CURRENT_LIST_DIR})
# The Idc calibration page: arithmetic, then the window.
target_sources(kestrane_core PRIVATE
    ${d}/idccalc.h ${d}/idccalc.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/idccalibpage.h ${d}/ui/idccalibpage.cpp)
