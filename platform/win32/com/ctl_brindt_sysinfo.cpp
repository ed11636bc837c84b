// SPDX-License-Identifier: MIT
#include "ctl_brindt_sysinfo.h"

#include <oleauto.h>

#include <vector>

#include "common/com_error.h"
#include "ui/show_info_window.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

// _ctlBrindtSysInfo

HRESULT ControlObject::ShowSysInfo(VARIANT* result) noexcept {
  if (!result) return E_POINTER;
  VariantInit(result);
  SetErrorInfo(0, nullptr);
  // The host may let go of the control while the modal window runs its message loop.
  ComPtr<_ctlBrindtSysInfo> keep_alive(this);
  try {
    ShowSysInfoWindow(*module_);
  } catch (...) {
    return CurrentExceptionHresult(IID__ctlBrindtSysInfo, kErrorSource);
  }
  return S_OK;
}

// IOleObject

HRESULT ControlObject::SetClientSite(IOleClientSite* site) noexcept {
  // A site that goes while the control is active still hears of the deactivation.
  if (!site) InPlaceDeactivate();
  client_site_ = site;
  // Without a site the last mode stays: a container that lets go gets no view change back.
  if (site) ReadUserMode();
  return S_OK;
}

HRESULT ControlObject::GetClientSite(IOleClientSite** site) noexcept {
  if (!site) return E_POINTER;
  return client_site_.CopyTo(site);
}

HRESULT ControlObject::SetHostNames(LPCOLESTR, LPCOLESTR) noexcept {
  return S_OK;
}

HRESULT ControlObject::Close(DWORD) noexcept {
  // Nothing to save: the control has no state.
  InPlaceDeactivate();
  // The view's sink belongs to the running object; a container that runs the control again advises again.
  view_sink_.Reset();
  view_aspects_ = 0;
  view_flags_ = 0;
  if (advise_holder_) advise_holder_->SendOnClose();
  return S_OK;
}

HRESULT ControlObject::SetMoniker(DWORD, IMoniker*) noexcept {
  return E_NOTIMPL;
}

HRESULT ControlObject::GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept {
  if (!moniker) return E_POINTER;
  *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlObject::InitFromData(IDataObject*, BOOL, DWORD) noexcept {
  return E_NOTIMPL;
}

HRESULT ControlObject::GetClipboardData(DWORD, IDataObject** data) noexcept {
  if (!data) return E_POINTER;
  *data = nullptr;
  return E_NOTIMPL;
}

HRESULT ControlObject::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT rect) noexcept {
  if (site && !client_site_) {
    client_site_ = site;
    ReadUserMode();
  }
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(rect);
    case OLEIVERB_HIDE:
      return S_OK;
    default:
      if (verb < 0) return E_NOTIMPL;
      // An unknown positive verb counts as the primary one.
      return SUCCEEDED(ActivateInPlace(rect)) ? OLEOBJ_S_INVALIDVERB : E_FAIL;
  }
}

HRESULT ControlObject::EnumVerbs(IEnumOLEVERB** verbs) noexcept {
  if (!verbs) return E_POINTER;
  *verbs = nullptr;
  return OleRegEnumVerbs(CLSID_ctlBrindtSysInfo, verbs);
}

HRESULT ControlObject::Update() noexcept {
  return S_OK;
}

HRESULT ControlObject::IsUpToDate() noexcept {
  return S_OK;
}

HRESULT ControlObject::GetUserClassID(CLSID* clsid) noexcept {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_ctlBrindtSysInfo;
  return S_OK;
}

HRESULT ControlObject::GetUserType(DWORD form, LPOLESTR* type) noexcept {
  if (!type) return E_POINTER;
  *type = nullptr;
  return OleRegGetUserType(CLSID_ctlBrindtSysInfo, form, type);
}

HRESULT ControlObject::Advise(IAdviseSink* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_INVALIDARG;
  if (!advise_holder_) {
    if (const HRESULT hr = CreateOleAdviseHolder(&advise_holder_); FAILED(hr)) return hr;
  }
  return advise_holder_->Advise(sink, cookie);
}

HRESULT ControlObject::Unadvise(DWORD cookie) noexcept {
  if (!advise_holder_) return OLE_E_NOCONNECTION;
  return advise_holder_->Unadvise(cookie);
}

HRESULT ControlObject::EnumAdvise(IEnumSTATDATA** advise) noexcept {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  if (!advise_holder_) return S_OK;
  return advise_holder_->EnumAdvise(advise);
}

HRESULT ControlObject::GetMiscStatus(DWORD aspect, DWORD* status) noexcept {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

HRESULT ControlObject::SetColorScheme(LOGPALETTE*) noexcept {
  return E_NOTIMPL;
}

// IProvideClassInfo, IProvideClassInfo2

HRESULT ControlObject::GetClassInfo(ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  return GetInterfaceTypeInfo(CLSID_ctlBrindtSysInfo, info);
}

HRESULT ControlObject::GetGUID(DWORD kind, GUID* guid) noexcept {
  if (!guid) return E_POINTER;
  *guid = GUID_NULL;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
  *guid = DIID___ctlBrindtSysInfo;
  return S_OK;
}

// IConnectionPointContainer

HRESULT ControlObject::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
  if (!points) return E_POINTER;
  *points = nullptr;
  ComPtr<IConnectionPoint> point;
  if (const HRESULT hr = FindConnectionPoint(DIID___ctlBrindtSysInfo, &point); FAILED(hr)) return hr;
  try {
    return ConnectionPointEnum::Create(IID_PPV_ARGS(points), std::vector<ComPtr<IConnectionPoint>>{point});
  } catch (...) {
    return E_OUTOFMEMORY;  // the list could not be made
  }
}

HRESULT ControlObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != DIID___ctlBrindtSysInfo) return CONNECT_E_NOCONNECTION;
  return ConnectionPoint::Create(IID_PPV_ARGS(point), this, DIID___ctlBrindtSysInfo, &sinks_);
}

// ISupportErrorInfo

HRESULT ControlObject::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return iid == IID__ctlBrindtSysInfo ? S_OK : S_FALSE;
}

}  // namespace bsi::win32::com
