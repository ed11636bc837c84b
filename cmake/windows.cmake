# SPDX-License-Identifier: MIT
# The Windows modules, built with the mingw-w64 toolchain (preset "windows").
add_subdirectory(sysquery/win32)
add_subdirectory(platform/win32/com)
add_subdirectory(platform/win32/host)
if(EXISTS ${PROJECT_SOURCE_DIR}/bench/win32/CMakeLists.txt)
  add_subdirectory(bench/win32)
endif()
