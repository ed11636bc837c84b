# SPDX-License-Identifier: MIT
# The Win32 probes: a Wine-style test program, and (outside ctest) their timing program.
add_executable(probes_test ${CMAKE_CURRENT_LIST_DIR}/probes_test.cpp)
target_link_libraries(probes_test PRIVATE bsq_probes bsi_warnings)
add_test(NAME probes_test COMMAND probes_test)

add_executable(probes_timing ${PROJECT_SOURCE_DIR}/bench/win32/probes_timing.cpp)
target_link_libraries(probes_timing PRIVATE bsq_probes ole32 bsi_warnings)
