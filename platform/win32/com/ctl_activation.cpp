// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo: in-place activation, the resize rule, the ambient UserMode, IOleInPlaceActiveObject,
// IOleControl and IQuickActivate.
#include <windows.h>

#include <olectl.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "common/owners.h"
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
  if (HDC screen = GetDC(nullptr)) {
    if (const int x = GetDeviceCaps(screen, LOGPIXELSX); x > 0) dpi.x = x;
    if (const int y = GetDeviceCaps(screen, LOGPIXELSY); y > 0) dpi.y = y;
    ReleaseDC(nullptr, screen);
  }
  return dpi;
}

SIZE Pixels(bsi::Extent twips, Dpi dpi) noexcept {
  return SIZE{FromTwips(twips.width, dpi.x), FromTwips(twips.height, dpi.y)};
}

SIZEL Himetric(bsi::Extent twips) noexcept {
  return SIZEL{FromTwips(twips.width, kHimetricPerInch), FromTwips(twips.height, kHimetricPerInch)};
}

// The fields of QACONTAINER this control reads; older containers pass a shorter structure.
constexpr ULONG kQaContainerMinSize = offsetof(QACONTAINER, dwAmbientFlags) + sizeof(DWORD);
// QACONTROL before dwPointerActivationPolicy was added.
constexpr ULONG kQaControlMinSize = offsetof(QACONTROL, dwPointerActivationPolicy);

}  // namespace

// ---- activation ----

// The control has no window of its own: activation tells the site that it is active (windowless where the site
// allows it) and asks it to take the fixed square.
HRESULT CtlBrindtSysInfo::ActivateInPlace(LPCRECT rect) noexcept {
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

HRESULT CtlBrindtSysInfo::SetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  size_ = bsi::ctlBrindtSysInfo::UserControl_Resize(
      bsi::Extent{ClampedTwips(size->cx, kHimetricPerInch), ClampedTwips(size->cy, kHimetricPerInch)});
  // The container is asked to take the size the rule decided when it asked for another one.
  const SIZEL taken = Himetric(size_);
  if (size->cx != taken.cx || size->cy != taken.cy) ApplyFixedSize(nullptr, false);
  return S_OK;
}

HRESULT CtlBrindtSysInfo::GetExtent(DWORD aspect, SIZEL* size) noexcept {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  *size = Himetric(size_);
  return S_OK;
}

void CtlBrindtSysInfo::ApplyFixedSize(const RECT* asked, bool from_rects) noexcept {
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

// ---- ambient properties ----

void CtlBrindtSysInfo::ReadUserMode() noexcept {
  bool user_mode = true;
  ComPtr<IDispatch> ambients;
  if (client_site_ && SUCCEEDED(client_site_.As(&ambients))) {
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    bsi::com::UniqueVariant value;
    if (SUCCEEDED(ambients->Invoke(DISPID_AMBIENT_USERMODE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                   value.get(), nullptr, nullptr)) &&
        SUCCEEDED(VariantChangeType(value.get(), value.get(), 0, VT_BOOL))) {
      user_mode = V_BOOL(value.get()) != VARIANT_FALSE;
    }
  }
  SetUserMode(user_mode);
}

void CtlBrindtSysInfo::SetUserMode(bool user_mode) noexcept {
  if (user_mode == user_mode_) return;
  user_mode_ = user_mode;
  SendViewChange();
}

// ---- IOleInPlaceObjectWindowless ----

HRESULT CtlBrindtSysInfo::WindowlessFace::QueryInterface(REFIID iid, void** out) noexcept {
  return outer_->QueryInterface(iid, out);
}

ULONG CtlBrindtSysInfo::WindowlessFace::AddRef() noexcept {
  return outer_->AddRef();
}

ULONG CtlBrindtSysInfo::WindowlessFace::Release() noexcept {
  return outer_->Release();
}

HRESULT CtlBrindtSysInfo::WindowlessFace::GetWindow(HWND* window) noexcept {
  return outer_->GetWindow(window);
}

HRESULT CtlBrindtSysInfo::WindowlessFace::ContextSensitiveHelp(BOOL enter) noexcept {
  return outer_->ContextSensitiveHelp(enter);
}

HRESULT CtlBrindtSysInfo::WindowlessFace::InPlaceDeactivate() noexcept {
  return outer_->InPlaceDeactivate();
}

HRESULT CtlBrindtSysInfo::WindowlessFace::UIDeactivate() noexcept {
  return outer_->UIDeactivate();
}

HRESULT CtlBrindtSysInfo::WindowlessFace::SetObjectRects(LPCRECT position, LPCRECT clip) noexcept {
  return outer_->SetObjectRects(position, clip);
}

HRESULT CtlBrindtSysInfo::WindowlessFace::ReactivateAndUndo() noexcept {
  return outer_->ReactivateAndUndo();
}

// No mouse, keyboard or focus of its own: every message goes to the container's default handling.
HRESULT CtlBrindtSysInfo::WindowlessFace::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) noexcept {
  if (!result) return E_POINTER;
  *result = 0;
  return S_FALSE;
}

HRESULT CtlBrindtSysInfo::WindowlessFace::GetDropTarget(IDropTarget** target) noexcept {
  if (!target) return E_POINTER;
  *target = nullptr;
  return E_NOTIMPL;  // nothing can be dropped on it
}

// ---- IOleInPlaceActiveObject ----

HRESULT CtlBrindtSysInfo::TranslateAccelerator(LPMSG msg) noexcept {
  return msg ? S_FALSE : E_POINTER;
}

HRESULT CtlBrindtSysInfo::OnFrameWindowActivate(BOOL) noexcept {
  return S_OK;
}

HRESULT CtlBrindtSysInfo::OnDocWindowActivate(BOOL) noexcept {
  return S_OK;
}

HRESULT CtlBrindtSysInfo::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) noexcept {
  return S_OK;  // no toolbars to place
}

HRESULT CtlBrindtSysInfo::EnableModeless(BOOL) noexcept {
  return S_OK;
}

// ---- IOleControl ----

HRESULT CtlBrindtSysInfo::GetControlInfo(CONTROLINFO* info) noexcept {
  if (!info) return E_POINTER;
  // No mnemonics and no special keys.
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::OnMnemonic(MSG* msg) noexcept {
  return msg ? S_OK : E_POINTER;
}

HRESULT CtlBrindtSysInfo::OnAmbientPropertyChange(DISPID id) noexcept {
  // DISPID_UNKNOWN: several ambients changed at once.
  if (id == DISPID_AMBIENT_USERMODE || id == DISPID_UNKNOWN) ReadUserMode();
  return S_OK;
}

HRESULT CtlBrindtSysInfo::FreezeEvents(BOOL freeze) noexcept {
  // The source interface has no events; the count is kept so that the calls pair up.
  if (freeze) {
    ++frozen_events_;
  } else if (frozen_events_ > 0) {
    --frozen_events_;
  }
  return S_OK;
}

// ---- IQuickActivate ----

HRESULT CtlBrindtSysInfo::QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept {
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

HRESULT CtlBrindtSysInfo::SetContentExtent(LPSIZEL size) noexcept {
  return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT CtlBrindtSysInfo::GetContentExtent(LPSIZEL size) noexcept {
  return GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace bsi::win32::com
