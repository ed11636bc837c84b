// SPDX-License-Identifier: MIT
// The run-time services of the core on Win32: user32 calls, message box, screen fonts, battery, clipboard,
// shell, string resources and the user's number conventions.
#pragma once

#include <windows.h>
#undef MessageBox  // the core has an interface of that name

#include "resources/strings.h"
#include "runtime/locale.h"
#include "runtime/views.h"
#include "runtime/window_views.h"

namespace bsi::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  std::int32_t LockWindowUpdate(WindowHandle window) override;
  std::int32_t SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override;
};

/// MessageBoxW over the active window of the thread, which is disabled meanwhile.
class Win32MessageBox final : public MessageBox {
 public:
  void Show(const Text& prompt, std::int32_t style, const Text& title) override;
};

/// Screen.FontCount: the screen's font families, capped at 32767.
class Win32Screen final : public Screen {
 public:
  std::int16_t FontCount() override;
};

/// The battery from GetSystemPowerStatus, whose BatteryFlag and BatteryLifePercent carry the codes the list
/// expects (128 no battery, 255 unknown).
class Win32Battery final : public Battery {
 public:
  std::int16_t BatteryStatus() override;
  std::int16_t BatteryLifePercent() override;
};

/// The clipboard as CF_UNICODETEXT. A clipboard that another program holds open is retried briefly; a failure
/// raises run-time error 521 ("Can't open Clipboard").
class Win32Clipboard final : public Clipboard {
 public:
  explicit Win32Clipboard(HWND owner) : owner_(owner) {}
  void Clear() override;
  void SetText(const Text& text) override;

 private:
  HWND owner_;
};

/// SHObjectProperties, shell32 ordinal 178, called with its wide-character signature. Where the entry point is
/// missing the call does nothing.
class Win32Shell final : public Shell {
 public:
  std::int32_t SHObjectProperties(WindowHandle window, std::int32_t object_type, const Text& object_name,
                                  const Text& page_name) override;
};

/// LoadResString as LoadStringW on the control's own module: the resource loader picks the table of the
/// user-interface language. An id that no table holds raises 326.
class Win32StringSource final : public StringSource {
 public:
  Text LoadResString(std::int32_t id) override;
};

/// The user's decimal and thousands separators.
Locale UserLocale();

}  // namespace bsi::win32
