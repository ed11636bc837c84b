# SPDX-License-Identifier: MIT
# Cross toolchain: Debian's mingw-w64 for 64-bit Windows. Programs run here under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
