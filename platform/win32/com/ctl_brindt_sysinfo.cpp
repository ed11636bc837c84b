// SPDX-License-Identifier: MIT
#include "ctl_brindt_sysinfo.h"

#include <oleauto.h>

#include <new>
#include <utility>
#include <vector>

#include "common/com_error.h"
#include "ui/show_sysinfo.h"

using Microsoft::WRL::ComPtr;

namespace bsi::win32::com {

// IUnknown

HRESULT CtlBrindtSysInfo::QueryInterface(REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  IUnknown* base = nullptr;
  if (iid == IID_IOleWindow) {
    base = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IPersist) {
    base = static_cast<IPersistStreamInit*>(this);
  } else if (iid == IID_IProvideClassInfo) {
    base = static_cast<IProvideClassInfo2*>(this);
  } else if (iid == IID_IViewObject) {
    base = static_cast<IViewObject2*>(this);
  } else if (iid == IID_IOleInPlaceObjectWindowless) {
    base = &windowless_face_;
  }
  if (!base) return DispatchObject::QueryInterface(iid, out);
  base->AddRef();
  *out = base;
  return S_OK;
}

// _ctlBrindtSysInfo

HRESULT CtlBrindtSysInfo::ShowSysInfo(VARIANT* result) noexcept {
  if (!result) return E_POINTER;
  VariantInit(result);
  SetErrorInfo(0, nullptr);
  // The host may let go of the control while the modal window runs its message loop.
  ComPtr<_ctlBrindtSysInfo> keep_alive(this);
  try {
    ShowSysInfoWindow(*module_);
  } catch (...) {
    return bsi::com::CurrentExceptionHresult(IID__ctlBrindtSysInfo, kErrorSource);
  }
  return S_OK;
}

// IOleObject

HRESULT CtlBrindtSysInfo::SetClientSite(IOleClientSite* site) noexcept {
  // A site that goes while the control is active still hears of the deactivation.
  if (!site) InPlaceDeactivate();
  client_site_ = site;
  // Without a site the last mode stays: a container that lets go gets no view change back.
  if (site) ReadUserMode();
  return S_OK;
}

HRESULT CtlBrindtSysInfo::GetClientSite(IOleClientSite** site) noexcept {
  if (!site) return E_POINTER;
  return client_site_.CopyTo(site);
}

HRESULT CtlBrindtSysInfo::SetHostNames(LPCOLESTR, LPCOLESTR) noexcept {
  return S_OK;
}

HRESULT CtlBrindtSysInfo::Close(DWORD) noexcept {
  // Nothing to save: the control has no state.
  InPlaceDeactivate();
  // The view's sink belongs to the running object; a container that runs the control again advises again.
  view_sink_.Reset();
  view_aspects_ = 0;
  view_flags_ = 0;
  if (advise_holder_) advise_holder_->SendOnClose();
  return S_OK;
}

HRESULT CtlBrindtSysInfo::SetMoniker(DWORD, IMoniker*) noexcept {
  return E_NOTIMPL;
}

HRESULT CtlBrindtSysInfo::GetMoniker(DWORD, DWORD, IMoniker** moniker) noexcept {
  if (!moniker) return E_POINTER;
  *moniker = nullptr;
  return E_NOTIMPL;
}

HRESULT CtlBrindtSysInfo::InitFromData(IDataObject*, BOOL, DWORD) noexcept {
  return E_NOTIMPL;
}

HRESULT CtlBrindtSysInfo::GetClipboardData(DWORD, IDataObject** data) noexcept {
  if (!data) return E_POINTER;
  *data = nullptr;
  return E_NOTIMPL;
}

HRESULT CtlBrindtSysInfo::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT rect) noexcept {
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

HRESULT CtlBrindtSysInfo::EnumVerbs(IEnumOLEVERB** verbs) noexcept {
  if (!verbs) return E_POINTER;
  return OleRegEnumVerbs(CLSID_ctlBrindtSysInfo, verbs);
}

HRESULT CtlBrindtSysInfo::Update() noexcept {
  return S_OK;
}

HRESULT CtlBrindtSysInfo::IsUpToDate() noexcept {
  return S_OK;
}

HRESULT CtlBrindtSysInfo::GetUserClassID(CLSID* clsid) noexcept {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_ctlBrindtSysInfo;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::GetUserType(DWORD form, LPOLESTR* type) noexcept {
  if (!type) return E_POINTER;
  return OleRegGetUserType(CLSID_ctlBrindtSysInfo, form, type);
}

HRESULT CtlBrindtSysInfo::Advise(IAdviseSink* sink, DWORD* cookie) noexcept {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_INVALIDARG;
  if (!advise_holder_) {
    if (const HRESULT hr = CreateOleAdviseHolder(&advise_holder_); FAILED(hr)) return hr;
  }
  return advise_holder_->Advise(sink, cookie);
}

HRESULT CtlBrindtSysInfo::Unadvise(DWORD cookie) noexcept {
  if (!advise_holder_) return OLE_E_NOCONNECTION;
  return advise_holder_->Unadvise(cookie);
}

HRESULT CtlBrindtSysInfo::EnumAdvise(IEnumSTATDATA** advise) noexcept {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  if (!advise_holder_) return S_OK;
  return advise_holder_->EnumAdvise(advise);
}

HRESULT CtlBrindtSysInfo::GetMiscStatus(DWORD aspect, DWORD* status) noexcept {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kMiscStatus : 0;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::SetColorScheme(LOGPALETTE*) noexcept {
  return E_NOTIMPL;
}

// IOleWindow, IOleInPlaceObject

HRESULT CtlBrindtSysInfo::GetWindow(HWND* window) noexcept {
  if (!window) return E_POINTER;
  *window = nullptr;
  return E_FAIL;  // windowless and invisible
}

HRESULT CtlBrindtSysInfo::ContextSensitiveHelp(BOOL) noexcept {
  return E_NOTIMPL;
}

HRESULT CtlBrindtSysInfo::InPlaceDeactivate() noexcept {
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

HRESULT CtlBrindtSysInfo::UIDeactivate() noexcept {
  return S_OK;
}

HRESULT CtlBrindtSysInfo::SetObjectRects(LPCRECT position, LPCRECT clip) noexcept {
  if (!position || !clip) return E_POINTER;
  ApplyFixedSize(position, true);
  return S_OK;
}

HRESULT CtlBrindtSysInfo::ReactivateAndUndo() noexcept {
  return INPLACE_E_NOTUNDOABLE;
}

// IPersist, IPersistStreamInit

HRESULT CtlBrindtSysInfo::GetClassID(CLSID* clsid) noexcept {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_ctlBrindtSysInfo;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::IsDirty() noexcept {
  return S_FALSE;
}

HRESULT CtlBrindtSysInfo::Load(IStream* stream) noexcept {
  return stream ? S_OK : E_POINTER;
}

HRESULT CtlBrindtSysInfo::Save(IStream* stream, BOOL) noexcept {
  return stream ? S_OK : E_POINTER;
}

HRESULT CtlBrindtSysInfo::GetSizeMax(ULARGE_INTEGER* size) noexcept {
  if (!size) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}

HRESULT CtlBrindtSysInfo::InitNew() noexcept {
  return S_OK;
}

// IProvideClassInfo, IProvideClassInfo2

HRESULT CtlBrindtSysInfo::GetClassInfo(ITypeInfo** info) noexcept {
  if (!info) return E_POINTER;
  return bsi::com::GetInterfaceTypeInfo(CLSID_ctlBrindtSysInfo, info);
}

HRESULT CtlBrindtSysInfo::GetGUID(DWORD kind, GUID* guid) noexcept {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = DIID___ctlBrindtSysInfo;
  return S_OK;
}

// IConnectionPointContainer

HRESULT CtlBrindtSysInfo::EnumConnectionPoints(IEnumConnectionPoints** points) noexcept {
  if (!points) return E_POINTER;
  *points = nullptr;
  ComPtr<IConnectionPoint> point;
  if (const HRESULT hr = FindConnectionPoint(DIID___ctlBrindtSysInfo, &point); FAILED(hr)) return hr;
  try {
    *points = new ConnectionPointEnum({point});
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT CtlBrindtSysInfo::FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (iid != DIID___ctlBrindtSysInfo) return CONNECT_E_NOCONNECTION;
  auto* created = new (std::nothrow) ConnectionPoint(this, DIID___ctlBrindtSysInfo, &sinks_);
  if (!created) return E_OUTOFMEMORY;
  *point = created;
  return S_OK;
}

// ISupportErrorInfo

HRESULT CtlBrindtSysInfo::InterfaceSupportsErrorInfo(REFIID iid) noexcept {
  return iid == IID__ctlBrindtSysInfo ? S_OK : S_FALSE;
}

}  // namespace bsi::win32::com
