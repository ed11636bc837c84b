// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo in place: activation, the resize rule, IOleInPlaceObject(Windowless) and
// IOleInPlaceActiveObject.
#include <windows.h>

#include <olectl.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

#include "common/unique_handle.h"
#include "ctl_brindt_sysinfo.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

namespace {

// The core's resize rule speaks twips; containers speak screen pixels (SetObjectRects) and HIMETRIC (SetExtent).
// Sizes asked come in as 64-bit values, since a rectangle from LONG_MIN to LONG_MAX is 2^32 - 1 wide.
constexpr int kTwipsPerInch = 1440;
constexpr int kHimetricPerInch = 2540;

std::int32_t ClampedTwips(long long units, int units_per_inch) noexcept {
  const long long twips = units * kTwipsPerInch / units_per_inch;
  return static_cast<std::int32_t>(std::clamp<long long>(twips, INT32_MIN, INT32_MAX));
}

LONG FromTwips(std::int32_t twips, int units_per_inch) noexcept {
  return MulDiv(twips, units_per_inch, kTwipsPerInch);
}

// The screen's resolution, 96 dpi when it cannot be read.
struct Dpi {
  int x = 96;
  int y = 96;
};

Dpi ScreenDpi() noexcept {
  Dpi dpi;
  const WindowDc screen(nullptr);
  if (screen.get() != nullptr) {
    if (const int x = GetDeviceCaps(screen.get(), LOGPIXELSX); x > 0) dpi.x = x;
    if (const int y = GetDeviceCaps(screen.get(), LOGPIXELSY); y > 0) dpi.y = y;
  }
  return dpi;
}

SIZE Pixels(bsi::Extent twips, Dpi dpi) noexcept {
  return SIZE{FromTwips(twips.width, dpi.x), FromTwips(twips.height, dpi.y)};
}

SIZEL Himetric(bsi::Extent twips) noexcept {
  return SIZEL{FromTwips(twips.width, kHimetricPerInch), FromTwips(twips.height, kHimetricPerInch)};
}

}  // namespace

// ---- activation ----

// The control has no window of its own: activation tells the site that it is active (windowless where the site
// allows it) and asks it to take the fixed square.
HRESULT ControlObject::ActivateInPlace(LPCRECT rect) noexcept {
  if (in_place_site_) return S_OK;
  if (!client_site_) return S_OK;
  ComPtr<IOleInPlaceSite> site;
  if (FAILED(client_site_.As(&site))) return S_OK;
  if (site->CanInPlaceActivate() != S_OK) return S_OK;
  ComPtr<IOleInPlaceSiteWindowless> windowless;
  const bool as_windowless = SUCCEEDED(site.As(&windowless)) && windowless->CanWindowlessActivate() == S_OK;
  HRESULT hr;
  if (as_windowless) {
    BOOL no_redraw = FALSE;
    hr = windowless->OnInPlaceActivateEx(&no_redraw, ACTIVATE_WINDOWLESS);
  } else {
    hr = site->OnInPlaceActivate();
  }
  if (FAILED(hr)) return hr;
  in_place_site_ = site;
  windowless_ = as_windowless;

  RECT where{};
  bool known = rect != nullptr;
  if (rect) {
    where = *rect;
  } else {
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    RECT clip{};
    OLEINPLACEFRAMEINFO info{};
    info.cb = sizeof(info);
    known = SUCCEEDED(site->GetWindowContext(&frame, &document, &where, &clip, &info));
  }
  if (known) ApplyFixedSize(&where, true);
  return S_OK;
}

// ---- the resize rule ----

HRESULT ControlObject::SetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  size_ = bsi::ctlBrindtSysInfo::UserControl_Resize(
      bsi::Extent{ClampedTwips(size->cx, kHimetricPerInch), ClampedTwips(size->cy, kHimetricPerInch)});
  // The container is asked to take the size the rule decided when it asked for another one.
  const SIZEL taken = Himetric(size_);
  if (size->cx != taken.cx || size->cy != taken.cy) ApplyFixedSize(nullptr, false);
  return S_OK;
}

HRESULT ControlObject::GetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = Himetric(size_);
  return S_OK;
}

void ControlObject::ApplyFixedSize(const RECT* asked, bool from_rects) noexcept {
  if (asked) {
    const Dpi dpi = ScreenDpi();
    const long long width = static_cast<long long>(asked->right) - asked->left;
    const long long height = static_cast<long long>(asked->bottom) - asked->top;
    size_ =
        bsi::ctlBrindtSysInfo::UserControl_Resize(bsi::Extent{ClampedTwips(width, dpi.x), ClampedTwips(height, dpi.y)});
    const SIZE side = Pixels(size_, dpi);
    // The corner stays where it was asked, unless the square would leave the coordinate range there.
    const LONG left = static_cast<LONG>(std::min<long long>(asked->left, LONG_MAX - side.cx));
    const LONG top = static_cast<LONG>(std::min<long long>(asked->top, LONG_MAX - side.cy));
    position_ = {left, top, left + side.cx, top + side.cy};
    if (left == asked->left && top == asked->top && width == side.cx && height == side.cy) return;
  }
  // A container may answer by resizing again; that call keeps the square but asks nothing more.
  if (asking_site_) return;
  asking_site_ = true;
  // The site may let go of the control, or deactivate it, from inside the call.
  ComPtr<IOleObject> keep_alive(this);
  ComPtr<IOleInPlaceSite> in_place = in_place_site_;
  ComPtr<IOleClientSite> client = client_site_;
  RECT wanted = position_;
  auto ask_position = [&] { return in_place ? in_place->OnPosRectChange(&wanted) : E_NOINTERFACE; };
  auto ask_layout = [&] { return client ? client->RequestNewObjectLayout() : E_NOINTERFACE; };
  if (from_rects) {
    if (FAILED(ask_position())) ask_layout();
  } else {
    if (FAILED(ask_layout())) ask_position();
  }
  asking_site_ = false;
}

// ---- IOleWindow, IOleInPlaceObject ----

HRESULT ControlObject::GetWindow(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = nullptr;
  return E_FAIL;  // windowless and invisible
}

HRESULT ControlObject::ContextSensitiveHelp(BOOL) noexcept {
  return E_NOTIMPL;
}

HRESULT ControlObject::InPlaceDeactivate() noexcept {
  if (!in_place_site_) return S_OK;
  // Let go first: the site may call back into the control from OnInPlaceDeactivate.
  ComPtr<IOleInPlaceSite> site = std::move(in_place_site_);
  ComPtr<IOleInPlaceSiteWindowless> windowless;
  if (std::exchange(windowless_, false) && SUCCEEDED(site.As(&windowless))) {
    windowless->OnInPlaceDeactivateEx(TRUE);
  } else {
    site->OnInPlaceDeactivate();
  }
  return S_OK;
}

HRESULT ControlObject::UIDeactivate() noexcept {
  return S_OK;
}

HRESULT ControlObject::SetObjectRects(LPCRECT position, LPCRECT clip) noexcept {
  if (!position || !clip) return E_POINTER;
  ApplyFixedSize(position, true);
  return S_OK;
}

HRESULT ControlObject::ReactivateAndUndo() noexcept {
  return INPLACE_E_NOTUNDOABLE;
}

// ---- IOleInPlaceObjectWindowless ----

// No mouse, keyboard or focus of its own: every message goes to the container's default handling.
HRESULT ControlObject::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) noexcept {
  if (!result) return E_POINTER;
  *result = 0;
  return S_FALSE;
}

HRESULT ControlObject::GetDropTarget(IDropTarget** target) noexcept {
  if (!target) return E_POINTER;
  *target = nullptr;
  return E_NOTIMPL;  // nothing can be dropped on it
}

// ---- IOleInPlaceActiveObject ----

HRESULT ControlObject::TranslateAccelerator(LPMSG msg) noexcept {
  return msg ? S_FALSE : E_POINTER;
}

HRESULT ControlObject::OnFrameWindowActivate(BOOL) noexcept {
  return S_OK;
}

HRESULT ControlObject::OnDocWindowActivate(BOOL) noexcept {
  return S_OK;
}

HRESULT ControlObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept {
  return S_OK;  // no toolbars to place
}

HRESULT ControlObject::EnableModeless(BOOL) noexcept {
  return S_OK;
}

}  // namespace bsi::win32::com
