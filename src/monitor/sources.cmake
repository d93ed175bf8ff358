# Status decoding, recording, curve; ui/: the status panel and the curve page.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_core PRIVATE
    ${d}/statusdecoder.h ${d}/statusdecoder.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/statuspanel.h ${d}/ui/statuspanel.cpp)
target_sources(kestrane_core PRIVATE ${d}/curvelabels.h)
target_sources(kestrane_core PRIVATE ${d}/curvemodel.h ${d}/curvemodel.cpp)
target_sources(kestrane_ui PRIVATE ${d}/ui/curvepage.h ${d}/ui/curvepage.cpp)
# The live-data log and its export into a workbook.
target_sources(kestrane_core PRIVATE
    ${d}/recorder.h ${d}/recorder.cpp
    ${d}/recordexport.h ${d}/recordexport.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/recordcontrols.h ${d}/ui/recordcontrols.cpp)
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
target_link_libraries(kestrane_core PRIVATE PkgConfig::XLSXWRITER)
