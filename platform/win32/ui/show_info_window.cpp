// SPDX-License-Identifier: MIT
#include "show_info_window.h"

#include "form_services.h"
#include "sysinfo_window.h"
#include "value_window.h"

namespace bsi::win32 {

void Win32MessageLoop::DoEvents() {
  FormWindow::PumpPendingMessages();
}

std::unique_ptr<SysInfoWindowView> Win32Windows::CreateSysInfoWindow(frmSysInfo& form) {
  return std::make_unique<Win32SysInfoWindow>(form, memory_timer_ms);
}

std::unique_ptr<ValueWindowView> Win32Windows::CreateValueWindow(frmValue& form) {
  return std::make_unique<Win32ValueWindow>(form);
}

void ShowSysInfoWindow(SysInfoModule& module, QueryLibrary& library, unsigned memory_timer_ms) {
  Win32FormServices forms(library);
  if (memory_timer_ms != 0) forms.windows.memory_timer_ms = memory_timer_ms;
  module.ShowSysInfo(forms.context);
}

}  // namespace bsi::win32
