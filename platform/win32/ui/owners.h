// SPDX-License-Identifier: MIT
// Owners for the window and GDI handles of the user interface: each handle is released exactly once.
#pragma once

#include <windows.h>

#include <string>

#include "unique_handle.h"  // platform/win32/common

namespace bsi::win32 {

namespace detail {
inline void DestroyWindowHandle(HWND window) noexcept {
  DestroyWindow(window);
}
inline void DeleteGdiObject(HGDIOBJ object) noexcept {
  DeleteObject(object);
}
inline void DestroyIconHandle(HICON icon) noexcept {
  DestroyIcon(icon);
}
inline void DestroyMenuHandle(HMENU menu) noexcept {
  DestroyMenu(menu);
}
inline void DeleteDcHandle(HDC dc) noexcept {
  DeleteDC(dc);
}
}  // namespace detail

using UniqueHwnd = UniqueHandle<HWND, &detail::DestroyWindowHandle>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, &detail::DeleteGdiObject>;  // fonts, brushes, bitmaps
using UniqueIcon = UniqueHandle<HICON, &detail::DestroyIconHandle>;
using UniqueMenu = UniqueHandle<HMENU, &detail::DestroyMenuHandle>;
using UniqueMemoryDc = UniqueHandle<HDC, &detail::DeleteDcHandle>;  // from CreateCompatibleDC

/// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

/// Selects an object into a DC and puts the old one back on scope exit.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (old_ != nullptr && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

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
