// SPDX-License-Identifier: MIT
// Time from calling ShowSysInfo to the visible window with all its rows, in one process under Wine:
//   tools/lib/wine-bed build/windows/bin:build/windows-x86/bin wine64 build/windows/bin/ocx_show_bench.exe [rounds]
// A watcher thread finds the window by its class and counts the rows with LVM_GETITEMCOUNT, so the measurement
// sends the busy window thread nothing but that. Prints the first (cold) call apart from the median of the warm
// ones, and the floor: a plain window of this program's with the same controls and the same rows, built, shown
// and timed the same way, and the ratio of the two.
#include <windows.h>

#include <commctrl.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BrindtSysInfo.h"
#include "ocx_window_watch.h"
#include "timing.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kPlainClass[] = L"BrindtSysInfoBench.Plain";

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wparam, lparam);
}

HWND Child(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int x, int y, int width,
           int height, int id = 0, DWORD ex_style = 0) {
  return CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// The information window's controls as a plain window: the list with its rows, two buttons, the memory frame with
// three captions, bars and percent labels, and the credit line; shown, then its own message loop until closed.
void ShowPlainWindow(const ocx_bench::Texts& rows) {
  HWND window =
      CreateWindowExW(0, kPlainClass, L"Brindt SysInfo", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                      CW_USEDEFAULT, 590, 480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  HWND list = Child(window, WC_LISTVIEWW, L"", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL, 8, 8, 560,
                    250, BSI_ID_LIST, WS_EX_CLIENTEDGE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  Child(window, L"BUTTON", L"System...", WS_TABSTOP | BS_PUSHBUTTON, 380, 410, 90, 25, BSI_ID_SYSTEM);
  Child(window, L"BUTTON", L"OK", WS_TABSTOP | BS_PUSHBUTTON, 478, 410, 90, 25, BSI_ID_OK);
  Child(window, L"BUTTON", L"", BS_GROUPBOX, 8, 265, 560, 135, BSI_ID_FRAME);
  for (int i = 0; i < 3; ++i) {
    const int y = 285 + 35 * i;
    Child(window, L"STATIC", L"Memory:", SS_LEFT | SS_NOPREFIX, 16, y, 200, 18, BSI_ID_CAPTION + i);
    Child(window, PROGRESS_CLASSW, L"", PBS_SMOOTH, 220, y, 260, 18, BSI_ID_GAUGE + i);
    Child(window, L"STATIC", L"0 %", SS_LEFT | SS_NOPREFIX, 490, y, 70, 18, BSI_ID_PERCENT + i);
  }
  Child(window, L"STATIC", L"Brindt SysInfo", SS_LEFT | SS_NOPREFIX, 8, 415, 300, 18);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 200;
  for (int i = 0; i < 2; ++i) ListView_InsertColumn(list, i, &column);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(rows[i].first.c_str());
    ListView_InsertItem(list, &item);
    ListView_SetItemText(list, static_cast<int>(i), 1, const_cast<wchar_t*>(rows[i].second.c_str()));
  }
  for (int i = 0; i < 2; ++i) ListView_SetColumnWidth(list, i, LVSCW_AUTOSIZE);
  ShowWindow(window, SW_SHOW);
  SetFocus(list);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

struct Series {
  double cold = 0;
  std::vector<double> warm;
};

// `rounds` watched shows of windows of `window_class`; the first one is the cold call. The first call of the
// control learns the rows (it waits until their count holds still); every later round waits for that many.
template <typename Show>
bool Measure(const char* name, int rounds, const wchar_t* window_class, Show show, ocx_bench::Texts& texts,
             Series& series) {
  for (int round = 1; round <= rounds; ++round) {
    ocx_bench::Watch watch;
    watch.window_class = window_class;
    watch.expected_rows = static_cast<int>(texts.size());
    if (texts.empty()) watch.texts = &texts;
    bool seen = false;
    const HRESULT hr = ocx_bench::ShowWatched(show, watch, seen);
    if (FAILED(hr) || !seen) {
      std::fprintf(stderr, "%s, round %d: hr %#lx, window %s\n", name, round, hr, seen ? "seen" : "not seen");
      return false;
    }
    const double ms = static_cast<double>(watch.shown_ns.load()) / 1e6;
    std::printf("%-12s round %2d: %8.2f ms (%d rows)\n", name, round, ms, watch.rows.load());
    if (round == 1) {
      series.cold = ms;
    } else {
      series.warm.push_back(ms);
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(2, std::atoi(argv[1])) : 20;
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  WNDCLASSW plain{};
  plain.lpfnWndProc = PlainProc;
  plain.hInstance = GetModuleHandleW(nullptr);
  plain.lpszClassName = kPlainClass;
  plain.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  plain.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&plain);
  int status = 0;
  {
    ComPtr<_ctlBrindtSysInfo> control;
    HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    if (FAILED(hr)) {
      std::fprintf(stderr, "cannot create the control: %#lx\n", hr);
      return 1;
    }
    ocx_bench::Texts texts;
    Series shown, floor;
    auto show = [&] {
      VARIANT result;
      VariantInit(&result);
      return control->ShowSysInfo(&result);
    };
    auto show_plain = [&] {
      ShowPlainWindow(texts);
      return S_OK;
    };
    if (!Measure("ShowSysInfo", rounds, BSI_INFO_WINDOW_CLASS, show, texts, shown) ||
        !Measure("plain window", rounds, kPlainClass, show_plain, texts, floor)) {
      status = 1;
    } else {
      const double warm = bench::Median(shown.warm), plain = bench::Median(floor.warm);
      std::printf("%s, %zu rows, %d rounds (ms)\n", sizeof(void*) == 8 ? "x64" : "x86", texts.size(), rounds);
      std::printf("  ShowSysInfo:  cold %8.2f  warm median %8.2f  (min %.2f, max %.2f)\n", shown.cold, warm,
                  *std::min_element(shown.warm.begin(), shown.warm.end()),
                  *std::max_element(shown.warm.begin(), shown.warm.end()));
      std::printf("  plain window: cold %8.2f  warm median %8.2f\n", floor.cold, plain);
      std::printf("  ratio ShowSysInfo / plain window, warm medians: %.2f\n", plain > 0 ? warm / plain : 0.0);
    }
  }
  OleUninitialize();
  return status;
}
