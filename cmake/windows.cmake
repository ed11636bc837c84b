# SPDX-License-Identifier: MIT
# The Windows modules, built with the mingw-w64 toolchain (preset "windows").
add_subdirectory(sysquery/win32)
add_subdirectory(platform/win32/com)
add_subdirectory(platform/win32/host)
