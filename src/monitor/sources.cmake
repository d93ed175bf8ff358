# Status decoding, recording, curve; ui/: the status panel and the curve page.
set(d ${CMAKE_CURRENT_LIST_DIR})
target_sources(kestrane_service PRIVATE
    ${d}/statusdecoder.h ${d}/statusdecoder.cpp)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/statuspanel.h ${d}/ui/statuspanel.cpp)
target_sources(kestrane_service PRIVATE ${d}/curvelabels.h)
target_sources(kestrane_service PRIVATE ${d}/curvemodel.h ${d}/curvemodel.cpp)
# The live state as numbers: the trends' history and the timed recording.
target_sources(kestrane_core PRIVATE
    ${d}/statussample.h ${d}/statussample.cpp
    ${d}/trendhistory.h ${d}/trendhistory.cpp
    ${d}/trendrecording.h ${d}/trendrecording.cpp)
target_sources(kestrane_core PRIVATE ${d}/curvelabels.h)
target_sources(kestrane_core PRIVATE ${d}/curvemodel.h ${d}/curvemodel.cpp)
target_sources(kestrane_ui PRIVATE ${d}/ui/curvepage.h ${d}/ui/curvepage.cpp)
# The live-data log and its export into a workbook.
target_sources(kestrane_service PRIVATE
    ${d}/recorder.h ${d}/recorder.cpp
    ${d}/recordexport.h ${d}/recordexport.cpp
    ${d}/workbookmodule.h ${d}/workbookmodule.cpp
    ${d}/workbooksink.h)
target_sources(kestrane_ui PRIVATE
    ${d}/ui/recordcontrols.h ${d}/ui/recordcontrols.cpp)
# The trend window, drawn with QCustomPlot.
target_sources(kestrane_ui PRIVATE
    ${d}/ui/trendplot.h ${d}/ui/trendplot.cpp
    ${d}/ui/trendwindow.h ${d}/ui/trendwindow.cpp)
target_link_libraries(kestrane_ui PRIVATE QCustomPlotQt6::QCustomPlotQt6)
set_property(SOURCE ${d}/workbookmodule.cpp APPEND PROPERTY COMPILE_DEFINITIONS
    KESTRANE_WORKBOOK_MODULE="$<TARGET_FILE_NAME:kestrane-workbook>")

# The spreadsheet writer: a module loaded on the first export, the only part
# that links libxlsxwriter, so the writer and the zip and crypto libraries it
# pulls in stay out of every start-up (monitor/workbookmodule.h says where the
# tool looks for it). It links nothing of the tool, not even Qt.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
add_library(kestrane-workbook MODULE ${d}/xlsxworkbook.cpp ${d}/workbooksink.h)
target_include_directories(kestrane-workbook PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(kestrane-workbook PRIVATE PkgConfig::XLSXWRITER)
set_target_properties(kestrane-workbook PROPERTIES PREFIX "" AUTOMOC OFF
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
install(TARGETS kestrane-workbook LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/kestrane)
