# SPDX-License-Identifier: MIT
# Tests of the control as an OLE control: siting, activation and the resize rule, the design-time picture,
# persistence, and a real container (Wine's ATL). Run under Wine with BrindtSysInfo.ocx registered.

# bsi_ole_test(NAME [DESKTOP]): the program ole_NAME_test.cpp as test ole.NAME in German and English. DESKTOP for
# tests that show windows: they run alone, since a shown window takes the focus of the bed's one display.
function(bsi_ole_test name)
  cmake_parse_arguments(ARG "DESKTOP" "" "" ${ARGN})
  add_executable(ole_${name}_test ole_${name}_test.cpp)
  target_link_libraries(ole_${name}_test PRIVATE bsi_ocx_identity bsi_wine_test bsi_warnings uuid user32 gdi32)
  add_dependencies(ole_${name}_test BrindtSysInfo)
  bsi_wine_test(ole.${name} ole_${name}_test)
  if(ARG_DESKTOP)
    set_tests_properties(ole.${name}.de ole.${name}.en PROPERTIES RESOURCE_LOCK desktop RUN_SERIAL TRUE)
  endif()
endfunction()

bsi_ole_test(site)
bsi_ole_test(view)
bsi_ole_test(persistence)
bsi_ole_test(atl DESKTOP)
