# The template export and the automation layer it drives the spreadsheet
# program through (served in-process over the workbook layer).
add_library(orvik_export_template STATIC
  ExcelAutomation.h ExcelAutomation.cpp
  AutomationServer.h AutomationServer.cpp
  SpreadsheetHost.h SpreadsheetHost.cpp
  TemplateExport.h TemplateExport.cpp)
target_include_directories(orvik_export_template PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(orvik_export_template PUBLIC orvik_spreadsheet orvik_wintypes Qt6::Core)
set_target_properties(orvik_export_template PROPERTIES AUTOMOC OFF)
