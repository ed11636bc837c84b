// SPDX-License-Identifier: MIT
#include "show_window.h"

#include <cstdlib>

#include "qt_query_library.h"
#include "services.h"
#include "sysinfo_window.h"
#include "sysquery/linux/linux_query_library.h"
#include "value_window.h"

namespace bsi::qt {
namespace {

const char* Environment(const char* name) {
  return std::getenv(name);
}

class QtWindows final : public SysInfoWindowFactory, public ValueWindowFactory {
 public:
  QtWindows(int memory_timer_ms, Battery& battery) : memory_timer_ms_(memory_timer_ms), battery_(battery) {}
  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) override {
    return std::make_unique<QtSysInfoWindow>(form, memory_timer_ms_, battery_);
  }
  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) override {
    return std::make_unique<QtValueWindow>(form);
  }

 private:
  int memory_timer_ms_;
  Battery& battery_;
};

}  // namespace

SysInfoModule& ThreadModule() {
  thread_local SysInfoModule module;
  return module;
}

void ShowSysInfoWindow(SysInfoModule& module, QueryLibrary& library, const ShowOptions& options) {
  std::unique_ptr<Battery> system_battery;
  Battery* battery = options.battery;
  if (battery == nullptr) {
    system_battery = sysquery_linux::CreateBattery();
    battery = system_battery.get();
  }
  QtScreen qt_screen;
  QtWindows windows(options.memory_timer_ms > 0 ? options.memory_timer_ms : sysinfo_layout::kTimerIntervalMs, *battery);
  Catalogue strings(options.language.value_or(LanguageFromEnvironment(&Environment)), Platform::Linux);
  const Locale locale = NumberLocaleFromEnvironment(&Environment);
  QtMsgBox message_box;
  QtWindowSystem window_system;
  QtClipboard clipboard;
  QtShell shell;
  QtMessageLoop message_loop;
  const SysInfoWindowContext context{
      windows,   windows,     library,       strings,
      locale,    message_box, window_system, options.screen != nullptr ? *options.screen : qt_screen,
      clipboard, shell,       message_loop,  kVersion};
  module.ShowSysInfo(context);
}

void ShowSystemInfoWindow(std::optional<UiLanguage> language) {
  QtQueryLibrary library(sysquery_linux::CreateQueryLibrary());
  ShowOptions options;
  options.language = language;
  ShowSysInfoWindow(ThreadModule(), library, options);
}

}  // namespace bsi::qt
