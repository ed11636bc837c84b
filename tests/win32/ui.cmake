# SPDX-License-Identifier: MIT
# The information and value windows over the scripted library. The bed has one display and one clipboard: tests
# that show windows take turns.
add_executable(ui_test ui_test.cpp ${PROJECT_SOURCE_DIR}/tests/support/scripted_library.cpp)
target_include_directories(ui_test PRIVATE ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(ui_test PRIVATE bsi_win32_ui_system bsi_win32_ui_resources comctl32 ole32 bsi_warnings)
add_dependencies(ui_test BrindtSysQuery)
bsi_wine_test(ui ui_test)
set_tests_properties(ui.de ui.en PROPERTIES RESOURCE_LOCK desktop)
# An Austrian German user gets the German window, like the query library's own words: one language rule.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_test(NAME ui.de_AT COMMAND ui_test)
  set_tests_properties(ui.de_AT PROPERTIES ENVIRONMENT "LC_ALL=de_AT.UTF-8;BSI_WINE_BIN_DIR=${CMAKE_RUNTIME_OUTPUT_DIRECTORY}"
    TIMEOUT 180 RESOURCE_LOCK desktop)
endif()
