// SPDX-License-Identifier: MIT
// What every window file needs besides the owners: the core's UTF-16 text as wide strings, and the module whose
// resources and window classes the windows use.
#pragma once

#include <windows.h>

#include <string>

namespace bsi::win32 {

/// The module that holds this code (the control's DLL, never the host's executable).
HMODULE ThisModule() noexcept;

/// UTF-16 text of the core as a wide string pointer: both are UTF-16 on Windows.
inline const wchar_t* Wide(const std::u16string& text) noexcept {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
inline std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

}  // namespace bsi::win32
