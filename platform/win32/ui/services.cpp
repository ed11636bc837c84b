// SPDX-License-Identifier: MIT
#include "services.h"

#include <commctrl.h>

#include <cstring>

#include "runtime/error.h"
#include "ui_language.h"
#include "unique_handle.h"
#include "wide_text.h"

namespace bsi::win32 {
namespace {

constexpr std::int32_t kCantOpenClipboard = 521;

int CALLBACK CountFontFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM counter) {
  auto& count = *reinterpret_cast<int*>(counter);
  return ++count < 32767 ? 1 : 0;
}

// The clipboard, open while this lives. Another program may hold it for a moment (clipboard viewers,
// remote-desktop clients), so opening is retried briefly before it fails with 521.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) {
    for (int attempt = 0; !OpenClipboard(owner); ++attempt) {
      if (attempt == 10) Raise(kCantOpenClipboard, u"Can't open Clipboard");
      Sleep(10);
    }
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  ~ClipboardSession() { CloseClipboard(); }
};

}  // namespace

HMODULE ThisModule() noexcept {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

std::int32_t Win32WindowSystem::LockWindowUpdate(WindowHandle window) {
  return ::LockWindowUpdate(reinterpret_cast<HWND>(window));
}

std::int32_t Win32WindowSystem::SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                                             std::int32_t lparam) {
  const auto hwnd = reinterpret_cast<HWND>(window);
  // wParam and lParam are sign-extended, as the 32-bit binding passed them (LVSCW_AUTOSIZE is -1).
  const auto column = static_cast<WPARAM>(static_cast<LONG_PTR>(wparam));
  if (message == LVM_SETCOLUMNWIDTH && lparam == WindowSystem::kAutosizeLastColumn) {
    // What comctl32 makes of the header rule on the last column (heading or the rest of the list), widened
    // to the column's widest text where that is wider.
    const auto result = static_cast<std::int32_t>(::SendMessageA(hwnd, message, column, LVSCW_AUTOSIZE_USEHEADER));
    const auto filled = ::SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, column, 0);
    ::SendMessageW(hwnd, LVM_SETCOLUMNWIDTH, column, LVSCW_AUTOSIZE);
    const auto content = ::SendMessageW(hwnd, LVM_GETCOLUMNWIDTH, column, 0);
    if (filled > content) ::SendMessageW(hwnd, LVM_SETCOLUMNWIDTH, column, filled);
    return result;
  }
  return static_cast<std::int32_t>(::SendMessageA(hwnd, message, column, static_cast<LPARAM>(lparam)));
}

void Win32MsgBox::Show(const Text& prompt, std::int32_t style, const Text& title) {
  // Owned by the active window of this thread, so that the box is modal over it.
  MessageBoxW(GetActiveWindow(), Wide(prompt), Wide(title), static_cast<UINT>(style) | MB_SETFOREGROUND);
}

std::int16_t Win32Screen::FontCount() {
  WindowDc screen(nullptr);
  if (screen.get() == nullptr) return 0;
  LOGFONTW filter{};
  filter.lfCharSet = DEFAULT_CHARSET;
  int count = 0;
  EnumFontFamiliesExW(screen.get(), &filter, &CountFontFamily, reinterpret_cast<LPARAM>(&count), 0);
  return static_cast<std::int16_t>(count < 32767 ? count : 32767);
}

std::int16_t Win32Battery::BatteryStatus() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) return Battery::kUnknown;
  return status.BatteryFlag;
}

std::int16_t Win32Battery::BatteryLifePercent() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) return Battery::kUnknown;
  return status.BatteryLifePercent;
}

void Win32Clipboard::Clear() {
  ClipboardSession clipboard(owner_ != nullptr ? owner_ : GetActiveWindow());
  EmptyClipboard();
}

void Win32Clipboard::SetText(const Text& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) Raise(err::kOutOfMemory);
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
  }
  try {
    ClipboardSession clipboard(owner_ != nullptr ? owner_ : GetActiveWindow());
    // Clipboard.SetText replaces what the clipboard holds.
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
      GlobalFree(memory);
      Raise(kCantOpenClipboard, u"Can't open Clipboard");
    }
  } catch (...) {
    GlobalFree(memory);
    throw;
  }
}

std::int32_t Win32Shell::SHObjectProperties(WindowHandle window, std::int32_t object_type, const Text& object_name,
                                            const Text& page_name) {
  using Function = BOOL(WINAPI*)(HWND, DWORD, PCWSTR, PCWSTR);
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (shell == nullptr) shell = LoadLibraryW(L"shell32.dll");
  if (shell == nullptr) return 0;
  auto function = reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(shell, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(178)))));
  if (function == nullptr) return 0;
  return function(reinterpret_cast<HWND>(window), static_cast<DWORD>(object_type), Wide(object_name), Wide(page_name));
}

Text Win32StringSource::LoadResString(std::int32_t id) {
  // The table of the language that UserUiLanguage() names, not the one LoadStringW would pick by the thread's
  // locale: an Austrian or Swiss German user gets the German table, as the query library's own words do.
  const LANGID language = UserUiLanguage() == UiLanguage::German ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                                                                 : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
  if (id < 0 || id > 0xFFFF) RaiseResourceNotFound(id);
  // A string table block holds 16 strings, each a 16-bit length and that many UTF-16 units.
  const auto block_id = static_cast<WORD>(id / 16 + 1);
  HMODULE module = ThisModule();
  HRSRC found = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block_id), language);
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const auto* units = loaded != nullptr ? static_cast<const WORD*>(LockResource(loaded)) : nullptr;
  if (units == nullptr) RaiseResourceNotFound(id);
  const std::size_t size = SizeofResource(module, found) / sizeof(WORD);
  std::size_t at = 0;
  for (int index = 0; index < id % 16; ++index) {
    if (at >= size) RaiseResourceNotFound(id);
    at += 1 + units[at];
  }
  if (at >= size || units[at] == 0 || at + 1 + units[at] > size) RaiseResourceNotFound(id);
  return FromWide(reinterpret_cast<const wchar_t*>(units + at + 1), units[at]);
}

Locale UserLocale() {
  Locale locale = Locale::English();
  wchar_t buffer[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8) > 1) {
    locale.decimal_separator = static_cast<char16_t>(buffer[0]);
  }
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, buffer, 8) > 1) {
    locale.thousands_separator = static_cast<char16_t>(buffer[0]);
  }
  return locale;
}

}  // namespace bsi::win32
