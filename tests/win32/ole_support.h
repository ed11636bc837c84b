// SPDX-License-Identifier: MIT
// The container side of the OLE tests: the control created through COM and its last Release checked, one client
// site (in-place, ambient UserMode through its IDispatch), one advise sink and one event sink. They note every
// call they get in `calls`, in order, for ExpectCalls to compare.
#pragma once

#include <windows.h>

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "BrindtSysInfo.h"
#include "wine_test.h"

namespace ole_test {

using wine_test::Where;

template <typename I>
Microsoft::WRL::ComPtr<I> CreateControl(Where where = Where::current()) {
  Microsoft::WRL::ComPtr<I> control;
  const HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
  ok_at(where, hr == S_OK, "CoCreateInstance: expected S_OK, got %#lx\n", hr);
  return control;
}

template <typename I>
void ExpectLastRelease(Microsoft::WRL::ComPtr<I>& object, const char* what, Where where = Where::current()) {
  if (!object) return;
  const ULONG left = object.Detach()->Release();
  ok_at(where, left == 0, "%s: expected the last Release to give 0, got %lu\n", what, left);
}

inline std::string calls;  // what the sites and sinks were called since the last ExpectCalls, names and spaces

inline void ExpectCalls(const char* when, const std::string& expected, Where where = Where::current()) {
  ok_at(where, calls == expected, "%s: expected calls \"%s\", got \"%s\"\n", when, expected.c_str(), calls.c_str());
  calls.clear();
}

inline std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

/// The control's square in pixels of the screen at `left`, `top`: 600 twips.
inline RECT SquareAt(LONG left, LONG top) {
  HDC screen = GetDC(nullptr);
  const RECT square{left, top, left + MulDiv(600, GetDeviceCaps(screen, LOGPIXELSX), 1440),
                    top + MulDiv(600, GetDeviceCaps(screen, LOGPIXELSY), 1440)};
  ReleaseDC(nullptr, screen);
  return square;
}

/// Counts references and fails the test on a Release of the owner's own one.
template <typename... Faces>
class Counted : public Faces... {
 public:
  ULONG refs = 1;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ok(refs > 1, "expected a reference the object handed out, got a Release of its owner's\n");
    return --refs;
  }

 protected:
  HRESULT Answer(void* face, void** out) {
    *out = face;
    AddRef();
    return S_OK;
  }
  HRESULT Note(const char* name, HRESULT hr = S_OK) {
    calls += name;
    calls += ' ';
    return hr;
  }
};

class Site final : public Counted<IOleClientSite, IOleInPlaceSite, IDispatch> {
 public:
  bool ambients = true;            // answers for IDispatch
  bool user_mode = true;           // the ambient UserMode
  HRESULT pos_rect_answer = S_OK;  // what OnPosRectChange returns
  HRESULT layout_answer = S_OK;    // what RequestNewObjectLayout returns
  RECT context_position{0, 0, 100, 100};
  IOleInPlaceObject* resize_again = nullptr;  // OnPosRectChange sets a size of its own through this
  RECT last_pos_rect{-1, -1, -1, -1};

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) return Answer(static_cast<IOleClientSite*>(this), out);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) return Answer(static_cast<IOleInPlaceSite*>(this), out);
    if (iid != IID_IDispatch) return E_NOINTERFACE;
    Note("QI(IDispatch)");
    return ambients ? Answer(static_cast<IDispatch*>(this), out) : E_NOINTERFACE;
  }

  HRESULT STDMETHODCALLTYPE SaveObject() override { return Note("SaveObject", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return Note("GetMoniker", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return Note("GetContainer", E_NOINTERFACE); }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return Note("ShowObject", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return Note("OnShowWindow", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return Note("RequestNewObjectLayout", layout_answer); }
  HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return Note("GetWindow", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return Note("ContextSensitiveHelp", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return Note("CanInPlaceActivate"); }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return Note("OnInPlaceActivate"); }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return Note("OnUIActivate", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO) override {
    *frame = nullptr;
    *document = nullptr;
    *position = *clip = context_position;
    return Note("GetWindowContext");
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return Note("Scroll", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return Note("OnUIDeactivate", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return Note("OnInPlaceDeactivate"); }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return Note("DiscardUndoState", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return Note("DeactivateAndUndo", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override {
    Note("OnPosRectChange");
    last_pos_rect = *rect;
    if (resize_again) {
      // A container that does not take the size and sets its own again.
      RECT mine{rect->left, rect->top, rect->left + 300, rect->top + 200};
      const HRESULT hr = resize_again->SetObjectRects(&mine, &mine);
      ok(hr == S_OK, "SetObjectRects from OnPosRectChange: expected S_OK, got %#lx\n", hr);
    }
    return pos_rect_answer;
  }

  // IDispatch: the ambient properties, of which the control reads UserMode alone.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return Note("GetTypeInfoCount", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Note("GetTypeInfo", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return Note("GetIDsOfNames", E_NOTIMPL);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    if (id != DISPID_AMBIENT_USERMODE || iid != IID_NULL || flags != DISPATCH_PROPERTYGET || params->cArgs != 0) {
      return Note(("Ambient(" + std::to_string(id) + ")").c_str(), E_NOTIMPL);
    }
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = user_mode ? VARIANT_TRUE : VARIANT_FALSE;
    return Note("UserMode");
  }
};

/// The sink of the view (IViewObject::SetAdvise) and of the object (IOleObject::Advise).
class AdviseSink final : public Counted<IAdviseSinkEx> {
 public:
  DWORD last_aspect = 0;
  LONG last_index = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IAdviseSink && iid != IID_IAdviseSinkEx) return E_NOINTERFACE;
    return Answer(this, out);
  }
  void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override { Note("OnDataChange"); }
  void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override {
    last_aspect = aspect;
    last_index = index;
    Note("OnViewChange");
  }
  void STDMETHODCALLTYPE OnRename(IMoniker*) override { Note("OnRename"); }
  void STDMETHODCALLTYPE OnSave() override { Note("OnSave"); }
  void STDMETHODCALLTYPE OnClose() override {}
  void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override { Note("OnViewStatusChange"); }
};

/// A sink of the source interface: a dispinterface with no members, so it is never called. A stranger answers
/// for IUnknown alone.
class EventSink final : public Counted<IDispatch> {
 public:
  explicit EventSink(bool answers = true) : answers_(answers) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || (answers_ && (iid == IID_IDispatch || iid == DIID___ctlBrindtSysInfo))) {
      return Answer(this, out);
    }
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return Note("Event", E_NOTIMPL);
  }

 private:
  bool answers_;
};

/// Sites the control: SetClientSite asks the site's IDispatch for UserMode once.
inline void SetSite(IOleObject* object, Site* site, Where where = Where::current()) {
  calls.clear();
  const HRESULT hr = object->SetClientSite(site);
  ok_at(where, hr == S_OK, "SetClientSite: expected S_OK, got %#lx\n", hr);
  ExpectCalls("SetClientSite", site->ambients ? "QI(IDispatch) UserMode " : "QI(IDispatch) ", where);
}

}  // namespace ole_test
