// SPDX-License-Identifier: MIT
// ctlBrindtSysInfo and its container's ambient properties: the ambient UserMode, IOleControl and IQuickActivate.
#include <windows.h>

#include <olectl.h>

#include <cstddef>

#include "common/unique_handle.h"
#include "ctl_brindt_sysinfo.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

namespace {

// The fields of QACONTAINER this control reads; older containers pass a shorter structure.
constexpr ULONG kQaContainerMinSize = offsetof(QACONTAINER, dwAmbientFlags) + sizeof(DWORD);
// QACONTROL before dwPointerActivationPolicy was added.
constexpr ULONG kQaControlMinSize = offsetof(QACONTROL, dwPointerActivationPolicy);

}  // namespace

// ---- ambient properties ----

void ControlObject::ReadUserMode() noexcept {
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

void ControlObject::SetUserMode(bool user_mode) noexcept {
  if (user_mode == user_mode_) return;
  user_mode_ = user_mode;
  SendViewChange();
}

// ---- IOleControl ----

HRESULT ControlObject::GetControlInfo(CONTROLINFO* info) noexcept {
  if (!info) return E_POINTER;
  // No mnemonics and no special keys.
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

HRESULT ControlObject::OnMnemonic(MSG* msg) noexcept {
  return msg ? S_OK : E_POINTER;
}

HRESULT ControlObject::OnAmbientPropertyChange(DISPID id) noexcept {
  // DISPID_UNKNOWN: several ambients changed at once.
  if (id == DISPID_AMBIENT_USERMODE || id == DISPID_UNKNOWN) ReadUserMode();
  return S_OK;
}

HRESULT ControlObject::FreezeEvents(BOOL freeze) noexcept {
  // The source interface has no events; the count is kept so that the calls pair up.
  if (freeze) {
    ++frozen_events_;
  } else if (frozen_events_ > 0) {
    --frozen_events_;
  }
  return S_OK;
}

// ---- IQuickActivate ----

HRESULT ControlObject::QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept {
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

HRESULT ControlObject::SetContentExtent(LPSIZEL size) noexcept {
  return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT ControlObject::GetContentExtent(LPSIZEL size) noexcept {
  return GetExtent(DVASPECT_CONTENT, size);
}

}  // namespace bsi::win32::com
