// SPDX-License-Identifier: MIT
// The control's picture through IViewObject::Draw into a memory DC: at design time (ambient UserMode false) the
// module's icon, pixel for pixel as DrawIconEx paints it, centred in the square and scaled with it; at run time,
// and without a site, nothing at all. Bad arguments leave the DC untouched.
#include <windows.h>

#include <olectl.h>
#include <wrl/client.h>

#include "ole_support.h"

using Microsoft::WRL::ComPtr;
using ole_test::ExpectLastRelease;

namespace {

constexpr COLORREF kBackground = RGB(255, 0, 255);

// A top-down 32-bit DIB selected into a memory DC, filled with the background colour.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<const DWORD*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    HBRUSH brush = CreateSolidBrush(kBackground);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
    GdiFlush();
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }
  DWORD At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xffffff;
  }
  /// Pixels that differ from `other` (same size), and pixels that differ from the background.
  int Differences(const Canvas& other) const {
    int count = 0;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) count += At(x, y) != other.At(x, y);
    }
    return count;
  }
  int Painted() const {
    Canvas blank(width_, height_);
    return Differences(blank);
  }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  const DWORD* bits_ = nullptr;
};

// A client site that has nothing but the ambient UserMode.
class AmbientSite final : public IOleClientSite, public IDispatch {
 public:
  ULONG refs = 1;
  bool user_mode = false;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                   UINT*) override {
    if (id != DISPID_AMBIENT_USERMODE || !result) return DISP_E_MEMBERNOTFOUND;
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = user_mode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }
};

HRESULT DrawInto(IViewObject* view, const Canvas& canvas, const RECTL& bounds) {
  return view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), &bounds, nullptr, nullptr, 0);
}

void test_design_time_icon() {
  ComPtr<IOleObject> object = ole_test::CreateControl<IOleObject>();
  if (!object) return;
  ComPtr<IViewObject> view;
  object.As(&view);
  HMODULE module = GetModuleHandleW(L"BrindtSysInfo.ocx");
  HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR));
  ok(icon != nullptr, "the module has no 32 x 32 icon 1\n");
  if (!icon) return;
  AmbientSite site;
  HRESULT hr = object->SetClientSite(&site);
  ok(hr == S_OK, "SetClientSite: hr %#lx\n", hr);

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
    Canvas drawn(c.canvas, c.canvas), expected(c.canvas, c.canvas);
    hr = DrawInto(view.Get(), drawn, c.bounds);
    ok(hr == S_OK, "Draw into %ld,%ld-%ld,%ld: hr %#lx\n", c.bounds.left, c.bounds.top, c.bounds.right, c.bounds.bottom,
       hr);
    DrawIconEx(expected.dc(), c.x, c.y, icon, c.side, c.side, 0, nullptr, DI_NORMAL);
    ok(expected.Painted() > c.side * c.side / 4, "the icon paints only %d pixels\n", expected.Painted());
    const int differences = drawn.Differences(expected);
    ok(differences == 0, "bounds %ld,%ld-%ld,%ld: %d pixels differ from the icon at %d,%d size %d\n", c.bounds.left,
       c.bounds.top, c.bounds.right, c.bounds.bottom, differences, c.x, c.y, c.side);
    // Spot checks that print the colours: the corner stays, the icon's centre is the icon's.
    ok(drawn.At(0, 0) == expected.At(0, 0), "corner %#lx, expected %#lx\n", drawn.At(0, 0), expected.At(0, 0));
    const int cx = c.x + c.side / 2, cy = c.y + c.side / 2;
    ok(drawn.At(cx, cy) == expected.At(cx, cy), "centre %#lx, expected %#lx\n", drawn.At(cx, cy), expected.At(cx, cy));
  }

  // Nothing to cover, and bad arguments: the DC stays as it was.
  Canvas canvas(40, 40);
  for (RECTL empty : {RECTL{10, 10, 10, 30}, RECTL{30, 30, 10, 10}}) {
    hr = DrawInto(view.Get(), canvas, empty);
    ok(hr == S_OK, "Draw into an empty rectangle: hr %#lx\n", hr);
  }
  const RECTL square{0, 0, 40, 40};
  hr = view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, canvas.dc(), &square, nullptr, nullptr, 0);
  ok(hr == DV_E_DVASPECT, "Draw(ICON): hr %#lx\n", hr);
  hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &square, nullptr, nullptr, 0);
  ok(hr == E_INVALIDARG, "Draw without a DC: hr %#lx\n", hr);
  hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.dc(), nullptr, nullptr, nullptr, 0);
  ok(hr == E_INVALIDARG, "Draw without bounds, not active: hr %#lx\n", hr);
  ok(canvas.Painted() == 0, "%d pixels painted by refused or empty draws\n", canvas.Painted());
  // The widest rectangle there is: drawn (around the origin), without overflow.
  const RECTL widest{-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647};
  hr = DrawInto(view.Get(), canvas, widest);
  ok(hr == S_OK && canvas.Painted() > 0, "Draw into the widest rectangle: hr %#lx, %d pixels\n", hr, canvas.Painted());
  Canvas fresh(40, 40);

  LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(0xdeadbeef);
  hr = view->GetColorSet(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, &palette);
  ok(hr == S_FALSE && palette == nullptr, "GetColorSet: hr %#lx %p\n", hr, palette);

  // The container switches to run time: the same call draws nothing.
  site.user_mode = true;
  ComPtr<IOleControl> control;
  object.As(&control);
  control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
  hr = DrawInto(view.Get(), fresh, square);
  ok(hr == S_OK && fresh.Painted() == 0, "run time after design time: hr %#lx, %d pixels painted\n", hr,
     fresh.Painted());
  // And back.
  site.user_mode = false;
  control->OnAmbientPropertyChange(DISPID_AMBIENT_USERMODE);
  hr = DrawInto(view.Get(), fresh, square);
  ok(hr == S_OK && fresh.Painted() > 0, "design time again: hr %#lx, %d pixels painted\n", hr, fresh.Painted());

  object->SetClientSite(nullptr);
  ok(site.refs == 1, "site refs %lu\n", site.refs);
  DestroyIcon(icon);
  control.Reset();
  view.Reset();
  ExpectLastRelease(object, "control");
}

void test_run_time_draws_nothing() {
  for (int sited = 0; sited < 2; ++sited) {
    ComPtr<IViewObject> view = ole_test::CreateControl<IViewObject>();
    if (!view) return;
    AmbientSite site;
    site.user_mode = true;
    ComPtr<IOleObject> object;
    view.As(&object);
    // Without a site the control cannot know the mode; it takes run time, as a container without ambients.
    if (sited) object->SetClientSite(&site);
    Canvas canvas(40, 40);
    const RECTL square{0, 0, 40, 40};
    const HRESULT hr = DrawInto(view.Get(), canvas, square);
    ok(hr == S_OK, "%s: Draw hr %#lx\n", sited ? "run time" : "no site", hr);
    ok(canvas.Painted() == 0, "%s: %d pixels painted\n", sited ? "run time" : "no site", canvas.Painted());
    if (sited) object->SetClientSite(nullptr);
    object.Reset();
    ExpectLastRelease(view, "control");
    ok(site.refs == 1, "site refs %lu\n", site.refs);
  }
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_design_time_icon();
  test_run_time_draws_nothing();
  OleUninitialize();
  return wine_test::Summary("ole_view");
}
