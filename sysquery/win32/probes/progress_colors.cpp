// SPDX-License-Identifier: MIT
// Colours of a progress bar. A themed bar ignores PBM_SETBARCOLOR, so the theme is switched off for that bar
// first. Wine rejects SetWindowTheme(bar, L"", L"") but accepts a single space, which matches no theme either.
#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include "probe_util.h"
#include "probes.h"

namespace bsq {

void SetProgressBarColors(HWND bar, COLORREF bar_color, COLORREF back_color) {
  if (bar == nullptr || !IsWindow(bar)) detail::ThrowWin32(ERROR_INVALID_WINDOW_HANDLE, "the gauge is no window");
  SetWindowTheme(bar, L" ", L" ");  // without visual styles there is no theme to switch off: not an error
  SendMessageW(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(bar_color));
  SendMessageW(bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(back_color));
}

}  // namespace bsq
