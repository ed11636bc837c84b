# SPDX-License-Identifier: MIT
# The Windows modules, built with the mingw-w64 toolchain (preset "windows").
include(${CMAKE_CURRENT_LIST_DIR}/widl.cmake)

# ctest runs the Windows programs through Wine, in the test bed that tools/lib/wine-bed sets up.
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/lib/wine-run)

add_subdirectory(platform/win32)
add_subdirectory(sysquery/common)
add_subdirectory(sysquery/win32)
add_subdirectory(platform/win32/com)
add_subdirectory(packaging)
add_subdirectory(platform/win32/host)
add_subdirectory(bench/win32)
