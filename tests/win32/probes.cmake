# SPDX-License-Identifier: MIT
# The Win32 probes against what Linux knows of the same machine.
add_executable(probes_test ${CMAKE_CURRENT_LIST_DIR}/probes_test.cpp)
target_link_libraries(probes_test PRIVATE bsq_probes bsi_com_common bsi_wine_golden winmm bsi_warnings)
bsi_wine_test(probes probes_test)
# The runs change the prefix's default printer and sound endpoints for a moment: one at a time.
set_tests_properties(probes.de probes.en PROPERTIES RESOURCE_LOCK wine_machine_settings)
