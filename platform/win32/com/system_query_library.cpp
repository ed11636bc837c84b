// SPDX-License-Identifier: MIT
// The window's facts come from BrindtSysQuery.dll, created through COM in the control's apartment.
#include <windows.h>

#include "query_client/query_client.h"
#include "ui/show_sysinfo.h"

namespace bsi::win32 {

std::unique_ptr<QueryLibrary> CreateSystemQueryLibrary() {
  return CreateComQueryLibrary();
}

}  // namespace bsi::win32
