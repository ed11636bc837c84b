// SPDX-License-Identifier: MIT
// The control in a client site of the test's own: the calls it makes, in order, while it is sited, activated
// (windowed and windowless), resized, deactivated and closed; the resize rule with every answer a site can give
// and the extreme rectangles; ambient UserMode; IQuickActivate; IOleControl.
#include <windows.h>

#include <olectl.h>
#include <wrl/client.h>

#include <climits>

#include "ole_support.h"

using Microsoft::WRL::ComPtr;
using ole_test::ExpectCalls;
using ole_test::ExpectLastRelease;
using ole_test::RectText;
using ole_test::SquareAt;

namespace {

void ExpectSquare(IOleObject* object, const char* when, wine_test::Where where = wine_test::Where::current()) {
  SIZEL extent{0, 0};
  const HRESULT hr = object->GetExtent(DVASPECT_CONTENT, &extent);
  ok_at(where, hr == S_OK && extent.cx == 1058 && extent.cy == 1058,
        "%s: expected the square of 1058 x 1058, got hr %#lx, %ld x %ld\n", when, hr, extent.cx, extent.cy);
}

void ExpectPosRect(const ole_test::Site& site, const RECT& expected, const char* when,
                   wine_test::Where where = wine_test::Where::current()) {
  ok_at(where, EqualRect(&site.last_pos_rect, &expected), "%s: expected OnPosRectChange(%s), got (%s)\n", when,
        RectText(expected).c_str(), RectText(site.last_pos_rect).c_str());
}

void test_misc_status_and_extent() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  DWORD status = 0xdeadbeef;
  HRESULT hr = object->GetMiscStatus(DVASPECT_CONTENT, &status);
  ok(hr == S_OK && status == 0x20591, "GetMiscStatus: expected 0x20591, got hr %#lx %#lx\n", hr, status);
  SIZEL extent{7, 7};
  hr = object->GetExtent(DVASPECT_ICON, &extent);
  ok(hr == DV_E_DVASPECT && extent.cx == 7, "GetExtent(ICON): expected DV_E_DVASPECT, got %#lx, %ld\n", hr, extent.cx);
  ok(object->SetExtent(DVASPECT_ICON, &extent) == DV_E_DVASPECT, "SetExtent(ICON): expected DV_E_DVASPECT\n");
  // Without a site there is nobody to ask; the size stays.
  for (SIZEL asked : {SIZEL{5000, 3000}, SIZEL{0, 0}, SIZEL{-100, 20}, SIZEL{1058, 1058}}) {
    hr = object->SetExtent(DVASPECT_CONTENT, &asked);
    ok(hr == S_OK, "SetExtent(%ld x %ld): expected S_OK, got %#lx\n", asked.cx, asked.cy, hr);
    ExpectSquare(object.Get(), "after SetExtent without a site");
  }
  ComPtr<IViewObject2> view;
  ComPtr<IQuickActivate> quick;
  object.As(&view);
  object.As(&quick);
  SIZEL by_view{0, 0}, by_quick{0, 0};
  hr = view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &by_view);
  const HRESULT quick_hr = quick->GetContentExtent(&by_quick);
  ok(hr == S_OK && quick_hr == S_OK && by_view.cx == 1058 && by_view.cy == 1058 && by_quick.cx == 1058 &&
         by_quick.cy == 1058,
     "expected 1058 x 1058 through IViewObject2 and IQuickActivate, got %ld x %ld (%#lx), %ld x %ld (%#lx)\n",
     by_view.cx, by_view.cy, hr, by_quick.cx, by_quick.cy, quick_hr);
  view.Reset();
  quick.Reset();
  ExpectLastRelease(object, "control");
}

// Activated in a windowed in-place site, resized through SetExtent and SetObjectRects with each answer a site
// can give, deactivated and closed.
void test_activation_and_resize() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  ComPtr<IOleInPlaceObject> in_place;
  if (!object || FAILED(object.As(&in_place))) return;
  ole_test::Site site;
  ole_test::SetSite(object.Get(), &site);
  ok(site.refs == 2, "expected the control to keep the site, got refs %lu\n", site.refs);

  // Not active yet: a new size is asked of the client site, and the square stays.
  SIZEL asked{5000, 3000};
  HRESULT hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ExpectCalls("SetExtent before activation", "RequestNewObjectLayout ");
  ExpectSquare(object.Get(), "SetExtent before activation");
  asked = {1058, 1058};
  hr = object->SetExtent(DVASPECT_CONTENT, &asked);
  ExpectCalls("SetExtent to the square", "");

  // Activation at a rectangle of another size: the site is asked to take the square at the same corner.
  const RECT first{10, 20, 210, 120};
  hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, &first);
  ok(hr == S_OK && site.refs == 3, "DoVerb: expected S_OK and refs 3, got %#lx %lu\n", hr, site.refs);
  ExpectCalls("DoVerb", "CanInPlaceActivate OnInPlaceActivate OnPosRectChange ");
  ExpectPosRect(site, SquareAt(10, 20), "DoVerb");
  // Active once: the verb again asks nothing.
  hr = object->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, nullptr, &first);
  ok(hr == S_OK && site.refs == 3, "second DoVerb: expected S_OK and refs 3, got %#lx %lu\n", hr, site.refs);
  ExpectCalls("second DoVerb", "");

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
  const RECT clip{0, 0, 10, 10};
  ok(in_place->SetObjectRects(nullptr, &clip) == E_POINTER && in_place->SetObjectRects(&clip, nullptr) == E_POINTER,
     "SetObjectRects with a NULL rectangle: expected E_POINTER\n");

  // A site without OnPosRectChange is asked for a new layout instead; one that sets its own size again gets
  // one request, no loop.
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
  site.layout_answer = S_OK;

  hr = object->Close(OLECLOSE_SAVEIFDIRTY);
  ok(hr == S_OK && site.refs == 2, "Close: expected S_OK and refs 2, got %#lx %lu\n", hr, site.refs);
  hr = object->SetClientSite(nullptr);
  ok(hr == S_OK && site.refs == 1, "SetClientSite(NULL): expected S_OK and refs 1, got %#lx %lu\n", hr, site.refs);
  ExpectCalls("Close and SetClientSite(NULL)", "");
  in_place.Reset();
  ExpectLastRelease(object, "control");
}

// A windowless site without ambients (run time): activated through OnInPlaceActivateEx at the position from
// GetWindowContext, deactivated by Close and by letting go of the site.
void test_windowless_site() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  ole_test::Site site;
  site.windowless = true;
  site.ambients = false;
  ole_test::SetSite(object.Get(), &site);
  for (int round = 0; round < 2; ++round) {
    site.context_position = {5, 6, 105, 106};
    HRESULT hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr);
    ok(hr == S_OK && site.refs == 3 && site.activate_flags == ACTIVATE_WINDOWLESS,
       "DoVerb: expected S_OK, refs 3, ACTIVATE_WINDOWLESS, got %#lx %lu %#lx\n", hr, site.refs, site.activate_flags);
    ExpectCalls("windowless DoVerb",
                "CanInPlaceActivate CanWindowlessActivate OnInPlaceActivateEx GetWindowContext OnPosRectChange ");
    ExpectPosRect(site, SquareAt(5, 6), "windowless DoVerb");

    // What a windowless site asks of the object: messages left to the container, no window, no drop target,
    // and the resize rule through this face too.
    ComPtr<IOleInPlaceObjectWindowless> face;
    object.As(&face);
    LRESULT result = 0xdead;
    hr = face->OnWindowMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10), &result);
    ok(hr == S_FALSE && result == 0, "OnWindowMessage: expected S_FALSE, 0, got %#lx %Id\n", hr, result);
    IDropTarget* target = reinterpret_cast<IDropTarget*>(0xdeadbeef);
    HWND window = reinterpret_cast<HWND>(0xdeadbeef);
    hr = face->GetDropTarget(&target);
    const HRESULT window_hr = face->GetWindow(&window);
    ok(hr == E_NOTIMPL && !target && window_hr == E_FAIL && !window,
       "expected no drop target (E_NOTIMPL) and no window (E_FAIL), got %#lx %p, %#lx %p\n", hr,
       static_cast<void*>(target), window_hr, static_cast<void*>(window));
    const RECT wide{1, 2, 301, 202};
    face->SetObjectRects(&wide, &wide);
    ExpectCalls("windowless SetObjectRects", "OnPosRectChange ");
    ExpectPosRect(site, SquareAt(1, 2), "windowless SetObjectRects");
    face.Reset();

    // Windowless and active: Draw without bounds means the position; not after deactivation.
    ComPtr<IViewObject> view;
    object.As(&view);
    HDC dc = CreateCompatibleDC(nullptr);
    hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0);
    ok(hr == S_OK, "Draw without bounds while windowless: expected S_OK, got %#lx\n", hr);
    site.deactivate_no_redraw = 0xbeef;
    if (round == 0) {
      hr = object->Close(OLECLOSE_NOSAVE);
    } else {
      hr = object->SetClientSite(nullptr);  // the container lets go of the site while the control is active
    }
    ok(hr == S_OK && site.refs == ULONG(2 - round) && site.deactivate_no_redraw == TRUE,
       "%s: expected S_OK, refs %d, OnInPlaceDeactivateEx(TRUE), got %#lx %lu %d\n",
       round ? "SetClientSite(NULL)" : "Close", 2 - round, hr, site.refs, site.deactivate_no_redraw);
    ExpectCalls("deactivation", "OnInPlaceDeactivateEx ");
    hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0);
    ok(hr == E_INVALIDARG, "Draw without bounds after deactivation: expected E_INVALIDARG, got %#lx\n", hr);
    DeleteDC(dc);
  }
  ExpectLastRelease(object, "control");
}

// UserMode is read when the site is set and again when the container says it changed; a change of mode is a
// change of the picture, told to the view's sink as its advise flags say.
void test_ambient_user_mode() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  ComPtr<IOleControl> control;
  ComPtr<IViewObject2> view;
  if (!object || FAILED(object.As(&control)) || FAILED(object.As(&view))) return;
  ole_test::Site site;
  site.user_mode = false;
  ole_test::AdviseSink sink;
  HRESULT hr = view->SetAdvise(DVASPECT_CONTENT, 0, &sink);
  ok(hr == S_OK && sink.refs == 2, "SetAdvise: expected S_OK, refs 2, got %#lx %lu\n", hr, sink.refs);
  // Design time: the picture changes from nothing to the icon.
  object->SetClientSite(&site);
  ExpectCalls("sited at design time", "QI(IDispatch) UserMode OnViewChange ");
  ok(sink.last_aspect == DVASPECT_CONTENT && sink.last_index == -1,
     "expected OnViewChange(CONTENT, -1), got (%lu, %ld)\n", sink.last_aspect, sink.last_index);

  const struct {
    DISPID changed;
    bool user_mode;
    const char* calls;
  } changes[] = {
      {DISPID_AMBIENT_BACKCOLOR, false, ""},                                    // another ambient: not read
      {DISPID_UNKNOWN, false, "QI(IDispatch) UserMode "},                       // unchanged: the picture stays
      {DISPID_AMBIENT_USERMODE, true, "QI(IDispatch) UserMode OnViewChange "},  // run time now
  };
  for (const auto& change : changes) {
    site.user_mode = change.user_mode;
    hr = control->OnAmbientPropertyChange(change.changed);
    ok(hr == S_OK, "OnAmbientPropertyChange(%ld): expected S_OK, got %#lx\n", change.changed, hr);
    ExpectCalls("OnAmbientPropertyChange", change.calls);
  }
  DWORD aspects = 0xdeadbeef, flags = 0xdeadbeef;
  IAdviseSink* got = nullptr;
  hr = view->GetAdvise(&aspects, &flags, &got);
  ok(hr == S_OK && aspects == DVASPECT_CONTENT && flags == 0 && got == &sink && sink.refs == 3,
     "GetAdvise: expected CONTENT, 0, the sink, refs 3, got %#lx %lu %lu %p %lu\n", hr, aspects, flags,
     static_cast<void*>(got), sink.refs);
  if (got) got->Release();
  // Once only: the sink is let go after the first change.
  view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &sink);
  site.user_mode = false;
  control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
  ExpectCalls("once-only change", "QI(IDispatch) UserMode OnViewChange ");
  ok(sink.refs == 1, "expected the sink let go after a once-only change, got refs %lu\n", sink.refs);
  // Prime first: told at once. Close lets the sink go.
  hr = view->SetAdvise(DVASPECT_CONTENT, ADVF_PRIMEFIRST, &sink);
  ExpectCalls("SetAdvise(PRIMEFIRST)", "OnViewChange ");
  hr = object->Close(OLECLOSE_NOSAVE);
  ok(hr == S_OK && sink.refs == 1, "Close: expected S_OK and the sink let go, got %#lx refs %lu\n", hr, sink.refs);

  object->SetClientSite(nullptr);
  ok(site.refs == 1, "expected the site let go, got refs %lu\n", site.refs);
  control.Reset();
  view.Reset();
  ExpectLastRelease(object, "control");
}

void test_quick_activate() {
  ComPtr<IQuickActivate> quick = ole_test::CreateControl<IQuickActivate>();
  if (!quick) return;
  ole_test::Site site;
  ole_test::AdviseSink sink;
  ole_test::EventSink events;
  QACONTAINER container{};
  container.cbSize = sizeof(container);
  container.pClientSite = &site;
  container.pAdviseSink = &sink;
  container.pUnkEventSink = &events;
  container.dwAmbientFlags = QACONTAINER_SHOWGRABHANDLES;  // design time
  QACONTROL control;
  FillMemory(&control, sizeof(control), 0xcc);
  control.cbSize = sizeof(control);
  container.cbSize = 8;
  HRESULT hr = quick->QuickActivate(&container, &control);
  container.cbSize = sizeof(container);
  container.pClientSite = nullptr;
  const HRESULT no_site = quick->QuickActivate(&container, &control);
  container.pClientSite = &site;
  ok(hr == E_INVALIDARG && no_site == E_INVALIDARG && site.refs == 1 && sink.refs == 1 && events.refs == 1,
     "short QACONTAINER and no site: expected E_INVALIDARG, nothing kept, got %#lx %#lx refs %lu/%lu/%lu\n", hr,
     no_site, site.refs, sink.refs, events.refs);

  // The ambients come with the structure: no call back for UserMode. Design time: the view changes at once.
  hr = quick->QuickActivate(&container, &control);
  ok(hr == S_OK, "QuickActivate: expected S_OK, got %#lx\n", hr);
  ExpectCalls("QuickActivate", "OnViewChange ");
  ok(control.cbSize == sizeof(control) && control.dwMiscStatus == 0x20591 && control.dwViewStatus == 0 &&
         control.dwEventCookie != 0 && control.dwEventCookie != 0xcccccccc && control.dwPropNotifyCookie == 0 &&
         control.dwPointerActivationPolicy == 0,
     "QACONTROL: expected misc 0x20591, view 0, an event cookie, no notify cookie, no pointer policy, got %#lx "
     "%#lx %lu %lu %#lx\n",
     control.dwMiscStatus, control.dwViewStatus, control.dwEventCookie, control.dwPropNotifyCookie,
     control.dwPointerActivationPolicy);
  ok(site.refs == 2 && sink.refs == 2 && events.refs == 2, "expected all three kept, got refs %lu %lu %lu\n", site.refs,
     sink.refs, events.refs);
  // The event cookie is the connection point's.
  ComPtr<IConnectionPointContainer> points;
  ComPtr<IConnectionPoint> point;
  quick.As(&points);
  points->FindConnectionPoint(DIID___ctlBrindtSysInfo, &point);
  hr = point ? point->Unadvise(control.dwEventCookie) : E_FAIL;
  ok(hr == S_OK && events.refs == 1, "Unadvise(event cookie): expected S_OK, refs 1, got %#lx %lu\n", hr, events.refs);
  ExpectLastRelease(point, "connection point");
  points.Reset();
  // SetContentExtent follows the resize rule.
  SIZEL asked{100, 100};
  hr = quick->SetContentExtent(&asked);
  ok(hr == S_OK, "SetContentExtent: expected S_OK, got %#lx\n", hr);
  ExpectCalls("SetContentExtent", "RequestNewObjectLayout ");
  ComPtr<IOleObject> object;
  quick.As(&object);
  object->SetClientSite(nullptr);
  object.Reset();
  ExpectLastRelease(quick, "control");
  ok(site.refs == 1 && sink.refs == 1, "expected site and view sink let go, got refs %lu %lu\n", site.refs, sink.refs);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_misc_status_and_extent();
  test_activation_and_resize();
  test_windowless_site();
  test_ambient_user_mode();
  test_quick_activate();
  OleUninitialize();
  return wine_test::Summary("ole_site");
}
