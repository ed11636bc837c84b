# SPDX-License-Identifier: MIT
# bsi_widl(TARGET IDL): compiles IDL with widl into a type library, a header and the GUID definitions, in the
# current binary folder; TARGET gets the header's folder on its include path and the GUIDs in its sources.
# widl wants "-I dir" with the space and -L at the folder that holds stdole2.tlb (Wine's own, from libwine-dev for
# 64-bit, from libwine:i386 for 32-bit). The type library's system kind follows the build: win32 or win64.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(bsi_widl_bits --win64)
  set(bsi_wine_arch x86_64)
  set(bsi_wine_lib x86_64-linux-gnu)
else()
  set(bsi_widl_bits --win32)
  set(bsi_wine_arch i386)
  set(bsi_wine_lib i386-linux-gnu)
endif()
find_program(BSI_WIDL NAMES ${triple}-widl x86_64-w64-mingw32-widl widl REQUIRED)
find_path(BSI_WINE_IDL_DIR oaidl.idl PATHS /usr/include/wine/wine/windows /usr/include/wine/windows NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(BSI_STDOLE2_DIR stdole2.tlb
          PATHS /usr/lib/${bsi_wine_lib}/wine/${bsi_wine_arch}-windows /usr/lib/wine/${bsi_wine_arch}-windows
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

function(bsi_widl target idl)
  get_filename_component(name ${idl} NAME_WE)
  get_filename_component(idl_path ${idl} ABSOLUTE)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(
    OUTPUT ${out}/${name}.tlb ${out}/${name}.h ${out}/${name}_i.c
    COMMAND ${BSI_WIDL} ${bsi_widl_bits} -I ${BSI_WINE_IDL_DIR} -L ${BSI_STDOLE2_DIR} -t -h -u
            -T ${out}/${name}.tlb -H ${out}/${name}.h -U ${out}/${name}_i.c ${idl_path}
    DEPENDS ${idl_path}
    COMMENT "widl ${name}.idl"
    VERBATIM)
  set_source_files_properties(${out}/${name}_i.c PROPERTIES LANGUAGE CXX)
  target_sources(${target} PRIVATE ${out}/${name}.h ${out}/${name}_i.c)
  target_include_directories(${target} PUBLIC ${out})
endfunction()
