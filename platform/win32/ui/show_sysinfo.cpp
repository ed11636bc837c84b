// SPDX-License-Identifier: MIT
#include "show_sysinfo.h"

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

namespace {

// The module's default window belongs to the thread (the control's apartment) while a ShowSysInfo call runs.
thread_local Win32FormServices* active_forms = nullptr;

}  // namespace

void ShowSysInfoWindow(QueryLibrary& library) {
  if (active_forms != nullptr && active_forms->module.DefaultInstance() != nullptr) {
    Raise(err::kFormAlreadyDisplayed);
  }
  Win32FormServices forms(library);
  Win32FormServices* outer = active_forms;
  active_forms = &forms;
  try {
    forms.module.ShowSysInfo();
  } catch (...) {
    active_forms = outer;
    throw;
  }
  active_forms = outer;
}

}  // namespace bsi::win32
