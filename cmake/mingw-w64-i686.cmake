# SPDX-License-Identifier: MIT
# Cross toolchain: Debian's mingw-w64 for 32-bit Windows. Programs run here under Wine (WoW64 in a 64-bit prefix).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
