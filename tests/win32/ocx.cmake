# SPDX-License-Identifier: MIT
# Tests of the ActiveX control module, run under Wine with BrindtSysInfo.ocx registered in the test bed.
# bsi_ocx_test(NAME [RUN_SERIAL]): the program ocx_NAME_test.cpp, run as test ocx.NAME in German and English.
# RUN_SERIAL: unregistering and registering again changes the bed that every other test uses; a shown window takes
# the focus of the bed's one display from any other test that types into its own window.
function(bsi_ocx_test name)
  cmake_parse_arguments(ARG "RUN_SERIAL" "" "" ${ARGN})
  add_executable(ocx_${name}_test ocx_${name}_test.cpp)
  target_include_directories(ocx_${name}_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(ocx_${name}_test PRIVATE BSI_GOLDEN_DIR="Z:${PROJECT_SOURCE_DIR}/tests/data")
  target_link_libraries(ocx_${name}_test PRIVATE bsi_ocx_identity bsi_com_common bsi_resources bsi_runtime
    bsi_warnings ole32 oleaut32 uuid user32 advapi32 version)
  add_dependencies(ocx_${name}_test BrindtSysInfo)
  bsi_wine_test(ocx.${name} ocx_${name}_test)
  if(ARG_RUN_SERIAL)
    set_tests_properties(ocx.${name}.de ocx.${name}.en PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

bsi_ocx_test(identity)
bsi_ocx_test(control RUN_SERIAL)
# The control's script client runs beside the program that drives it.
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/ocx_client.vbs ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/ocx_client.vbs COPYONLY)
