# SPDX-License-Identifier: MIT
add_executable(ui_test ui_test.cpp ${PROJECT_SOURCE_DIR}/tests/support/scripted_library.cpp)
target_include_directories(ui_test PRIVATE ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(ui_test PRIVATE bsi_win32_ui bsi_win32_ui_resources comctl32 bsi_warnings)
target_link_options(ui_test PRIVATE -municode)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/screenshots)
add_test(NAME ui_test COMMAND ui_test "Z:${CMAKE_BINARY_DIR}/screenshots")
