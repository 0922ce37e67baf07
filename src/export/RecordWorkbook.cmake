# The record table as a workbook, and the verdict counts of a record file.
# No Qt: the batch tool uses it too.
add_library(orvik_export_workbook STATIC RecordWorkbook.h RecordWorkbook.cpp)
target_include_directories(orvik_export_workbook PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(orvik_export_workbook PUBLIC orvik_export_text orvik_spreadsheet orvik_records)
set_target_properties(orvik_export_workbook PROPERTIES AUTOMOC OFF)
