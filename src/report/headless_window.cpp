// SPDX-License-Identifier: MIT
#include "report/headless_window.h"

namespace bsi {

std::unique_ptr<SysInfoWindowView> MemoryWindows::CreateSysInfoWindow(frmSysInfo&) {
  auto window = std::make_unique<MemorySysInfoWindow>(battery_);
  sysinfo_window_ = window.get();
  return window;
}

std::unique_ptr<ValueWindowView> MemoryWindows::CreateValueWindow(frmValue&) {
  return std::make_unique<MemoryValueWindow>();
}

}  // namespace bsi
