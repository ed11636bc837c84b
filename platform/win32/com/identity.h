// SPDX-License-Identifier: MIT
// What the control tells of itself besides the type library: status bits, resource numbers, its error source.
#pragma once

#include <windows.h>

#include <ole2.h>

#include "BrindtSysInfo.h"

namespace bsi::win32::com {

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
