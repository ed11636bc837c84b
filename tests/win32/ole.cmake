# SPDX-License-Identifier: MIT
# The control as an OLE control: siting, activation and the resize rule, the design-time picture, persistence, and
# a real container (Wine's ATL). Run under Wine with BrindtSysInfo.ocx registered. It shows a window, which takes
# the focus of the bed's one display: it runs alone.
add_executable(ole_test ole_test.cpp)
target_link_libraries(ole_test PRIVATE bsi_ocx_identity bsi_wine_test bsi_warnings uuid user32 gdi32)
add_dependencies(ole_test BrindtSysInfo)
bsi_wine_test(ole ole_test)
set_tests_properties(ole.de ole.en PROPERTIES RESOURCE_LOCK desktop RUN_SERIAL TRUE)
