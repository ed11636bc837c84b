// SPDX-License-Identifier: MIT
// ControlObject: ctlBrindtSysInfo as a COM object, the module's one control class. Invisible at run time; its one
// method opens the information window. The interface list below is the object's QueryInterface table.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <memory>

#include "apartment_module.h"
#include "common/dispatch.h"
#include "connection_point.h"
#include "identity.h"

namespace bsi::win32::com {

// IDispatch, through the type information of _ctlBrindtSysInfo, and ISupportErrorInfo come with the base; the
// rest of the interface list is what a container needs to site the control.
class ControlObject final
    : public DispatchObject<ControlObject, _ctlBrindtSysInfo, IOleObject, IOleInPlaceObjectWindowless,
                            IPersistStreamInit, IProvideClassInfo2, IConnectionPointContainer, IOleInPlaceActiveObject,
                            IOleControl, IViewObject2, IPersistPropertyBag, IPersistStorage, IQuickActivate> {
 public:
  // _ctlBrindtSysInfo
  HRESULT STDMETHODCALLTYPE ShowSysInfo(VARIANT* result) noexcept override;

  // IOleObject; SetExtent and GetExtent go with the resize rule (ctl_activation.cpp).
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) noexcept override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR app, LPCOLESTR object) noexcept override;
  HRESULT STDMETHODCALLTYPE Close(DWORD save_option) noexcept override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) noexcept override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) noexcept override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) noexcept override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) noexcept override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                   LPCRECT rect) noexcept override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) noexcept override;
  HRESULT STDMETHODCALLTYPE Update() noexcept override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() noexcept override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) noexcept override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* type) noexcept override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) noexcept override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) noexcept override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advise) noexcept override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) noexcept override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) noexcept override;

  // IOleWindow, IOleInPlaceObject and IOleInPlaceObjectWindowless, which a windowless site asks for
  // (ctl_activation.cpp)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) noexcept override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) noexcept override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() noexcept override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() noexcept override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) noexcept override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() noexcept override;
  HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT msg, WPARAM wparam, LPARAM lparam, LRESULT* result) noexcept override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** target) noexcept override;

  // IPersist, IPersistStreamInit (ctl_persistence.cpp): the control has no properties, so its saved state is empty.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) noexcept override;
  HRESULT STDMETHODCALLTYPE IsDirty() noexcept override;
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) noexcept override;
  HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clear_dirty) noexcept override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) noexcept override;
  HRESULT STDMETHODCALLTYPE InitNew() noexcept override;

  // IProvideClassInfo, IProvideClassInfo2
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** info) noexcept override;
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* guid) noexcept override;

  // IConnectionPointContainer: one connection point, for the (empty) source interface __ctlBrindtSysInfo.
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) noexcept override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) noexcept override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) noexcept override;

  // IOleInPlaceActiveObject (ctl_activation.cpp); GetWindow and ContextSensitiveHelp are IOleWindow's above. The
  // control has no user interface of its own, so it never becomes UI-active and has nothing to translate.
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) noexcept override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) noexcept override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) noexcept override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) noexcept override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) noexcept override;

  // IOleControl (ctl_ambient.cpp): the ambient UserMode decides between design time and run time.
  HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) noexcept override;
  HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* msg) noexcept override;
  HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) noexcept override;
  HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) noexcept override;

  // IQuickActivate (ctl_ambient.cpp)
  HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) noexcept override;
  HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) noexcept override;
  HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) noexcept override;

  // IViewObject, IViewObject2 (ctl_view.cpp): the icon at design time, nothing at run time.
  HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* device, HDC target_info,
                                 HDC dc, LPCRECTL bounds, LPCRECTL window_bounds,
                                 BOOL(STDMETHODCALLTYPE* cont)(ULONG_PTR), ULONG_PTR cont_arg) noexcept override;
  HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspect_info, DVTARGETDEVICE* device,
                                        HDC target_info, LOGPALETTE** colors) noexcept override;
  HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspect_info, DWORD* cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE Unfreeze(DWORD cookie) noexcept override;
  HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) noexcept override;
  HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) noexcept override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* device, LPSIZEL size) noexcept override;

  // IPersistPropertyBag and IPersistStorage (ctl_persistence.cpp); InitNew() and IsDirty() above serve them too.
  HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) noexcept override;
  HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clear_dirty, BOOL save_all) noexcept override;
  HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) noexcept override;
  HRESULT STDMETHODCALLTYPE Load(IStorage* storage) noexcept override;
  HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL same_as_load) noexcept override;
  HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) noexcept override;
  HRESULT STDMETHODCALLTYPE HandsOffStorage() noexcept override;

 private:
  // Where a storage object stands in the IPersistStorage protocol.
  enum class StorageState { kUninitialized, kNormal, kNoScribble, kHandsOff };

  HRESULT ActivateInPlace(LPCRECT position) noexcept;
  /// The resize rule at work: the core's UserControl_Resize decides the size the control takes for the size of
  /// `asked` (screen pixels), and that size at the left top corner of `asked` becomes the position; the site is
  /// asked to take it when `asked` differs. Without `asked` (SetExtent, which has set the size already) only the
  /// site is asked. `from_rects` says whether the container called SetObjectRects (then OnPosRectChange is asked
  /// first) or SetExtent (then RequestNewObjectLayout is).
  void ApplyFixedSize(const RECT* asked, bool from_rects) noexcept;
  /// Reads the ambient UserMode through the client site's IDispatch; true (run time) when the site has none.
  void ReadUserMode() noexcept;
  /// Sets the mode and, when it changed, tells the view's advise sink that the picture changed.
  void SetUserMode(bool user_mode) noexcept;
  void SendViewChange() noexcept;

  // The forms of the apartment thread the control was created on (apartment_module.h).
  std::shared_ptr<SysInfoModule> module_ = ApartmentModule();

  Microsoft::WRL::ComPtr<IOleClientSite> client_site_;
  Microsoft::WRL::ComPtr<IOleInPlaceSite> in_place_site_;
  Microsoft::WRL::ComPtr<IOleAdviseHolder> advise_holder_;
  SinkList sinks_;

  // Activation and the resize rule (ctl_activation.cpp).
  bsi::Extent size_ = bsi::ctlBrindtSysInfo::kDesignSize;  // twips, as the resize rule last decided
  RECT position_{};           // in the container's client pixels: `size_` at the corner asked
  bool windowless_ = false;   // activated through IOleInPlaceSiteWindowless
  bool asking_site_ = false;  // inside OnPosRectChange / RequestNewObjectLayout

  // Ambient properties (ctl_ambient.cpp).
  bool user_mode_ = true;  // ambient UserMode: run time unless the container says design time
  ULONG frozen_events_ = 0;

  // The view's advise sink (ctl_view.cpp).
  Microsoft::WRL::ComPtr<IAdviseSink> view_sink_;
  DWORD view_aspects_ = 0;
  DWORD view_flags_ = 0;

  StorageState storage_state_ = StorageState::kUninitialized;
};

}  // namespace bsi::win32::com
