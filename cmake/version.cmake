# SPDX-License-Identifier: MIT
# The project's VERSION is the one place the version is written down. This writes resources/version.h from it,
# plain preprocessor definitions that the core and the resource scripts both include: the four fields, and the text
# the control's version resource shows, major "." two-digit minor "." four-digit revision ("2.01.0008"). The build
# field has no place in that text, as in the window's caption.
set(BSI_GENERATED_DIR ${PROJECT_BINARY_DIR}/generated)
set(BSI_VERSION_HEADER ${BSI_GENERATED_DIR}/resources/version.h)

function(bsi_zero_padded out value width)
  string(LENGTH "${value}" length)
  set(zeros "")
  if(length LESS width)
    math(EXPR missing "${width} - ${length}")
    string(REPEAT "0" ${missing} zeros)
  endif()
  set(${out} "${zeros}${value}" PARENT_SCOPE)
endfunction()

foreach(field MAJOR MINOR PATCH TWEAK)
  if("${PROJECT_VERSION_${field}}" STREQUAL "")
    set(BSI_VERSION_${field} 0)
  else()
    set(BSI_VERSION_${field} ${PROJECT_VERSION_${field}})
  endif()
endforeach()
bsi_zero_padded(minor_text ${BSI_VERSION_MINOR} 2)
bsi_zero_padded(revision_text ${BSI_VERSION_TWEAK} 4)
set(BSI_VERSION_TEXT "${BSI_VERSION_MAJOR}.${minor_text}.${revision_text}")

configure_file(${PROJECT_SOURCE_DIR}/src/resources/version.h.in ${BSI_VERSION_HEADER} @ONLY)
