// SPDX-License-Identifier: MIT
// The control's picture through IViewObject::Draw into a memory DC: at design time (ambient UserMode false) the
// module's icon, pixel for pixel as DrawIconEx paints it, centred in the square and scaled with it; at run time,
// and without a site, nothing at all. Bad arguments leave the DC untouched.
#include <windows.h>

#include <olectl.h>
#include <wrl/client.h>

#include <climits>

#include "ole_support.h"

using Microsoft::WRL::ComPtr;
using ole_test::ExpectLastRelease;

namespace {

// A top-down 32-bit DIB selected into a memory DC, filled with magenta.
class Canvas {
 public:
  explicit Canvas(int side) : side_(side) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(info.bmiHeader), side, -side, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const DWORD*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    const RECT all{0, 0, side, side};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  /// Pixels that differ from `other`, and where the first of them is.
  int Differences(const Canvas& other, POINT* first = nullptr) const {
    GdiFlush();
    int count = 0;
    for (int i = 0; i < side_ * side_; ++i) {
      if ((bits_[i] & 0xffffff) == (other.bits_[i] & 0xffffff)) continue;
      if (count++ == 0 && first) *first = {i % side_, i / side_};
    }
    return count;
  }
  /// Pixels painted over the background.
  int Painted() const { return Differences(Canvas(side_)); }

 private:
  int side_;
  HDC dc_ = CreateCompatibleDC(nullptr);
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const DWORD* bits_ = nullptr;
};

HRESULT DrawInto(IViewObject* view, const Canvas& canvas, const RECTL& bounds) {
  return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0);
}

void test_design_time_icon() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  ComPtr<IViewObject> view;
  ComPtr<IOleControl> control;
  if (!object || FAILED(object.As(&view)) || FAILED(object.As(&control))) return;
  HICON icon = static_cast<HICON>(
      LoadImageW(GetModuleHandleW(L"BrindtSysInfo.ocx"), MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  ok(icon != nullptr, "expected a 32 x 32 icon 1 in the module, got none\n");
  if (!icon) return;
  ole_test::Site site;
  site.user_mode = false;
  ole_test::SetSite(object.Get(), &site);

  // The 40-pixel square shows the icon at its own size with 4 pixels around it; other squares scale that.
  const struct {
    int canvas;
    RECTL bounds;
    int x, y, side;
  } cases[] = {
      {40, {0, 0, 40, 40}, 4, 4, 32},
      {100, {10, 5, 90, 85}, 18, 13, 64},
      {60, {0, 10, 40, 30}, 12, 12, 16},
  };
  for (const auto& c : cases) {
    Canvas drawn(c.canvas), expected(c.canvas);
    const HRESULT hr = DrawInto(view.Get(), drawn, c.bounds);
    DrawIconEx(expected.dc(), c.x, c.y, icon, c.side, c.side, 0, nullptr, DI_NORMAL);
    POINT at{-1, -1};
    const int differences = drawn.Differences(expected, &at);
    ok(hr == S_OK && differences == 0 && expected.Painted() > c.side * c.side / 4,
       "bounds %ld,%ld-%ld,%ld: expected the icon at %d,%d size %d, got hr %#lx and %d pixels differing from %ld,%ld\n",
       c.bounds.left, c.bounds.top, c.bounds.right, c.bounds.bottom, c.x, c.y, c.side, hr, differences, at.x, at.y);
  }

  // Nothing to cover, and bad arguments: the DC stays as it was.
  Canvas canvas(40);
  const RECTL square{0, 0, 40, 40};
  const HRESULT empty = DrawInto(view.Get(), canvas, {10, 10, 10, 30});
  const HRESULT upside_down = DrawInto(view.Get(), canvas, {30, 30, 10, 10});
  const HRESULT icon_aspect =
      view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.dc(), &square, nullptr, nullptr, 0);
  const HRESULT no_dc =
      view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &square, nullptr, nullptr, 0);
  const HRESULT no_bounds =
      view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), nullptr, nullptr, nullptr, 0);
  ok(empty == S_OK && upside_down == S_OK && icon_aspect == DV_E_DVASPECT && no_dc == E_INVALIDARG &&
         no_bounds == E_INVALIDARG && canvas.Painted() == 0,
     "expected S_OK, S_OK, DV_E_DVASPECT, E_INVALIDARG, E_INVALIDARG and nothing painted, got %#lx %#lx %#lx %#lx "
     "%#lx and %d pixels\n",
     empty, upside_down, icon_aspect, no_dc, no_bounds, canvas.Painted());
  // The widest rectangle there is: drawn (around the origin), without overflow.
  HRESULT hr = DrawInto(view.Get(), canvas, {LONG_MIN, LONG_MIN, LONG_MAX, LONG_MAX});
  ok(hr == S_OK && canvas.Painted() > 0, "widest rectangle: expected S_OK and pixels, got %#lx, %d pixels\n", hr,
     canvas.Painted());
  LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(0xdeadbeef);
  hr = view->GetColorSet(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &palette);
  ok(hr == S_FALSE && !palette, "GetColorSet: expected S_FALSE and NULL, got %#lx %p\n", hr,
     static_cast<void*>(palette));

  // The container switches to run time, and back: the same call draws nothing, then the icon again.
  for (bool user_mode : {true, false}) {
    site.user_mode = user_mode;
    control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
    Canvas fresh(40);
    hr = DrawInto(view.Get(), fresh, square);
    ok(hr == S_OK && (fresh.Painted() > 0) == !user_mode, "%s: expected S_OK and %s, got %#lx, %d pixels\n",
       user_mode ? "run time" : "design time again", user_mode ? "nothing" : "the icon", hr, fresh.Painted());
  }
  object->SetClientSite(nullptr);
  ok(site.refs == 1, "expected the site let go, got refs %lu\n", site.refs);
  DestroyIcon(icon);
  control.Reset();
  view.Reset();
  ExpectLastRelease(object, "control");
}

void test_run_time_draws_nothing() {
  // Without a site the control cannot know the mode; it takes run time, as a container without ambients.
  for (bool sited : {false, true}) {
    ComPtr<IViewObject> view = ole_test::CreateControl<IViewObject>();
    ComPtr<IOleObject> object;
    if (!view || FAILED(view.As(&object))) return;
    ole_test::Site site;
    if (sited) object->SetClientSite(&site);
    Canvas canvas(40);
    const HRESULT hr = DrawInto(view.Get(), canvas, {0, 0, 40, 40});
    ok(hr == S_OK && canvas.Painted() == 0, "%s: expected S_OK and nothing painted, got %#lx, %d pixels\n",
       sited ? "run time" : "no site", hr, canvas.Painted());
    if (sited) object->SetClientSite(nullptr);
    object.Reset();
    ExpectLastRelease(view, "control");
  }
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_design_time_icon();
  test_run_time_draws_nothing();
  OleUninitialize();
  ole_test::calls.clear();
  return wine_test::Summary("ole_view");
}
