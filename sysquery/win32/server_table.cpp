// SPDX-License-Identifier: MIT
#include "server_table.h"

#include "BrindtSysQuery.h"
#include "classes.h"

namespace bsq {
namespace {

#define BSQ_ENTRY(name, description) bsi::win32::com::ClassEntry{&CLSID_##name, description, L"BrindtSysQuery." #name},
constexpr bsi::win32::com::ClassEntry kClasses[] = {BSQ_CLASSES(BSQ_ENTRY)};
#undef BSQ_ENTRY

}  // namespace

// The library declares no lcid: it is registered under 0.
constinit const bsi::win32::com::ServerTable kServer = {{&LIBID_BrindtSysQuery, 1, 0, 0}, kClasses};

}  // namespace bsq
