// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo: in-place activation, the resize rule, the ambient UserMode, IOleInPlaceActiveObject,
// IOleControl and IQuickActivate.
#include <windows.h>

#include <olectl.h>

#include <algorithm>
#include <climits>
#include <cstddef>
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

// The fields of QACONTAINER this control reads; older containers pass a shorter structure.
constexpr ULONG kQaContainerMinSize = offsetof(QACONTAINER, dwAmbientFlags) + sizeof(DWORD);
// QACONTROL before dwPointerActivationPolicy was added.
constexpr ULONG kQaControlMinSize = offsetof(QACONTROL, dwPointerActivationPolicy);

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

// ---- ambient properties ----

void ctlBrindtSysInfo::ReadUserMode() noexcept {
  bool user_mode = true;
  ComPtr<IDispatch> ambients;
  if (client_site_ && SUCCEEDED(client_site_.As(&ambients))) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    UniqueVariant value;
    if (SUCCEEDED(ambients->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                   value.get(), nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(value.get(), value.get(), 0, VT_BOOL))) {
      user_mode = V_BOOL(value.get()) != VARIANT_FALSE;
    }
  }
  SetUserMode(user_mode);
}

void ctlBrindtSysInfo::SetUserMode(bool user_mode) noexcept {
  if (user_mode == user_mode_) return;
  user_mode_ = user_mode;
  SendViewChange();
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

// ---- IOleControl ----

HRESULT ctlBrindtSysInfo::GetControlInfo(CONTROLINFO* info) noexcept {
  if (!info) return E_POINTER;
  // No mnemonics and no special keys.
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT ctlBrindtSysInfo::OnMnemonic(MSG* msg) noexcept {
  return msg ? S_OK : E_POINTER;
}

HRESULT ctlBrindtSysInfo::OnAmbientPropertyChange(DISPID id) noexcept {
  // DISPID_UNKNOWN: several ambients changed at once.
  if (id == DISPID_AMBIENT_USERMODE || id == DISPID_UNKNOWN) ReadUserMode();
  return S_OK;
}

HRESULT ctlBrindtSysInfo::FreezeEvents(BOOL freeze) noexcept {
  // The source interface has no events; the count is kept so that the calls pair up.
  if (freeze) {
    ++frozen_events_;
  } else if (frozen_events_ > 0) {
    --frozen_events_;
  }
  return S_OK;
}

// ---- IQuickActivate ----

HRESULT ctlBrindtSysInfo::QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept {
  if (!container || !control) return E_POINTER;
  if (container->cbSize < kQaContainerMinSize || control->cbSize < kQaControlMinSize) return E_INVALIDARG;
  if (!container->pClientSite) return E_INVALIDARG;

  // What SetClientSite does, with the ambient UserMode taken from the flags instead of a call back.
  client_site_ = container->pClientSite;
  if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
  SetUserMode((container->dwAmbientFlags & QACONTAINER_USERMODE) != 0);

  control->dwMiscStatus = kMiscStatus;
  // Transparent and not solid: at design time only the icon's own pixels are drawn, at run time none.
  control->dwViewStatus = 0;
  control->dwEventCookie = 0;
  control->dwPropNotifyCookie = 0;  // no properties, so no property notifications
  if (control->cbSize >= sizeof(QACONTROL)) control->dwPointerActivationPolicy = 0;
  if (container->pUnkEventSink) {
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (SUCCEEDED(FindConnectionPoint(DIID___ctlBrindtSysInfo, &point)) &&
        SUCCEEDED(point->Advise(container->pUnkEventSink, &cookie))) {
      control->dwEventCookie = cookie;
    }
  }
  return S_OK;
}

HRESULT ctlBrindtSysInfo::SetContentExtent(LPSIZEL size) noexcept {
  return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT ctlBrindtSysInfo::GetContentExtent(LPSIZEL size) noexcept {
  return GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace bsi::win32::com
