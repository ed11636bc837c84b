// SPDX-License-Identifier: MIT
// Everything the windows reach on Win32 for one ShowSysInfo call: the services and the window factories. The
// user's locale and language are read afresh for every call.
#pragma once

#include "services.h"
#include "sysinfo_window/frm_sys_info.h"
#include "sysinfo_window/sysinfo_layout.h"

namespace bsi::win32 {

class Win32MessageLoop final : public MessageLoop {
 public:
  void DoEvents() override;
};

class Win32Windows final : public SysInfoWindowFactory, public ValueWindowFactory {
 public:
  std::unique_ptr<SysInfoWindowView> CreateSysInfoWindow(frmSysInfo& form) override;
  std::unique_ptr<ValueWindowView> CreateValueWindow(frmValue& form) override;

  /// tmrMemory's interval; tests shorten it to see ticks without waiting seconds.
  UINT memory_timer_ms = sysinfo_layout::kTimerIntervalMs;
};

struct Win32FormServices {
  explicit Win32FormServices(QueryLibrary& library)
      : context{windows,       windows, library,   strings, locale,       message_box,
                window_system, screen,  clipboard, shell,   message_loop, kVersion} {}
  Win32FormServices(const Win32FormServices&) = delete;
  Win32FormServices& operator=(const Win32FormServices&) = delete;

  Win32Windows windows;
  Win32StringSource strings;
  Locale locale = UserLocale();
  Win32MsgBox message_box;
  Win32WindowSystem window_system;
  Win32Screen screen;
  Win32Clipboard clipboard{nullptr};
  Win32Shell shell;
  Win32MessageLoop message_loop;
  SysInfoWindowContext context;
};

}  // namespace bsi::win32
