// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo in place: activation, the resize rule, IOleInPlaceObject(Windowless) and
// IOleInPlaceActiveObject.
#include <windows.h>

#include <olectl.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "common/unique_handle.h"
#include "ctl_brindt_sysinfo.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

namespace {

// The square's side in twips, whatever the container asks.
constexpr int kSideTwips = 600;

// The square in the screen's pixels: 40 x 40 at 96 dpi.
SIZE FixedPixels() noexcept {
  SIZE side{40, 40};
  const WindowDc screen(nullptr);
  if (screen.get() != nullptr) {
    side.cx = MulDiv(kSideTwips, GetDeviceCaps(screen.get(), LOGPIXELSX), 1440);
    side.cy = MulDiv(kSideTwips, GetDeviceCaps(screen.get(), LOGPIXELSY), 1440);
  }
  return side;
}

}  // namespace

// ---- activation ----

// The control has no window of its own: activation tells the site that it is active (windowless where the site
// allows it) and asks it to take the fixed square.
HRESULT ctlBrindtSysInfo::ActivateInPlace(LPCRECT rect) noexcept {
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

void ctlBrindtSysInfo::ApplyFixedSize(const RECT* asked, bool from_rects) noexcept {
  const SIZE side = FixedPixels();
  if (asked) {
    // The corner stays where it was asked, unless the square would leave the coordinate range there.
    const LONG left = static_cast<LONG>(std::min<long long>(asked->left, LONG_MAX - side.cx));
    const LONG top = static_cast<LONG>(std::min<long long>(asked->top, LONG_MAX - side.cy));
    position_ = {left, top, left + side.cx, top + side.cy};
    const long long width = static_cast<long long>(asked->right) - asked->left;
    const long long height = static_cast<long long>(asked->bottom) - asked->top;
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

HRESULT ctlBrindtSysInfo::GetWindow(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = nullptr;
  return E_FAIL;  // windowless and invisible
}

HRESULT ctlBrindtSysInfo::ContextSensitiveHelp(BOOL) noexcept {
  return E_NOTIMPL;
}

HRESULT ctlBrindtSysInfo::InPlaceDeactivate() noexcept {
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

HRESULT ctlBrindtSysInfo::UIDeactivate() noexcept {
  return S_OK;
}

HRESULT ctlBrindtSysInfo::SetObjectRects(LPCRECT position, LPCRECT clip) noexcept {
  if (!position || !clip) return E_POINTER;
  ApplyFixedSize(position, true);
  return S_OK;
}

HRESULT ctlBrindtSysInfo::ReactivateAndUndo() noexcept {
  return INPLACE_E_NOTUNDOABLE;
}

// ---- IOleInPlaceObjectWindowless ----

// No mouse, keyboard or focus of its own: every message goes to the container's default handling.
HRESULT ctlBrindtSysInfo::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) noexcept {
  if (!result) return E_POINTER;
  *result = 0;
  return S_FALSE;
}

HRESULT ctlBrindtSysInfo::GetDropTarget(IDropTarget** target) noexcept {
  if (!target) return E_POINTER;
  *target = nullptr;
  return E_NOTIMPL;  // nothing can be dropped on it
}

// ---- IOleInPlaceActiveObject ----

HRESULT ctlBrindtSysInfo::TranslateAccelerator(LPMSG msg) noexcept {
  return msg ? S_FALSE : E_POINTER;
}

HRESULT ctlBrindtSysInfo::OnFrameWindowActivate(BOOL) noexcept {
  return S_OK;
}

HRESULT ctlBrindtSysInfo::OnDocWindowActivate(BOOL) noexcept {
  return S_OK;
}

HRESULT ctlBrindtSysInfo::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept {
  return S_OK;  // no toolbars to place
}

HRESULT ctlBrindtSysInfo::EnableModeless(BOOL) noexcept {
  return S_OK;
}

}  // namespace bsi::win32::com
