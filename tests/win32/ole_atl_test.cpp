// SPDX-License-Identifier: MIT
// The control sited in a real container that nobody here wrote: Wine's ATL (atl100's AtlAxWinInit and
// AtlAxCreateControlEx) in a window of the test. The host window is resized to many sizes and the control stays
// at 600 x 600 twips; a container without ambient properties gets the run-time face (nothing drawn); ShowSysInfo
// is called on the sited control; the container lets go of the control when its window goes.
#include <windows.h>

#include <olectl.h>
#include <wrl/client.h>

#include "ocx_support.h"
#include "ole_support.h"

using Microsoft::WRL::ComPtr;
using ole_test::ExpectLastRelease;

namespace {

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxCreateControlExFunction = HRESULT(WINAPI*)(LPCOLESTR name, HWND window, IStream* stream,
                                                      IUnknown** container, IUnknown** control, REFIID sink_iid,
                                                      IUnknown* sink);

constexpr wchar_t kWindowClass[] = L"BrindtSysInfoOleAtlTest";

HWND CreateTestWindow(HWND parent, int x, int y, int width, int height) {
  return CreateWindowExW(0, kWindowClass, L"ole_atl_test",
                         parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, width, height, parent,
                         nullptr, GetModuleHandleW(nullptr), nullptr);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool Painted(IViewObject* view) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 40, 40};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECTL bounds{0, 0, 40, 40};
  view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
  bool painted = false;
  for (int y = 0; y < 40 && !painted; ++y) {
    for (int x = 0; x < 40 && !painted; ++x) painted = GetPixel(dc, x, y) != RGB(255, 255, 255);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return painted;
}

void test_atl_container(AtlAxCreateControlExFunction create_control) {
  HWND frame = CreateTestWindow(nullptr, 50, 50, 500, 400);
  HWND host = CreateTestWindow(frame, 10, 10, 200, 100);
  ok(frame && host, "expected the test windows, got %p %p\n", static_cast<void*>(frame), static_cast<void*>(host));
  if (!host) return;

  ComPtr<IUnknown> container, control;
  const std::wstring clsid = ocx_test::GuidText(CLSID_ctlBrindtSysInfo);
  HRESULT hr = create_control(clsid.c_str(), host, nullptr, &container, &control, IID_NULL, nullptr);
  ok(hr == S_OK && container && control, "AtlAxCreateControlEx: expected S_OK, got %#lx %p %p\n", hr, container.Get(),
     control.Get());
  if (!control) {
    DestroyWindow(frame);
    return;
  }
  ComPtr<IOleObject> object;
  control.As(&object);
  ComPtr<IOleClientSite> site;
  hr = object->GetClientSite(&site);
  ComPtr<IUnknown> site_identity;
  if (site) site.As(&site_identity);
  ok(hr == S_OK && site_identity && site_identity.Get() == container.Get(),
     "expected the container as the control's site, got hr %#lx %p\n", hr, site_identity.Get());
  site.Reset();
  site_identity.Reset();

  // The container sets the extent and the object rectangles from WM_SIZE of its window: the square stays.
  const SIZE sizes[] = {{200, 100}, {300, 200}, {1, 1}, {0, 0}, {40, 40}, {1000, 20}, {41, 39}, {640, 480}, {77, 55}};
  for (const SIZE& size : sizes) {
    SetWindowPos(host, nullptr, 20, 30, size.cx, size.cy, SWP_NOZORDER);
    PumpMessages();
    SIZEL extent{0, 0};
    hr = object->GetExtent(DVASPECT_CONTENT, &extent);
    ok(hr == S_OK && extent.cx == 1058 && extent.cy == 1058, "host at %ld x %ld: expected 1058 x 1058, got %ld x %ld\n",
       size.cx, size.cy, extent.cx, extent.cy);
  }

  // The container has no ambient properties: run time, so the control draws nothing.
  ComPtr<IViewObject> view;
  control.As(&view);
  ok(view && !Painted(view.Get()), "without ambients: expected nothing painted (run time), got pixels\n");
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
  HMODULE atl = LoadLibraryW(L"atl100.dll");
  auto init = atl ? reinterpret_cast<AtlAxWinInitFunction>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")))
                  : nullptr;
  auto create_control = atl ? reinterpret_cast<AtlAxCreateControlExFunction>(
                                  reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxCreateControlEx")))
                            : nullptr;
  if (!init || !create_control) {
    skip("atl100.dll with AtlAxWinInit and AtlAxCreateControlEx is not available\n");
  } else {
    ok(init(), "AtlAxWinInit: expected TRUE\n");
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = kWindowClass;
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    RegisterClassW(&window_class);
    test_atl_container(create_control);
  }
  if (atl) FreeLibrary(atl);
  OleUninitialize();
  return wine_test::Summary("ole_atl");
}
