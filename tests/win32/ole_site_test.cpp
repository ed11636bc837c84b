// SPDX-License-Identifier: MIT
// The control in a client site of the test's own: the calls it makes while it is sited, activated (windowed
// and windowless sites), resized, deactivated and closed; the resize rule with every answer a site can give;
// ambient UserMode through the site's IDispatch; IQuickActivate; IOleControl. The site counts its references.
#include <windows.h>

#include <olectl.h>
#include <wrl/client.h>
#include <climits>

#include "ole_support.h"

using Microsoft::WRL::ComPtr;
using ole_test::ExpectLastRelease;

namespace {

DEFINE_EXPECT(QueryInterface_IDispatch);
DEFINE_EXPECT(Invoke_USERMODE);
DEFINE_EXPECT(RequestNewObjectLayout);
DEFINE_EXPECT(CanInPlaceActivate);
DEFINE_EXPECT(OnInPlaceActivate);
DEFINE_EXPECT(OnInPlaceDeactivate);
DEFINE_EXPECT(CanWindowlessActivate);
DEFINE_EXPECT(OnInPlaceActivateEx);
DEFINE_EXPECT(OnInPlaceDeactivateEx);
DEFINE_EXPECT(GetWindowContext);
DEFINE_EXPECT(OnPosRectChange);
DEFINE_EXPECT(InvalidateRect);
DEFINE_EXPECT(OnViewChange);
DEFINE_EXPECT(OnSave);

// A client site with an in-place site (windowless on request) and ambient properties. Every method the control
// may call is an expectation; the others fail the test.
class Site final : public IOleClientSite, public IOleInPlaceSiteWindowless, public IDispatch {
 public:
  ULONG refs = 1;
  bool windowless = false;         // answers for IOleInPlaceSiteWindowless
  bool ambients = true;            // answers for IDispatch
  bool user_mode = true;           // the ambient UserMode
  HRESULT pos_rect_answer = S_OK;  // what OnPosRectChange returns
  HRESULT layout_answer = S_OK;    // what RequestNewObjectLayout returns
  RECT context_position{0, 0, 100, 100};
  IOleInPlaceObject* resize_again = nullptr;  // OnPosRectChange calls SetObjectRects with another size
  RECT last_pos_rect{-1, -1, -1, -1};
  DWORD activate_flags = 0xdeadbeef;
  BOOL deactivate_no_redraw = 0xbeef;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSiteWindowless*>(this);
    } else if (windowless && (iid == IID_IOleInPlaceSiteEx || iid == IID_IOleInPlaceSiteWindowless)) {
      *out = static_cast<IOleInPlaceSiteWindowless*>(this);
    } else if (iid == IID_IDispatch) {
      CHECK_EXPECT2(QueryInterface_IDispatch);
      if (!ambients) return E_NOINTERFACE;
      *out = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ok(refs > 1, "Release of the site's own reference\n");
    return --refs;
  }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return Unexpected("SaveObject"); }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return Unexpected("GetMoniker"); }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return Unexpected("GetContainer"); }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return Unexpected("ShowObject"); }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return Unexpected("OnShowWindow"); }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override {
    CHECK_EXPECT2(RequestNewObjectLayout);
    return layout_answer;
  }

  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override { return Unexpected("GetWindow"); }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return Unexpected("ContextSensitiveHelp"); }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override {
    CHECK_EXPECT(CanInPlaceActivate);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override {
    CHECK_EXPECT(OnInPlaceActivate);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return Unexpected("OnUIActivate"); }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO) override {
    CHECK_EXPECT(GetWindowContext);
    *frame = nullptr;
    *document = nullptr;
    *position = context_position;
    *clip = context_position;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return Unexpected("Scroll"); }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return Unexpected("OnUIDeactivate"); }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override {
    CHECK_EXPECT(OnInPlaceDeactivate);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return Unexpected("DiscardUndoState"); }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return Unexpected("DeactivateAndUndo"); }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT rect) override {
    CHECK_EXPECT2(OnPosRectChange);
    last_pos_rect = *rect;
    if (resize_again) {
      // A container that does not take the size and sets its own again.
      RECT mine{rect->left, rect->top, rect->left + 300, rect->top + 200};
      const HRESULT hr = resize_again->SetObjectRects(&mine, &mine);
      ok(hr == S_OK, "SetObjectRects from OnPosRectChange: hr %#lx\n", hr);
    }
    return pos_rect_answer;
  }

  // IOleInPlaceSiteEx, IOleInPlaceSiteWindowless
  HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* no_redraw, DWORD flags) override {
    CHECK_EXPECT(OnInPlaceActivateEx);
    ok(no_redraw != nullptr, "OnInPlaceActivateEx without a redraw flag\n");
    activate_flags = flags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL no_redraw) override {
    CHECK_EXPECT(OnInPlaceDeactivateEx);
    deactivate_no_redraw = no_redraw;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE RequestUIActivate() override { return Unexpected("RequestUIActivate"); }
  HRESULT STDMETHODCALLTYPE CanWindowlessActivate() override {
    CHECK_EXPECT(CanWindowlessActivate);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCapture() override { return Unexpected("GetCapture"); }
  HRESULT STDMETHODCALLTYPE SetCapture(BOOL) override { return Unexpected("SetCapture"); }
  HRESULT STDMETHODCALLTYPE GetFocus() override { return Unexpected("GetFocus"); }
  HRESULT STDMETHODCALLTYPE SetFocus(BOOL) override { return Unexpected("SetFocus"); }
  HRESULT STDMETHODCALLTYPE GetDC(LPCRECT, DWORD, HDC*) override { return Unexpected("GetDC"); }
  HRESULT STDMETHODCALLTYPE ReleaseDC(HDC) override { return Unexpected("ReleaseDC"); }
  HRESULT STDMETHODCALLTYPE InvalidateRect(LPCRECT, BOOL) override {
    CHECK_EXPECT(InvalidateRect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InvalidateRgn(HRGN, BOOL) override { return Unexpected("InvalidateRgn"); }
  HRESULT STDMETHODCALLTYPE ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return Unexpected("ScrollRect"); }
  HRESULT STDMETHODCALLTYPE AdjustRect(LPRECT) override { return Unexpected("AdjustRect"); }
  HRESULT STDMETHODCALLTYPE OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT*) override {
    return Unexpected("OnDefWindowMessage");
  }

  // IDispatch: the ambient properties.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return Unexpected("GetTypeInfoCount"); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Unexpected("GetTypeInfo"); }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return Unexpected("GetIDsOfNames");
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    ok(id == DISPID_AMBIENT_USERMODE, "ambient %ld asked\n", id);
    if (id != DISPID_AMBIENT_USERMODE) return DISP_E_MEMBERNOTFOUND;
    CHECK_EXPECT2(Invoke_USERMODE);
    ok(iid == IID_NULL, "Invoke with an IID\n");
    ok(flags == DISPATCH_PROPERTYGET, "Invoke flags %#x\n", flags);
    ok(params && params->cArgs == 0, "Invoke with arguments\n");
    ok(result != nullptr, "Invoke without a result\n");
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = user_mode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

 private:
  HRESULT Unexpected(const char* name) {
    ok(false, "unexpected call %s\n", name);
    return E_NOTIMPL;
  }
};

// The sink of the view (IViewObject::SetAdvise) and of the object (IOleObject::Advise).
class AdviseSink final : public IAdviseSinkEx {
 public:
  ULONG refs = 1;
  DWORD last_aspect = 0;
  LONG last_index = 0;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IAdviseSink && iid != IID_IAdviseSinkEx) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override {
    ok(refs > 1, "Release of the sink's own reference\n");
    return --refs;
  }
  void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override { ok(false, "OnDataChange\n"); }
  void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override {
    CHECK_EXPECT2(OnViewChange);
    last_aspect = aspect;
    last_index = index;
  }
  void STDMETHODCALLTYPE OnRename(IMoniker*) override { ok(false, "OnRename\n"); }
  void STDMETHODCALLTYPE OnSave() override { CHECK_EXPECT2(OnSave); }
  void STDMETHODCALLTYPE OnClose() override {}
  void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override { ok(false, "OnViewStatusChange\n"); }
};

// A sink of the (empty) source interface.
class EventSink final : public IDispatch {
 public:
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID___ctlBrindtSysInfo) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    ok(false, "an event was fired\n");
    return E_NOTIMPL;
  }
};

RECT SquareAt(LONG left, LONG top) {
  const SIZE side = ole_test::SquarePixels();
  return {left, top, left + side.cx, top + side.cy};
}

void ExpectSquare(IOleObject* object, const char* when) {
  SIZEL extent{static_cast<LONG>(0xdeadbeef), static_cast<LONG>(0xdeadbeef)};
  const HRESULT hr = object->GetExtent(DVASPECT_CONTENT, &extent);
  ok(hr == S_OK && extent.cx == 1058 && extent.cy == 1058, "%s: GetExtent hr %#lx, %ld x %ld\n", when, hr, extent.cx,
     extent.cy);
}

// Sites the control: SetClientSite asks the site's IDispatch for UserMode once.
void SetSite(IOleObject* object, Site* site) {
  SET_EXPECT(QueryInterface_IDispatch);
  SET_EXPECT(Invoke_USERMODE);
  const HRESULT hr = object->SetClientSite(site);
  ok(hr == S_OK, "SetClientSite: hr %#lx\n", hr);
  CHECK_CALLED(QueryInterface_IDispatch);
  if (site->ambients) {
    CHECK_CALLED(Invoke_USERMODE);
  } else {
    CHECK_NOT_CALLED(Invoke_USERMODE);
  }
}

void UnsetSite(IOleObject* object, Site* site) {
  SET_EXPECT(QueryInterface_IDispatch);
  const HRESULT hr = object->SetClientSite(nullptr);
  ok(hr == S_OK && site->refs == 1, "SetClientSite(NULL): hr %#lx, site refs %lu\n", hr, site->refs);
  CHECK_NOT_CALLED(QueryInterface_IDispatch);
}

// ---- tests ----

void test_misc_status_and_extent() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  DWORD status = 0xdeadbeef;
  HRESULT hr = object->GetMiscStatus(DVASPECT_CONTENT, &status);
  ok(hr == S_OK && status == 0x20591, "GetMiscStatus: hr %#lx status %#lx\n", hr, status);
  ok(object->GetMiscStatus(DVASPECT_CONTENT, nullptr) == E_POINTER, "GetMiscStatus(NULL) accepted\n");
  ExpectSquare(object.Get(), "new control");
  SIZEL extent{7, 7};
  hr = object->GetExtent(DVASPECT_ICON, &extent);
  ok(hr == DV_E_DVASPECT && extent.cx == 7, "GetExtent(ICON): hr %#lx, %ld\n", hr, extent.cx);
  ok(object->GetExtent(DVASPECT_CONTENT, nullptr) == E_POINTER, "GetExtent(NULL) accepted\n");
  ok(object->SetExtent(DVASPECT_CONTENT, nullptr) == E_POINTER, "SetExtent(NULL) accepted\n");
  extent = {5000, 5000};
  ok(object->SetExtent(DVASPECT_ICON, &extent) == DV_E_DVASPECT, "SetExtent(ICON) accepted\n");
  // Without a site there is nobody to ask; the size stays.
  for (SIZEL asked : {SIZEL{5000, 3000}, SIZEL{0, 0}, SIZEL{-100, 20}, SIZEL{1058, 1058}}) {
    hr = object->SetExtent(DVASPECT_CONTENT, &asked);
    ok(hr == S_OK, "SetExtent(%ld x %ld): hr %#lx\n", asked.cx, asked.cy, hr);
    ExpectSquare(object.Get(), "after SetExtent without a site");
  }

  ComPtr<IViewObject2> view;
  object.As(&view);
  extent = {0, 0};
  hr = view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &extent);
  ok(hr == S_OK && extent.cx == 1058 && extent.cy == 1058, "IViewObject2::GetExtent: hr %#lx %ld x %ld\n", hr,
     extent.cx, extent.cy);
  ComPtr<IQuickActivate> quick;
  object.As(&quick);
  extent = {0, 0};
  hr = quick->GetContentExtent(&extent);
  ok(hr == S_OK && extent.cx == 1058 && extent.cy == 1058, "GetContentExtent: hr %#lx %ld x %ld\n", hr, extent.cx,
     extent.cy);
  ok(quick->SetContentExtent(nullptr) == E_POINTER, "SetContentExtent(NULL) accepted\n");
  view.Reset();
  quick.Reset();
  ExpectLastRelease(object, "control");
}

// Activated in a windowed in-place site, resized through SetExtent and SetObjectRects with each answer a site
// can give, deactivated and closed.
void test_activation_and_resize() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  ComPtr<IOleInPlaceObject> in_place;
  object.As(&in_place);
  Site site;
  SetSite(object.Get(), &site);
  ok(site.refs == 2, "site refs after SetClientSite: %lu\n", site.refs);

  // Not active yet: a new size is asked of the client site.
  SIZEL asked{5000, 3000};
  SET_EXPECT(RequestNewObjectLayout);
  HRESULT hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ok(hr == S_OK, "SetExtent: hr %#lx\n", hr);
  CHECK_CALLED(RequestNewObjectLayout);
  ExpectSquare(object.Get(), "SetExtent before activation");
  asked = {1058, 1058};
  hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ok(hr == S_OK, "SetExtent(1058): hr %#lx\n", hr);

  // Activation at a rectangle of another size: the site is asked to take the square at the same corner.
  SET_EXPECT(CanInPlaceActivate);
  SET_EXPECT(OnInPlaceActivate);
  SET_EXPECT(OnPosRectChange);
  const RECT first{10, 20, 210, 120};
  hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, &first);
  ok(hr == S_OK, "DoVerb: hr %#lx\n", hr);
  CHECK_CALLED(CanInPlaceActivate);
  CHECK_CALLED(OnInPlaceActivate);
  CHECK_CALLED(OnPosRectChange);
  ok(ole_test::SameRect(site.last_pos_rect, SquareAt(10, 20)), "OnPosRectChange(%ld,%ld,%ld,%ld)\n",
     site.last_pos_rect.left, site.last_pos_rect.top, site.last_pos_rect.right, site.last_pos_rect.bottom);
  ok(site.refs == 3, "site refs while active: %lu\n", site.refs);
  // Active once: the verb again asks nothing.
  hr = object->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, nullptr, &first);
  ok(hr == S_OK && site.refs == 3, "second DoVerb: hr %#lx refs %lu\n", hr, site.refs);

  const struct {
    RECT asked;
    bool asks;
  } resizes[] = {
      {{30, 40, 130, 90}, true},    // larger
      {{-5, -7, -4, -6}, true},     // one pixel, off the client area
      {{50, 50, 50, 50}, true},     // empty
      {{60, 70, 0, 0}, true},       // upside down
      {SquareAt(100, 200), false},  // already the square: nothing to ask
  };
  for (const auto& resize : resizes) {
    SET_EXPECT(OnPosRectChange);
    site.last_pos_rect = {-1, -1, -1, -1};
    hr = in_place->SetObjectRects(&resize.asked, &resize.asked);
    ok(hr == S_OK, "SetObjectRects: hr %#lx\n", hr);
    if (resize.asks) {
      CHECK_CALLED(OnPosRectChange);
      const RECT want = SquareAt(resize.asked.left, resize.asked.top);
      ok(ole_test::SameRect(site.last_pos_rect, want), "asked %ld,%ld: OnPosRectChange(%ld,%ld,%ld,%ld)\n",
         resize.asked.left, resize.asked.top, site.last_pos_rect.left, site.last_pos_rect.top, site.last_pos_rect.right,
         site.last_pos_rect.bottom);
    } else {
      CHECK_NOT_CALLED(OnPosRectChange);
    }
    ExpectSquare(object.Get(), "after SetObjectRects");
  }
  // The widest rectangle there is: the square at the corner, asked without overflow.
  const RECT widest{LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX};
  SET_EXPECT(OnPosRectChange);
  hr = in_place->SetObjectRects(&widest, &widest);
  ok(hr == S_OK, "SetObjectRects(widest): hr %#lx\n", hr);
  CHECK_CALLED(OnPosRectChange);
  ok(ole_test::SameRect(site.last_pos_rect, SquareAt(LONG_MIN, LONG_MIN)), "widest: OnPosRectChange(%ld,%ld,%ld,%ld)\n",
     site.last_pos_rect.left, site.last_pos_rect.top, site.last_pos_rect.right, site.last_pos_rect.bottom);
  const RECT far_corner{LONG_MAX - 5, LONG_MAX - 5, LONG_MAX, LONG_MAX};
  SET_EXPECT(OnPosRectChange);
  in_place->SetObjectRects(&far_corner, &far_corner);
  CHECK_CALLED(OnPosRectChange);
  const SIZE side = ole_test::SquarePixels();
  ok(site.last_pos_rect.right == LONG_MAX && site.last_pos_rect.right - site.last_pos_rect.left == side.cx &&
         site.last_pos_rect.bottom - site.last_pos_rect.top == side.cy,
     "far corner: OnPosRectChange(%ld,%ld,%ld,%ld)\n", site.last_pos_rect.left, site.last_pos_rect.top,
     site.last_pos_rect.right, site.last_pos_rect.bottom);
  const RECT clip{0, 0, 10, 10};
  ok(in_place->SetObjectRects(nullptr, &clip) == E_POINTER, "SetObjectRects(NULL, clip) accepted\n");
  ok(in_place->SetObjectRects(&clip, nullptr) == E_POINTER, "SetObjectRects(rect, NULL) accepted\n");

  // A site without OnPosRectChange is asked for a new layout instead.
  site.pos_rect_answer = E_NOTIMPL;
  SET_EXPECT(OnPosRectChange);
  SET_EXPECT(RequestNewObjectLayout);
  const RECT wide{0, 0, 500, 40};
  hr = in_place->SetObjectRects(&wide, &wide);
  ok(hr == S_OK, "SetObjectRects: hr %#lx\n", hr);
  CHECK_CALLED(OnPosRectChange);
  CHECK_CALLED(RequestNewObjectLayout);
  site.pos_rect_answer = S_OK;

  // A site that answers by setting its own size again: one request, no loop.
  site.resize_again = in_place.Get();
  SET_EXPECT(OnPosRectChange);
  hr = in_place->SetObjectRects(&wide, &wide);
  ok(hr == S_OK, "SetObjectRects: hr %#lx\n", hr);
  CHECK_CALLED(OnPosRectChange);
  site.resize_again = nullptr;

  // SetExtent while active asks the client site first; OnPosRectChange only when that fails.
  asked = {2000, 2000};
  SET_EXPECT(RequestNewObjectLayout);
  hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ok(hr == S_OK, "SetExtent while active: hr %#lx\n", hr);
  CHECK_CALLED(RequestNewObjectLayout);
  site.layout_answer = E_NOTIMPL;
  SET_EXPECT(RequestNewObjectLayout);
  SET_EXPECT(OnPosRectChange);
  hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ok(hr == S_OK, "SetExtent while active: hr %#lx\n", hr);
  CHECK_CALLED(RequestNewObjectLayout);
  CHECK_CALLED(OnPosRectChange);
  ok(ole_test::SameRect(site.last_pos_rect, SquareAt(0, 0)), "OnPosRectChange after SetExtent: %ld,%ld,%ld,%ld\n",
     site.last_pos_rect.left, site.last_pos_rect.top, site.last_pos_rect.right, site.last_pos_rect.bottom);
  ExpectSquare(object.Get(), "after SetExtent while active");

  SET_EXPECT(OnInPlaceDeactivate);
  hr = in_place->InPlaceDeactivate();
  ok(hr == S_OK && site.refs == 2, "InPlaceDeactivate: hr %#lx refs %lu\n", hr, site.refs);
  CHECK_CALLED(OnInPlaceDeactivate);
  ok(in_place->InPlaceDeactivate() == S_OK, "second InPlaceDeactivate failed\n");
  // Not active: SetObjectRects keeps the square and asks nothing of an in-place site it no longer has.
  SET_EXPECT(RequestNewObjectLayout);
  hr = in_place->SetObjectRects(&wide, &wide);
  ok(hr == S_OK, "SetObjectRects while inactive: hr %#lx\n", hr);
  CHECK_CALLED(RequestNewObjectLayout);
  site.layout_answer = S_OK;

  hr = object->Close(OLECLOSE_SAVEIFDIRTY);
  ok(hr == S_OK && site.refs == 2, "Close: hr %#lx refs %lu\n", hr, site.refs);
  UnsetSite(object.Get(), &site);
  in_place.Reset();
  ExpectLastRelease(object, "control");
}

// A windowless site: activated through OnInPlaceActivateEx, position from GetWindowContext, deactivated by Close
// and by letting go of the site.
void test_windowless_site() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  Site site;
  site.windowless = true;
  site.ambients = false;  // no ambients: the control is at run time
  SetSite(object.Get(), &site);
  for (int round = 0; round < 2; ++round) {
    SET_EXPECT(CanInPlaceActivate);
    SET_EXPECT(CanWindowlessActivate);
    SET_EXPECT(OnInPlaceActivateEx);
    SET_EXPECT(GetWindowContext);
    SET_EXPECT(OnPosRectChange);
    site.context_position = {5, 6, 105, 106};
    HRESULT hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr);
    ok(hr == S_OK, "DoVerb: hr %#lx\n", hr);
    CHECK_CALLED(CanInPlaceActivate);
    CHECK_CALLED(CanWindowlessActivate);
    CHECK_CALLED(OnInPlaceActivateEx);
    CHECK_CALLED(GetWindowContext);
    CHECK_CALLED(OnPosRectChange);
    ok(site.activate_flags == ACTIVATE_WINDOWLESS, "OnInPlaceActivateEx flags %#lx\n", site.activate_flags);
    ok(ole_test::SameRect(site.last_pos_rect, SquareAt(5, 6)), "OnPosRectChange(%ld,%ld,%ld,%ld)\n",
       site.last_pos_rect.left, site.last_pos_rect.top, site.last_pos_rect.right, site.last_pos_rect.bottom);
    ok(site.refs == 3, "site refs while active: %lu\n", site.refs);

    // What a windowless site asks of the object: same identity, messages left to the container, and the
    // resize rule through this face too.
    ComPtr<IOleInPlaceObjectWindowless> face;
    hr = object.As(&face);
    ok(hr == S_OK, "IOleInPlaceObjectWindowless: hr %#lx\n", hr);
    if (face) {
      ComPtr<IUnknown> a, b;
      object.As(&a);
      face.As(&b);
      ok(a.Get() == b.Get(), "the windowless face is another object\n");
      LRESULT result = 0xdead;
      hr = face->OnWindowMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10), &result);
      ok(hr == S_FALSE && result == 0, "OnWindowMessage: hr %#lx result %Id\n", hr, result);
      ok(face->OnWindowMessage(WM_KEYDOWN, VK_TAB, 0, nullptr) == E_POINTER, "OnWindowMessage(NULL) accepted\n");
      IDropTarget* target = reinterpret_cast<IDropTarget*>(0xdeadbeef);
      hr = face->GetDropTarget(&target);
      ok(hr == E_NOTIMPL && target == nullptr, "GetDropTarget: hr %#lx %p\n", hr, target);
      HWND window = reinterpret_cast<HWND>(0xdeadbeef);
      hr = face->GetWindow(&window);
      ok(hr == E_FAIL && window == nullptr, "GetWindow: hr %#lx %p\n", hr, window);
      const RECT wide{1, 2, 301, 202};
      SET_EXPECT(OnPosRectChange);
      hr = face->SetObjectRects(&wide, &wide);
      ok(hr == S_OK, "SetObjectRects: hr %#lx\n", hr);
      CHECK_CALLED(OnPosRectChange);
      ok(ole_test::SameRect(site.last_pos_rect, SquareAt(1, 2)), "OnPosRectChange(%ld,%ld,%ld,%ld)\n",
         site.last_pos_rect.left, site.last_pos_rect.top, site.last_pos_rect.right, site.last_pos_rect.bottom);
    }
    face.Reset();

    // Windowless and active: Draw without bounds means the position.
    ComPtr<IViewObject> view;
    object.As(&view);
    HDC dc = CreateCompatibleDC(nullptr);
    hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0);
    ok(hr == S_OK, "Draw without bounds while windowless: hr %#lx\n", hr);

    SET_EXPECT(OnInPlaceDeactivateEx);
    site.deactivate_no_redraw = 0xbeef;
    if (round == 0) {
      hr = object->Close(OLECLOSE_NOSAVE);
      ok(hr == S_OK && site.refs == 2, "Close: hr %#lx refs %lu\n", hr, site.refs);
    } else {
      // The container lets go of the site while the control is active.
      hr = object->SetClientSite(nullptr);
      ok(hr == S_OK && site.refs == 1, "SetClientSite(NULL) while active: hr %#lx refs %lu\n", hr, site.refs);
    }
    CHECK_CALLED(OnInPlaceDeactivateEx);
    ok(site.deactivate_no_redraw == TRUE, "OnInPlaceDeactivateEx(%d)\n", site.deactivate_no_redraw);
    hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0);
    ok(hr == E_INVALIDARG, "Draw without bounds after deactivation: hr %#lx\n", hr);
    DeleteDC(dc);
  }
  ExpectLastRelease(object, "control");
}

// UserMode is read when the site is set and again when the container says it changed; a change of mode is a
// change of the picture.
void test_ambient_user_mode() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  ComPtr<IOleControl> control;
  object.As(&control);
  ComPtr<IViewObject2> view;
  object.As(&view);
  Site site;
  site.user_mode = false;
  AdviseSink sink;
  HRESULT hr = view->SetAdvise(DVASPECT_CONTENT, 0, &sink);
  ok(hr == S_OK && sink.refs == 2, "SetAdvise: hr %#lx refs %lu\n", hr, sink.refs);
  // Design time: the picture changes from nothing to the icon.
  SET_EXPECT(OnViewChange);
  SetSite(object.Get(), &site);
  CHECK_CALLED(OnViewChange);
  ok(sink.last_aspect == DVASPECT_CONTENT && sink.last_index == -1, "OnViewChange(%lu, %ld)\n", sink.last_aspect,
     sink.last_index);

  // Another ambient: not read.
  hr = control->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR);
  ok(hr == S_OK, "OnAmbientPropertyChange(BACKCOLOR): hr %#lx\n", hr);
  // UserMode again, unchanged: read, but the picture stays.
  SET_EXPECT(QueryInterface_IDispatch);
  SET_EXPECT(Invoke_USERMODE);
  hr = control->OnAmbientPropertyChange(DISPID_UNKNOWN);
  ok(hr == S_OK, "OnAmbientPropertyChange(UNKNOWN): hr %#lx\n", hr);
  CHECK_CALLED(Invoke_USERMODE);
  // Run time now.
  site.user_mode = true;
  SET_EXPECT(QueryInterface_IDispatch);
  SET_EXPECT(Invoke_USERMODE);
  SET_EXPECT(OnViewChange);
  hr = control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
  ok(hr == S_OK, "OnAmbientPropertyChange(USERMODE): hr %#lx\n", hr);
  CHECK_CALLED(Invoke_USERMODE);
  CHECK_CALLED(OnViewChange);

  DWORD aspects = 0xdeadbeef, flags = 0xdeadbeef;
  IAdviseSink* got = nullptr;
  hr = view->GetAdvise(&aspects, &flags, &got);
  ok(hr == S_OK && aspects == DVASPECT_CONTENT && flags == 0 && got == &sink && sink.refs == 3,
     "GetAdvise: hr %#lx aspects %lu flags %lu sink %p refs %lu\n", hr, aspects, flags, got, sink.refs);
  if (got) got->Release();
  // Once only: the sink is let go after the first change.
  hr = view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &sink);
  ok(hr == S_OK && sink.refs == 2, "SetAdvise(ONLYONCE): hr %#lx refs %lu\n", hr, sink.refs);
  site.user_mode = false;
  SET_EXPECT(QueryInterface_IDispatch);
  SET_EXPECT(Invoke_USERMODE);
  SET_EXPECT(OnViewChange);
  control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
  CHECK_CALLED(OnViewChange);
  ok(sink.refs == 1, "sink kept after a once-only change: refs %lu\n", sink.refs);
  // Prime first: told at once. Close lets the sink go.
  SET_EXPECT(OnViewChange);
  hr = view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST, &sink);
  ok(hr == S_OK && sink.refs == 2, "SetAdvise(PRIMEFIRST): hr %#lx refs %lu\n", hr, sink.refs);
  CHECK_CALLED(OnViewChange);
  hr = object->Close(OLECLOSE_NOSAVE);
  ok(hr == S_OK && sink.refs == 1, "Close: hr %#lx sink refs %lu\n", hr, sink.refs);

  CONTROLINFO info{};
  info.cb = sizeof(info);
  info.cAccel = 99;
  info.dwFlags = 99;
  hr = control->GetControlInfo(&info);
  ok(hr == S_OK && info.cb == sizeof(info) && info.hAccel == nullptr && info.cAccel == 0 && info.dwFlags == 0,
     "GetControlInfo: hr %#lx accel %p/%u flags %lu\n", hr, info.hAccel, info.cAccel, info.dwFlags);
  ok(control->GetControlInfo(nullptr) == E_POINTER, "GetControlInfo(NULL) accepted\n");
  ok(control->FreezeEvents(TRUE) == S_OK && control->FreezeEvents(FALSE) == S_OK &&
         control->FreezeEvents(FALSE) == S_OK,
     "FreezeEvents failed\n");

  UnsetSite(object.Get(), &site);
  control.Reset();
  view.Reset();
  ExpectLastRelease(object, "control");
}

void test_quick_activate() {
  ComPtr<IQuickActivate> quick = ole_test::CreateControl<IQuickActivate>();
  if (!quick) return;
  Site site;
  AdviseSink sink;
  EventSink events;
  QACONTAINER container{};
  container.cbSize = sizeof(container);
  container.pClientSite = &site;
  container.pAdviseSink = &sink;
  container.pUnkEventSink = &events;
  container.dwAmbientFlags = QACONTAINER_SHOWGRABHANDLES;  // design time
  QACONTROL control;
  FillMemory(&control, sizeof(control), 0xcc);
  control.cbSize = sizeof(control);

  ok(quick->QuickActivate(nullptr, &control) == E_POINTER, "QuickActivate(NULL, ...) accepted\n");
  ok(quick->QuickActivate(&container, nullptr) == E_POINTER, "QuickActivate(..., NULL) accepted\n");
  container.cbSize = 8;
  HRESULT hr = quick->QuickActivate(&container, &control);
  ok(hr == E_INVALIDARG && site.refs == 1 && sink.refs == 1 && events.refs == 1,
     "short QACONTAINER: hr %#lx refs %lu/%lu/%lu\n", hr, site.refs, sink.refs, events.refs);
  container.cbSize = sizeof(container);
  container.pClientSite = nullptr;
  hr = quick->QuickActivate(&container, &control);
  ok(hr == E_INVALIDARG && sink.refs == 1 && events.refs == 1, "no site: hr %#lx\n", hr);
  container.pClientSite = &site;

  // The ambients come with the structure: no call back for UserMode. Design time: the view changes at once.
  SET_EXPECT(OnViewChange);
  hr = quick->QuickActivate(&container, &control);
  ok(hr == S_OK, "QuickActivate: hr %#lx\n", hr);
  CHECK_CALLED(OnViewChange);
  ok(control.cbSize == sizeof(control) && control.dwMiscStatus == 0x20591 && control.dwViewStatus == 0 &&
         control.dwEventCookie != 0 && control.dwEventCookie != 0xcccccccc && control.dwPropNotifyCookie == 0 &&
         control.dwPointerActivationPolicy == 0,
     "QACONTROL: misc %#lx view %#lx event %lu notify %lu pointer %#lx\n", control.dwMiscStatus, control.dwViewStatus,
     control.dwEventCookie, control.dwPropNotifyCookie, control.dwPointerActivationPolicy);
  ok(site.refs == 2 && sink.refs == 2 && events.refs == 2, "refs after QuickActivate: site %lu sink %lu events %lu\n",
     site.refs, sink.refs, events.refs);

  // The event cookie is the connection point's.
  ComPtr<IConnectionPointContainer> points;
  quick.As(&points);
  ComPtr<IConnectionPoint> point;
  points->FindConnectionPoint(DIID___ctlBrindtSysInfo, &point);
  hr = point ? point->Unadvise(control.dwEventCookie) : E_FAIL;
  ok(hr == S_OK && events.refs == 1, "Unadvise(event cookie): hr %#lx refs %lu\n", hr, events.refs);
  ExpectLastRelease(point, "connection point");
  points.Reset();

  // SetContentExtent follows the resize rule.
  SIZEL asked{100, 100};
  SET_EXPECT(RequestNewObjectLayout);
  hr = quick->SetContentExtent(&asked);
  ok(hr == S_OK, "SetContentExtent: hr %#lx\n", hr);
  CHECK_CALLED(RequestNewObjectLayout);

  ComPtr<IOleObject> object;
  quick.As(&object);
  UnsetSite(object.Get(), &site);
  object.Reset();
  ExpectLastRelease(quick, "control");
  ok(sink.refs == 1, "view sink kept after the last Release: refs %lu\n", sink.refs);
}

void test_in_place_active_object() {
  ComPtr<IOleInPlaceActiveObject> active = ole_test::CreateControl<IOleInPlaceActiveObject>();
  if (!active) return;
  MSG msg{};
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_TAB;
  ok(active->TranslateAccelerator(&msg) == S_FALSE, "TranslateAccelerator took a key\n");
  ok(active->TranslateAccelerator(nullptr) == E_POINTER, "TranslateAccelerator(NULL) accepted\n");
  HWND window = reinterpret_cast<HWND>(0xdeadbeef);
  HRESULT hr = active->GetWindow(&window);
  ok(hr == E_FAIL && window == nullptr, "GetWindow: hr %#lx %p\n", hr, window);
  ok(active->OnFrameWindowActivate(TRUE) == S_OK && active->OnDocWindowActivate(FALSE) == S_OK &&
         active->EnableModeless(FALSE) == S_OK && active->ResizeBorder(nullptr, nullptr, TRUE) == S_OK,
     "IOleInPlaceActiveObject call failed\n");
  // Every face leads to the same object.
  ComPtr<IUnknown> identity, through_view;
  active.As(&identity);
  ComPtr<IViewObject> view;
  hr = active.As(&view);
  ok(hr == S_OK, "IViewObject: hr %#lx\n", hr);
  if (view) view.As(&through_view);
  ok(through_view.Get() == identity.Get(), "IViewObject leads to another object\n");
  view.Reset();
  through_view.Reset();
  identity.Reset();
  ExpectLastRelease(active, "control");
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_misc_status_and_extent();
  test_activation_and_resize();
  test_windowless_site();
  test_ambient_user_mode();
  test_quick_activate();
  test_in_place_active_object();
  OleUninitialize();
  return wine_test::Summary("ole_site");
}
