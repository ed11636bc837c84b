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
  return std::make_unique<Win32SysInfoWindow>(form);
}

std::unique_ptr<ValueWindowView> Win32Windows::CreateValueWindow(frmValue& form) {
  return std::make_unique<Win32ValueWindow>(form);
}

void ShowSysInfoWindow(SysInfoModule& module, QueryLibrary& library) {
  Win32FormServices forms(library);
  module.ShowSysInfo(forms.context);
}

}  // namespace bsi::win32
