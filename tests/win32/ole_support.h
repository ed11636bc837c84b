// SPDX-License-Identifier: MIT
// Helpers of the OLE control tests: expect/called counters in Wine's manner, the control created through COM,
// and the last Release checked.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <wrl/client.h>

#include "BrindtSysInfo.h"
#include "wine_test.h"

namespace ole_test {

template <typename I>
Microsoft::WRL::ComPtr<I> CreateControl() {
  Microsoft::WRL::ComPtr<I> control;
  const HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
  ok(hr == S_OK, "CoCreateInstance: hr %#lx\n", hr);
  return control;
}

/// Ends a test's use of an object whose last pointer the test holds.
template <typename I>
void ExpectLastRelease(Microsoft::WRL::ComPtr<I>& object, const char* what) {
  if (!object) return;
  const ULONG left = object.Detach()->Release();
  ok(left == 0, "%s: last Release returned %lu\n", what, left);
}

/// The control's square in pixels of the screen: 600 twips.
inline SIZE SquarePixels() {
  HDC screen = GetDC(nullptr);
  const SIZE side{MulDiv(600, GetDeviceCaps(screen, LOGPIXELSX), 1440),
                  MulDiv(600, GetDeviceCaps(screen, LOGPIXELSY), 1440)};
  ReleaseDC(nullptr, screen);
  return side;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace ole_test
