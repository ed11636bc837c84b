// SPDX-License-Identifier: MIT
// What registration publishes besides the type library: names, status bits and resource numbers.
#pragma once

#include <windows.h>

#include <ole2.h>

#include "BrindtSysInfo.h"

namespace bsi::win32::com {

inline constexpr wchar_t kProgId[] = L"BrindtSysInfo.ctlBrindtSysInfo.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"BrindtSysInfo.ctlBrindtSysInfo";
/// The class's user type: the CLSID key's default value.
inline constexpr wchar_t kUserType[] = L"BrindtSysInfo.ctlBrindtSysInfo";
inline constexpr wchar_t kClassVersion[] = L"1.0";
inline constexpr WORD kTypeLibMajor = 1;
inline constexpr WORD kTypeLibMinor = 0;
inline constexpr LCID kTypeLibLcid = 1033;

/// OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
/// OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE = 0x20591 = 132497.
inline constexpr DWORD kMiscStatus = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME |
                                     OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
                                     OLEMISC_RECOMPOSEONRESIZE;
static_assert(kMiscStatus == 0x20591);

/// Bitmap resource of the control palette (16 x 15, 24 bits).
inline constexpr int kToolboxBitmapId = 30000;

/// The source of the errors ShowSysInfo reports through IErrorInfo.
inline constexpr wchar_t kErrorSource[] = L"BrindtSysInfo";

}  // namespace bsi::win32::com
