# SPDX-License-Identifier: MIT
# Cross toolchain: Debian's mingw-w64 for 32-bit Windows. Programs run here under Wine (WoW64 in a 64-bit prefix).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# The .def files export the undecorated names that regsvr32 and COM look up; on i686 the functions are stdcall
# (_DllRegisterServer@0), and this tells the linker that the plain name means the decorated one.
string(APPEND CMAKE_MODULE_LINKER_FLAGS_INIT " -Wl,--enable-stdcall-fixup")
string(APPEND CMAKE_SHARED_LINKER_FLAGS_INIT " -Wl,--enable-stdcall-fixup")
