// SPDX-License-Identifier: MIT
#include "show_sysinfo.h"

#include "control/show_sys_info.h"
#include "services.h"
#include "sysinfo_window.h"
#include "value_window.h"

namespace bsi::win32 {
namespace {

class Win32MessageLoop final : public MessageLoop {
 public:
  void DoEvents() override { FormWindow::PumpPendingMessages(); }
};

class Win32Windows final : public SysInfoWindowFactory, public ValueWindowFactory {
 public:
  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) override {
    return std::make_unique<Win32SysInfoWindow>(form);
  }
  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) override {
    return std::make_unique<Win32ValueWindow>(form);
  }
};

// Everything one ShowSysInfo call of a thread uses; the user's locale and language are read afresh each time.
struct ThreadForms {
  explicit ThreadForms(QueryLibrary& library)
      : context{windows,       windows, library,   strings, locale,       message_box,
                window_system, screen,  clipboard, shell,   message_loop, kVersion},
        module(context) {}

  Win32Windows windows;
  Win32StringSource strings;
  Locale locale = UserLocale();
  Win32MessageBox message_box;
  Win32WindowSystem window_system;
  Win32Screen screen;
  Win32Clipboard clipboard{nullptr};
  Win32Shell shell;
  Win32MessageLoop message_loop;
  SysInfoWindowContext context;
  SysInfoModule module;
};

// The module's default window belongs to the thread (the control's apartment) while a ShowSysInfo call runs.
thread_local ThreadForms* active_forms = nullptr;

}  // namespace

void ShowSysInfoWindow(QueryLibrary& library) {
  if (active_forms != nullptr && active_forms->module.DefaultInstance() != nullptr) {
    Raise(err::kFormAlreadyDisplayed);
  }
  ThreadForms forms(library);
  ThreadForms* outer = active_forms;
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
