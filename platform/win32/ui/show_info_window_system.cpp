// SPDX-License-Identifier: MIT
// The information window over the installed system query library, created through COM in the caller's
// apartment.
#include "query_client/query_client.h"
#include "show_info_window.h"

namespace bsi::win32 {

std::unique_ptr<QueryLibrary> CreateSystemQueryLibrary() {
  return CreateComQueryLibrary();
}

void ShowSysInfoWindow(SysInfoModule& module) {
  const std::unique_ptr<QueryLibrary> library = CreateSystemQueryLibrary();
  ShowSysInfoWindow(module, *library);
}

}  // namespace bsi::win32
