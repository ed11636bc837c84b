// SPDX-License-Identifier: MIT
// sysinfo_dump: the information list of this machine without a window. Builds the list with the core's LoadSysInfo
// over an in-memory list view and the real query library (BrindtSysQuery.dll, registered), and prints one line
// per row, "label value", as UTF-8. Exit code 0, or 1 when the build stopped with an error (printed to stderr).
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <cstdio>
#include <set>
#include <string>

#include "info_list/load_sys_info.h"
#include "query_client.h"
#include "resources/strings.h"
#include "runtime/error.h"
#include "runtime/memory_list_view.h"
#include "ui_language.h"
#include "unique_handle.h"

namespace {

/// No window to lock or resize.
class NoWindowSystem final : public bsi::WindowSystem {
 public:
  std::int32_t LockWindowUpdate(bsi::WindowHandle) override { return 1; }
  std::int32_t SendMessageA(bsi::WindowHandle, std::uint32_t, std::int32_t, std::int32_t) override { return 0; }
};

/// The message box goes to stderr.
class ErrorOutput final : public bsi::MsgBox {
 public:
  void Show(const bsi::Text& prompt, std::int32_t, const bsi::Text& title) override {
    std::fprintf(stderr, "%s: %s\n", bsi::ToUtf8(title).c_str(), bsi::ToUtf8(prompt).c_str());
    shown = true;
  }
  bool shown = false;
};

int CALLBACK CountFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM names) {
  reinterpret_cast<std::set<std::wstring>*>(names)->insert(font->lfFaceName);
  return 1;
}

/// The screen's font families, as the form run time's Screen.FontCount counts them.
class ScreenFonts final : public bsi::Screen {
 public:
  std::int16_t FontCount() override {
    std::set<std::wstring> names;
    const bsi::win32::WindowDc screen(nullptr);
    LOGFONTW any{};
    any.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen.get(), &any, CountFamily, reinterpret_cast<LPARAM>(&names), 0);
    return static_cast<std::int16_t>(names.size() > 32767 ? 32767 : names.size());
  }
};

class PowerStatus final : public bsi::Battery {
 public:
  std::int16_t BatteryStatus() override {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status) || status.BatteryFlag == 255) return kUnknown;
    if (status.BatteryFlag & 128) return kNoBattery;
    return static_cast<std::int16_t>(status.BatteryFlag & (kHigh | kLow | kCritical | kCharging));
  }
  std::int16_t BatteryLifePercent() override {
    SYSTEM_POWER_STATUS status{};
    if (!GetSystemPowerStatus(&status) || status.BatteryLifePercent > 100) return 255;
    return status.BatteryLifePercent;
  }
};

char16_t LocaleUnit(LCTYPE type, char16_t fallback) {
  wchar_t text[8] = {};
  return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 8) > 1 ? static_cast<char16_t>(text[0]) : fallback;
}

std::string Line(const bsi::Text& text) {
  bsi::Text shown = text;
  // Multi-strings are joined by NUL; a line shows them with a space.
  for (char16_t& unit : shown) {
    if (unit == u'\0' || unit == u'\r' || unit == u'\n') unit = u' ';
  }
  return bsi::ToUtf8(shown);
}

}  // namespace

int main() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (FAILED(hr)) {
    std::fprintf(stderr, "CoInitializeEx failed: %#lx\n", static_cast<unsigned long>(hr));
    return 1;
  }
  int exit_code = 0;
  {
    bsi::Catalogue strings(bsi::win32::UserUiLanguage());
    const bsi::Locale locale{LocaleUnit(LOCALE_SDECIMAL, u'.'), LocaleUnit(LOCALE_STHOUSAND, u',')};
    bsi::MemoryListView list;
    NoWindowSystem window_system;
    ErrorOutput message_box;
    ScreenFonts screen;
    PowerStatus battery;
    auto library = bsi::win32::CreateComQueryLibrary();
    bsi::LoadSysInfo({list, window_system, message_box, screen, battery, strings, locale, *library});
    for (const bsi::MemoryListView::Row& row : list.rows()) {
      std::printf("%s %s\n", Line(row.text).c_str(), Line(row.value).c_str());
    }
    std::fflush(stdout);
    if (message_box.shown) exit_code = 1;
  }
  CoUninitialize();
  return exit_code;
}
