// SPDX-License-Identifier: MIT
#include "registration.h"

#include "identity.h"

namespace bsi::win32::com {
namespace {

static_assert(kMiscStatus == 132497 && kToolboxBitmapId == 30000, "the values below spell them out");

constexpr ClassValue kControlValues[] = {
    {L"Control", nullptr, nullptr},
    {L"MiscStatus", nullptr, L"132497"},
    {L"MiscStatus\\1", nullptr, L"132497"},  // DVASPECT_CONTENT
    {L"ToolboxBitmap32", nullptr, BSI_MODULE_PATH L", 30000"},
    // CATID_Control. No safe-for-scripting or safe-for-initialization category: the control shows machine facts
    // and is meant for trusted hosts only.
    {L"Implemented Categories\\{40FC6ED4-2438-11CF-A3DB-080036F12502}", nullptr, nullptr},
};

constexpr ClassEntry kControlClass[] = {{
    &CLSID_ctlBrindtSysInfo,
    L"BrindtSysInfo.ctlBrindtSysInfo",
    L"BrindtSysInfo.ctlBrindtSysInfo.1",
    L"BrindtSysInfo.ctlBrindtSysInfo",
    kControlValues,
}};

}  // namespace

// The type library declares lcid(1033).
constinit const ServerTable kControlServer = {{&LIBID_BrindtSysInfo, 1, 0, 1033}, kControlClass};

}  // namespace bsi::win32::com
