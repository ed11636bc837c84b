// SPDX-License-Identifier: MIT
// The control as an OLE control, in a client site of the test's own: the calls it makes, in order, while it is
// sited, activated, resized and closed; the resize rule with each answer of a site and the extreme rectangles;
// UserMode and the design-time icon, pixel for pixel; IQuickActivate; persistence; class info and the connection
// point of its events; and Wine's ATL as a container.
#include <windows.h>

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>
#include <climits>
#include <string>

#include "BrindtSysInfo.h"
#include "com_test.h"

using com_test::ExpectLastRelease;
using Microsoft::WRL::ComPtr;
using wine_test::Narrow;
using wine_test::Where;

namespace {

template <typename I>
ComPtr<I> CreateControl(Where where = Where::current()) {
  return com_test::Create<I>(CLSID_ctlBrindtSysInfo, where);
}

// The container side: one client site (in-place, ambient UserMode through its IDispatch), one advise sink and one
// event sink. They note every call they get in `calls`, in order, for ExpectCalls to compare.
std::string calls;  // what the sites and sinks were called since the last ExpectCalls, names and spaces

void ExpectCalls(const char* when, const std::string& expected, Where where = Where::current()) {
  ok_at(where, calls == expected, "%s: expected calls \"%s\", got \"%s\"\n", when, expected.c_str(), calls.c_str());
  calls.clear();
}

std::string RectText(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

/// The control's square in pixels of the screen at `left`, `top`: 600 twips.
RECT SquareAt(LONG left, LONG top) {
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
  bool user_mode = true;                      // the ambient UserMode
  HRESULT pos_rect_answer = S_OK;             // what OnPosRectChange returns
  HRESULT layout_answer = S_OK;               // what RequestNewObjectLayout returns
  IOleInPlaceObject* resize_again = nullptr;  // OnPosRectChange sets a size of its own through this
  RECT last_pos_rect{-1, -1, -1, -1};

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) return Answer(static_cast<IOleClientSite*>(this), out);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) return Answer(static_cast<IOleInPlaceSite*>(this), out);
    if (iid != IID_IDispatch) return E_NOINTERFACE;
    Note("QI(IDispatch)");
    return Answer(static_cast<IDispatch*>(this), out);
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
    *position = *clip = RECT{0, 0, 100, 100};
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

/// A sink of the source interface: a dispinterface with no members, so it is never called.
class EventSink final : public Counted<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID___ctlBrindtSysInfo) return E_NOINTERFACE;
    return Answer(this, out);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return Note("Event", E_NOTIMPL);
  }
};

void ExpectSquare(IOleObject* object, const char* when, wine_test::Where where = wine_test::Where::current()) {
  SIZEL extent{0, 0};
  const HRESULT hr = object->GetExtent(DVASPECT_CONTENT, &extent);
  ok_at(where, hr == S_OK && extent.cx == 1058 && extent.cy == 1058,
        "%s: expected the square of 1058 x 1058, got hr %#lx, %ld x %ld\n", when, hr, extent.cx, extent.cy);
}

void ExpectPosRect(const Site& site, const RECT& expected, const char* when,
                   wine_test::Where where = wine_test::Where::current()) {
  ok_at(where, EqualRect(&site.last_pos_rect, &expected), "%s: expected OnPosRectChange(%s), got (%s)\n", when,
        RectText(expected).c_str(), RectText(site.last_pos_rect).c_str());
}

// A top-down 32-bit DIB in a memory DC, filled with magenta.
struct Canvas {
  explicit Canvas(int side) : side(side) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    old = SelectObject(dc, bitmap);
    std::fill_n(bits, side * side, 0xff00ff);
  }
  ~Canvas() { SelectObject(dc, old), DeleteObject(bitmap), DeleteDC(dc); }
  /// Pixels that differ from `other`, and where the first of them is.
  int Differences(const Canvas& other, POINT* first = nullptr) const {
    GdiFlush();
    int count = 0;
    for (int i = 0; i < side * side; ++i) {
      if ((bits[i] & 0xffffff) != (other.bits[i] & 0xffffff) && count++ == 0 && first) *first = {i % side, i / side};
    }
    return count;
  }
  /// Pixels painted over the background.
  int Painted() const { return Differences(Canvas(side)); }
  int side;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  DWORD* bits = nullptr;
};

HRESULT DrawInto(IViewObject* view, HDC dc, const RECTL* bounds) {
  return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, bounds, nullptr, nullptr, 0);
}

// Activated in place, resized through SetExtent and SetObjectRects with each answer of a site, and closed.
void test_activation_and_resize() {
  ComPtr<IOleObject> object = CreateControl<IOleObject>();
  ComPtr<IOleInPlaceObject> in_place;
  if (!object || FAILED(object.As(&in_place))) return;
  // Without a site there is nobody to ask; the size stays.
  for (SIZEL asked : {SIZEL{5000, 3000}, SIZEL{0, 0}, SIZEL{-100, 20}}) {
    const HRESULT hr = object->SetExtent(DVASPECT_CONTENT, &asked);
    ok(hr == S_OK, "SetExtent(%ld x %ld): expected S_OK, got %#lx\n", asked.cx, asked.cy, hr);
    ExpectSquare(object.Get(), "after SetExtent without a site");
  }
  Site site;
  HRESULT hr = object->SetClientSite(&site);
  ok(hr == S_OK, "SetClientSite: expected S_OK, got %#lx\n", hr);
  ExpectCalls("SetClientSite", "QI(IDispatch) UserMode ");

  // Not active yet: a new size is asked of the client site, and the square stays.
  SIZEL asked{5000, 3000};
  object->SetExtent(DVASPECT_CONTENT, &asked);
  ExpectCalls("SetExtent before activation", "RequestNewObjectLayout ");
  ExpectSquare(object.Get(), "SetExtent before activation");

  // Activated at another size, the site is asked to take the square at the same corner; the verb again asks nothing.
  const RECT first{10, 20, 210, 120};
  for (LONG verb : {OLEIVERB_INPLACEACTIVATE, OLEIVERB_SHOW}) {
    hr = object->DoVerb(verb, nullptr, &site, 0, nullptr, &first);
    ok(hr == S_OK && site.refs == 3, "DoVerb(%ld): expected S_OK and refs 3, got %#lx %lu\n", verb, hr, site.refs);
    ExpectCalls("DoVerb", verb == OLEIVERB_SHOW ? "" : "CanInPlaceActivate OnInPlaceActivate OnPosRectChange ");
  }
  ExpectPosRect(site, SquareAt(10, 20), "DoVerb");

  const LONG side = SquareAt(0, 0).right;
  const struct {
    RECT asked;
    RECT expected;  // what OnPosRectChange is asked; {} when nothing is asked
  } resizes[] = {
      {{30, 40, 130, 90}, SquareAt(30, 40)},                                     // larger
      {{-5, -7, -4, -6}, SquareAt(-5, -7)},                                      // one pixel, off the client area
      {{50, 50, 50, 50}, SquareAt(50, 50)},                                      // empty
      {{60, 70, 0, 0}, SquareAt(60, 70)},                                        // upside down
      {SquareAt(100, 200), {}},                                                  // already the square: nothing to ask
      {{LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX}, SquareAt(LONG_MIN, LONG_MIN)},  // without overflow
      {{LONG_MAX - 5, LONG_MAX - 5, LONG_MAX, LONG_MAX},
       {LONG_MAX - side, LONG_MAX - SquareAt(0, 0).bottom, LONG_MAX, LONG_MAX}},  // kept on the plane
  };
  for (const auto& resize : resizes) {
    site.last_pos_rect = {};
    hr = in_place->SetObjectRects(&resize.asked, &resize.asked);
    const std::string when = "SetObjectRects(" + RectText(resize.asked) + ")";
    ok(hr == S_OK, "%s: expected S_OK, got %#lx\n", when.c_str(), hr);
    ExpectCalls(when.c_str(), IsRectEmpty(&resize.expected) ? "" : "OnPosRectChange ");
    ExpectPosRect(site, resize.expected, when.c_str());
    ExpectSquare(object.Get(), when.c_str());
  }

  // A site refusing OnPosRectChange is asked for a layout; one that sets its own size again gets one request.
  const RECT wide{0, 0, 500, 40};
  site.pos_rect_answer = E_NOTIMPL;
  in_place->SetObjectRects(&wide, &wide);
  ExpectCalls("OnPosRectChange refused", "OnPosRectChange RequestNewObjectLayout ");
  site.pos_rect_answer = S_OK;
  site.resize_again = in_place.Get();
  in_place->SetObjectRects(&wide, &wide);
  ExpectCalls("the site sets its own size", "OnPosRectChange ");
  site.resize_again = nullptr;

  // SetExtent while active asks the client site first; OnPosRectChange only when that fails.
  asked = {2000, 2000};
  object->SetExtent(DVASPECT_CONTENT, &asked);
  ExpectCalls("SetExtent while active", "RequestNewObjectLayout ");
  site.layout_answer = E_NOTIMPL;
  hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ok(hr == S_OK, "SetExtent while active: expected S_OK, got %#lx\n", hr);
  ExpectCalls("SetExtent, layout refused", "RequestNewObjectLayout OnPosRectChange ");
  ExpectPosRect(site, SquareAt(0, 0), "SetExtent, layout refused");
  ExpectSquare(object.Get(), "after SetExtent while active");

  hr = in_place->InPlaceDeactivate();
  ok(hr == S_OK && site.refs == 2 && in_place->InPlaceDeactivate() == S_OK,
     "InPlaceDeactivate: expected S_OK twice and refs 2, got %#lx %lu\n", hr, site.refs);
  ExpectCalls("InPlaceDeactivate", "OnInPlaceDeactivate ");
  // Not active: SetObjectRects keeps the square and asks only the client site.
  in_place->SetObjectRects(&wide, &wide);
  ExpectCalls("SetObjectRects while inactive", "RequestNewObjectLayout ");

  // Letting go of the site on Close: the ATL container's last Release.
  object->Close(OLECLOSE_SAVEIFDIRTY);
  object->SetClientSite(nullptr);
  ExpectCalls("Close and SetClientSite(NULL)", "");
  in_place.Reset();
  ExpectLastRelease(object, "control");
}

// UserMode is read when sited and when the container says it changed; a change of mode is told to the view's sink.
// At design time the picture is the module's icon, pixel for pixel, centred and scaled; at run time nothing.
void test_user_mode_and_icon() {
  ComPtr<IOleObject> object = CreateControl<IOleObject>();
  ComPtr<IOleControl> control;
  ComPtr<IViewObject2> view;
  if (!object || FAILED(object.As(&control)) || FAILED(object.As(&view))) return;
  const RECTL square{0, 0, 40, 40};
  Site site;
  site.user_mode = false;
  AdviseSink sink;
  HRESULT hr = view->SetAdvise(DVASPECT_CONTENT, 0, &sink);
  // Design time: the picture changes from nothing to the icon.
  object->SetClientSite(&site);
  ExpectCalls("sited at design time", "QI(IDispatch) UserMode OnViewChange ");
  ok(sink.last_aspect == DVASPECT_CONTENT && sink.last_index == -1,
     "expected OnViewChange(CONTENT, -1), got (%lu, %ld)\n", sink.last_aspect, sink.last_index);

  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(L"BrindtSysInfo.ocx"), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  ok(icon != nullptr, "expected a 32 x 32 icon 1 in the module, got none\n");
  // The 40-pixel square shows the icon at its own size with 4 pixels around it; other squares scale that.
  const struct {
    int canvas;
    RECTL bounds;
    int x, y, side;
  } cases[] = {{40, {0, 0, 40, 40}, 4, 4, 32}, {100, {10, 5, 90, 85}, 18, 13, 64}, {60, {0, 10, 40, 30}, 12, 12, 16}};
  for (const auto& c : cases) {
    Canvas drawn(c.canvas), expected(c.canvas);
    hr = DrawInto(view.Get(), drawn.dc, &c.bounds);
    DrawIconEx(expected.dc, c.x, c.y, icon, c.side, c.side, 0, nullptr, DI_NORMAL);
    POINT at{-1, -1};
    const int differences = drawn.Differences(expected, &at);
    ok(hr == S_OK && differences == 0 && expected.Painted() > c.side * c.side / 4,
       "bounds %ld,%ld-%ld,%ld: expected the icon at %d,%d size %d, got hr %#lx and %d pixels differing from %ld,%ld\n",
       c.bounds.left, c.bounds.top, c.bounds.right, c.bounds.bottom, c.x, c.y, c.side, hr, differences, at.x, at.y);
  }
  DestroyIcon(icon);
  // Nothing to cover (empty, upside down) leaves the DC alone; the widest rectangle is drawn, without overflow.
  Canvas canvas(40);
  for (const RECTL& bounds : {RECTL{10, 10, 10, 30}, RECTL{30, 30, 10, 10}}) {
    hr = DrawInto(view.Get(), canvas.dc, &bounds);
    ok(hr == S_OK && canvas.Painted() == 0, "Draw(%ld, %ld): expected S_OK and nothing painted, got %#lx, %d pixels\n",
       bounds.left, bounds.right, hr, canvas.Painted());
  }
  const RECTL widest{LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX};
  hr = DrawInto(view.Get(), canvas.dc, &widest);
  ok(hr == S_OK && canvas.Painted() > 0, "widest rectangle: expected S_OK and pixels, got %#lx, %d pixels\n", hr,
     canvas.Painted());

  const struct {
    DISPID changed;
    bool user_mode;
    const char* calls;
  } changes[] = {
      {DISPID_AMBIENT_BACKCOLOR, false, ""},                                     // another ambient: not read
      {DISPID_UNKNOWN, false, "QI(IDispatch) UserMode "},                        // unchanged: the picture stays
      {DISPID_AMBIENT_USERMODE, true, "QI(IDispatch) UserMode OnViewChange "},   // run time now: nothing drawn
      {DISPID_AMBIENT_USERMODE, false, "QI(IDispatch) UserMode OnViewChange "},  // design time again: the icon
  };
  for (const auto& change : changes) {
    site.user_mode = change.user_mode;
    hr = control->OnAmbientPropertyChange(change.changed);
    ok(hr == S_OK, "OnAmbientPropertyChange(%ld): expected S_OK, got %#lx\n", change.changed, hr);
    ExpectCalls("OnAmbientPropertyChange", change.calls);
    Canvas fresh(40);
    hr = DrawInto(view.Get(), fresh.dc, &square);
    ok(hr == S_OK && (fresh.Painted() > 0) == !change.user_mode, "expected S_OK and %s, got %#lx, %d pixels\n",
       change.user_mode ? "nothing" : "the icon", hr, fresh.Painted());
  }
  // Close lets the view's sink go.
  hr = object->Close(OLECLOSE_NOSAVE);
  ok(hr == S_OK && sink.refs == 1, "Close: expected S_OK and the sink let go, got %#lx refs %lu\n", hr, sink.refs);
  object->SetClientSite(nullptr);
  ok(site.refs == 1, "expected the site let go, got refs %lu\n", site.refs);
  control.Reset();
  view.Reset();
  ExpectLastRelease(object, "control");
}

void test_quick_activate() {
  ComPtr<IQuickActivate> quick = CreateControl<IQuickActivate>();
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
  // The ambients come with the structure: no call back for UserMode. Design time: the view changes at once.
  HRESULT hr = quick->QuickActivate(&container, &control);
  ok(hr == S_OK, "QuickActivate: expected S_OK, got %#lx\n", hr);
  ExpectCalls("QuickActivate", "OnViewChange ");
  ok(control.dwMiscStatus == 0x20591 && control.dwViewStatus == 0 && control.dwEventCookie != 0 &&
         control.dwEventCookie != 0xcccccccc && control.dwPropNotifyCookie == 0 &&
         control.dwPointerActivationPolicy == 0,
     "QACONTROL: expected misc 0x20591, view 0, an event cookie, no notify cookie and policy, got %#lx %#lx %lu %lu "
     "%#lx\n",
     control.dwMiscStatus, control.dwViewStatus, control.dwEventCookie, control.dwPropNotifyCookie,
     control.dwPointerActivationPolicy);
  ok(site.refs == 2 && sink.refs == 2 && events.refs == 2, "expected all three kept, got refs %lu %lu %lu\n", site.refs,
     sink.refs, events.refs);
  ExpectLastRelease(quick, "control");
  ok(site.refs == 1 && sink.refs == 1 && events.refs == 1, "expected all three let go, got refs %lu %lu %lu\n",
     site.refs, sink.refs, events.refs);
}

// No properties: nothing written, what it wrote loads, never dirty; the storage protocol in a container's order.
void test_persistence() {
  ComPtr<IPersistStreamInit> saver = CreateControl<IPersistStreamInit>();
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  if (!saver || !stream) return;
  // A form saves what comes before and after the control in the same stream.
  stream->Write("head", 4, nullptr);
  HRESULT hr = saver->Save(stream.Get(), TRUE);
  ULARGE_INTEGER size{}, at_end{};
  const LARGE_INTEGER here{}, after_head{{4, 0}};
  stream->Seek(here, STREAM_SEEK_CUR, &at_end);
  saver->GetSizeMax(&size);
  ok(hr == S_OK && at_end.QuadPart == 4 && size.QuadPart == 0 && saver->IsDirty() == S_FALSE,
     "Save: expected S_OK, nothing written, GetSizeMax 0, clean, got %#lx, %llu bytes, %llu\n", hr, at_end.QuadPart - 4,
     size.QuadPart);
  stream->Write("tail", 4, nullptr);
  ExpectLastRelease(saver, "saving control");
  ComPtr<IPersistStreamInit> loader = CreateControl<IPersistStreamInit>();
  stream->Seek(after_head, STREAM_SEEK_SET, nullptr);
  hr = loader->Load(stream.Get());
  // The control read only its own (empty) part: the container's data follows where it left off.
  char tail[5] = {};
  stream->Read(tail, 4, nullptr);
  ok(hr == S_OK && std::string(tail) == "tail", "Load: expected S_OK and the stream at \"tail\", got %#lx \"%s\"\n", hr,
     tail);
  ExpectLastRelease(loader, "loading control");

  ComPtr<IStorage> storage;
  StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0, &storage);
  ComPtr<IPersistStorage> keeper = CreateControl<IPersistStorage>();
  ComPtr<IOleObject> object;
  if (!storage || !keeper || FAILED(keeper.As(&object))) return;
  AdviseSink sink;
  DWORD connection = 0;
  object->Advise(&sink, &connection);
  // A document container's order: InitNew, OleSave, SaveCompleted; for Save As, HandsOffStorage and a storage back.
  const HRESULT steps[] = {keeper->InitNew(storage.Get()), OleSave(keeper.Get(), storage.Get(), TRUE),
                           keeper->SaveCompleted(nullptr), keeper->HandsOffStorage(),
                           keeper->SaveCompleted(storage.Get())};
  ok(std::count(std::begin(steps), std::end(steps), S_OK) == 5,
     "InitNew, OleSave, SaveCompleted, HandsOffStorage, SaveCompleted: expected S_OK, got %#lx %#lx %#lx %#lx %#lx\n",
     steps[0], steps[1], steps[2], steps[3], steps[4]);
  ExpectCalls("both SaveCompleted", "OnSave OnSave ");
  object->Unadvise(connection);
  ok(sink.refs == 1, "expected the advise sink let go, got refs %lu\n", sink.refs);
  object.Reset();
  ExpectLastRelease(keeper, "saving control");
  // As a container loads it: the class from the storage, then Load.
  ComPtr<IPersistStorage> loaded;
  hr = OleLoad(storage.Get(), IID_IPersistStorage, nullptr, reinterpret_cast<void**>(loaded.GetAddressOf()));
  CLSID loaded_class = CLSID_NULL;
  if (loaded) loaded->GetClassID(&loaded_class);
  ok(hr == S_OK && loaded_class == CLSID_ctlBrindtSysInfo && loaded && loaded->IsDirty() == S_FALSE,
     "OleLoad: expected the control, clean, got %#lx\n", hr);
  if (loaded) ExpectLastRelease(loaded, "loaded control");
  ExpectLastRelease(storage, "storage");
}

// The class info names the coclass and its source interface, whose point takes a sink and lets it go (an advise
// through QuickActivate, and a sink let go with the control: test_quick_activate).
void test_class_info_and_events() {
  ComPtr<IProvideClassInfo2> class_info = CreateControl<IProvideClassInfo2>();
  ComPtr<IConnectionPointContainer> container;
  if (!class_info || FAILED(class_info.As(&container))) return;
  ComPtr<ITypeInfo> info;
  HRESULT hr = class_info->GetClassInfo(&info);
  TYPEATTR* attr = nullptr;
  if (info) info->GetTypeAttr(&attr);
  GUID guid = {};
  const HRESULT source = class_info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid);
  ok(hr == S_OK && attr && attr->guid == CLSID_ctlBrindtSysInfo && attr->typekind == TKIND_COCLASS && source == S_OK &&
         guid == DIID___ctlBrindtSysInfo,
     "expected the coclass and the source interface, got hr %#lx %#lx %s\n", hr, source,
     Narrow(wine_test::GuidText(guid)).c_str());
  if (attr) info->ReleaseTypeAttr(attr);
  info.Reset();
  class_info.Reset();
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(DIID___ctlBrindtSysInfo, &point);
  ok(hr == S_OK, "FindConnectionPoint: expected S_OK, got %#lx\n", hr);
  if (!point) return;
  EventSink sink;
  DWORD cookie = 0;
  hr = point->Advise(&sink, &cookie);
  const HRESULT unadvised = point->Unadvise(cookie);
  const HRESULT again = point->Unadvise(cookie);
  ok(hr == S_OK && cookie != 0 && unadvised == S_OK && sink.refs == 1 && again == CONNECT_E_NOCONNECTION,
     "Advise, Unadvise twice: expected S_OK, a cookie, S_OK, the sink let go, CONNECT_E_NOCONNECTION, got %#lx %lu "
     "%#lx refs %lu %#lx\n",
     hr, cookie, unadvised, sink.refs, again);
  ExpectLastRelease(point, "connection point");
  ExpectLastRelease(container, "control");
}

using AtlAxCreateControlExFunction = HRESULT(WINAPI*)(LPCOLESTR name, HWND window, IStream* stream,
                                                      IUnknown** container, IUnknown** control, REFIID sink_iid,
                                                      IUnknown* sink);

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// A real container in a window of the test: the control keeps its square at every host size, draws nothing without
// ambients, shows its window, and is let go when the host window goes.
void test_atl_container(AtlAxCreateControlExFunction create_control) {
  HWND frame = CreateWindowExW(0, L"STATIC", L"ole_test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 500, 400, nullptr,
                               nullptr, nullptr, nullptr);
  HWND host =
      CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, frame, nullptr, nullptr, nullptr);
  ComPtr<IUnknown> container, control;
  const std::wstring clsid = wine_test::GuidText(CLSID_ctlBrindtSysInfo);
  HRESULT hr = host ? create_control(clsid.c_str(), host, nullptr, &container, &control, IID_NULL, nullptr) : E_FAIL;
  ok(hr == S_OK && container && control, "AtlAxCreateControlEx: expected S_OK, got %#lx %p %p\n", hr, container.Get(),
     control.Get());
  ComPtr<IOleObject> object;
  if (!control || FAILED(control.As(&object))) return (void)DestroyWindow(frame);
  ComPtr<IOleClientSite> site;
  hr = object->GetClientSite(&site);
  ok(hr == S_OK && site, "expected the container as the control's site, got hr %#lx %p\n", hr, site.Get());
  site.Reset();

  // The container sets the extent and the object rectangles from WM_SIZE of its window: the square stays.
  const SIZE sizes[] = {{300, 200}, {1, 1}, {0, 0}, {40, 40}, {1000, 20}, {41, 39}, {640, 480}, {77, 55}};
  for (const SIZE& size : sizes) {
    SetWindowPos(host, nullptr, 20, 30, size.cx, size.cy, SWP_NOZORDER);
    PumpMessages();
    ExpectSquare(object.Get(), ("host at " + std::to_string(size.cx) + " x " + std::to_string(size.cy)).c_str());
  }
  // The container has no ambient properties: run time, so the control draws nothing.
  ComPtr<IViewObject> view;
  control.As(&view);
  Canvas canvas(40);
  const RECTL square{0, 0, 40, 40};
  ok(view && DrawInto(view.Get(), canvas.dc, &square) == S_OK && canvas.Painted() == 0,
     "without ambients: expected nothing painted (run time), got %d pixels\n", canvas.Painted());
  view.Reset();

  // Run time: ShowSysInfo on the sited control.
  ComPtr<_ctlBrindtSysInfo> sited;
  control.As(&sited);
  VARIANT result;
  V_VT(&result) = VT_I4;
  hr = ocx_test::ShowAndClose(ocx_test::CloseBy::Ok, [&] { return sited->ShowSysInfo(&result); });
  ok(hr == S_OK && V_VT(&result) == VT_EMPTY, "ShowSysInfo: expected S_OK and Empty, got %#lx type %u\n", hr,
     V_VT(&result));
  sited.Reset();

  // The container closes the control and lets go of it when its window is destroyed.
  DestroyWindow(frame);
  PumpMessages();
  ComPtr<IOleClientSite> after;
  hr = object->GetClientSite(&after);
  ok(hr == S_OK && !after, "after the window went: expected no site, got %#lx %p\n", hr, after.Get());
  object.Reset();
  ExpectLastRelease(control, "control");
  ExpectLastRelease(container, "container");
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_activation_and_resize();
  test_user_mode_and_icon();
  test_quick_activate();
  test_persistence();
  test_class_info_and_events();
  HMODULE atl = LoadLibraryW(L"atl100.dll");
  auto* create_control = reinterpret_cast<AtlAxCreateControlExFunction>(
      atl ? reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxCreateControlEx")) : nullptr);
  if (!create_control) {
    skip("atl100.dll with AtlAxCreateControlEx is not available\n");
  } else {
    test_atl_container(create_control);
  }
  if (atl) FreeLibrary(atl);
  OleUninitialize();
  return wine_test::Summary("ole");
}
