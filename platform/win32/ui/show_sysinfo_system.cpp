// SPDX-License-Identifier: MIT
// The information window over the installed system query library.
#include "show_sysinfo.h"

namespace bsi::win32 {

void ShowSysInfoWindow() {
  const std::unique_ptr<QueryLibrary> library = CreateSystemQueryLibrary();
  ShowSysInfoWindow(*library);
}

}  // namespace bsi::win32
