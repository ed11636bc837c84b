// SPDX-License-Identifier: MIT
// Timing and leak check of the information window under Wine (not a test: it prints figures).
//   ui_timing            over the scripted library
//   ui_timing --system   over the installed system query library
// 1. From ShowSysInfo to a visible window with a complete list, median of 20.
// 2. One timer tick on a loaded window, median of 200.
// 3. 500 open/close cycles: handles, GDI and USER objects, private bytes and our own windows before and after.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <thread>
#include <vector>

#include "form_services.h"
#include "form_window.h"
#include "show_info_window.h"
#include "support/scripted_library.h"
#include "timing.h"

namespace {

constexpr wchar_t kInfoClass[] = L"BrindtSysInfo.frmSysInfo";

// The forms of the program's user-interface thread.
bsi::SysInfoModule forms;

// Opens the window once; returns the milliseconds until it was visible with its whole list.
double OpenAndClose(bsi::QueryLibrary& library, int expected_rows) {
  std::atomic<double> visible{0};
  const double start = bench::NowMs();
  std::thread closer([&] {
    for (int spins = 0; spins < 200000; ++spins) {
      HWND form = FindWindowW(kInfoClass, nullptr);
      if (form != nullptr && IsWindowVisible(form)) {
        HWND list = GetDlgItem(form, 100);
        if (SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) >= expected_rows) {
          visible = bench::NowMs();
          PostMessageW(list, WM_KEYDOWN, VK_F4, 1);
          return;
        }
      }
      Sleep(1);
    }
  });
  bsi::win32::ShowSysInfoWindow(forms, library);
  closer.join();
  return visible - start;
}

struct Counters {
  DWORD handles = 0;
  DWORD gdi = 0;
  DWORD user = 0;
  SIZE_T private_bytes = 0;
  long long resident_anonymous_kb = -1;
  int our_windows = 0;
  int our_forms = 0;
  int our_gdi_objects = 0;
};

// Under Wine the process is a Linux process: its anonymous resident memory is a true figure.
long long ResidentAnonymousKb() {
  HANDLE file =
      CreateFileW(L"Z:\\proc\\self\\status", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  char buffer[8192] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  const char* line = std::strstr(buffer, "RssAnon:");
  return line != nullptr ? std::atoll(line + 8) : -1;
}

BOOL CALLBACK CountOne(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountWithChildren(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  EnumChildWindows(window, &CountOne, count);
  return TRUE;
}

Counters Read() {
  Counters counters;
  GetProcessHandleCount(GetCurrentProcess(), &counters.handles);
  counters.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  counters.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  counters.private_bytes = memory.PrivateUsage;
  EnumThreadWindows(GetCurrentThreadId(), &CountWithChildren, reinterpret_cast<LPARAM>(&counters.our_windows));
  counters.resident_anonymous_kb = ResidentAnonymousKb();
  counters.our_forms = bsi::win32::FormWindow::live();
  counters.our_gdi_objects =
      bsi::win32::UniqueGdiObject::live() + bsi::win32::UniqueIcon::live() + bsi::win32::UniqueMenu::live();
  return counters;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  InitCommonControls();
  const bool system = argc > 1 && std::wcscmp(argv[1], L"--system") == 0;
  bsi::test::ScriptedLibrary scripted;
  std::unique_ptr<bsi::QueryLibrary> installed;
  if (system) {
#ifdef BSI_WITH_SYSTEM_LIBRARY
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    installed = bsi::win32::CreateSystemQueryLibrary();
#else
    std::printf("built without the system query library\n");
    return 1;
#endif
  }
  bsi::QueryLibrary& library = system ? *installed : static_cast<bsi::QueryLibrary&>(scripted);
  std::printf("library: %s\n", system ? "installed system query library" : "scripted");

  // The row count of a complete list, from one build.
  int rows = 0;
  {
    std::thread reader([&] {
      for (int spins = 0; spins < 200000; ++spins) {
        HWND form = FindWindowW(kInfoClass, nullptr);
        if (form != nullptr && IsWindowVisible(form)) {
          Sleep(200);
          rows = static_cast<int>(SendMessageW(GetDlgItem(form, 100), LVM_GETITEMCOUNT, 0, 0));
          PostMessageW(GetDlgItem(form, 100), WM_KEYDOWN, VK_F4, 1);
          return;
        }
        Sleep(1);
      }
    });
    bsi::win32::ShowSysInfoWindow(forms, library);
    reader.join();
  }
  std::vector<double> opens;
  for (int i = 0; i < 20; ++i) opens.push_back(OpenAndClose(library, rows));
  std::printf("ShowSysInfo to a complete, visible list (%d rows): median %.1f ms (min %.1f, max %.1f)\n", rows,
              bench::Median(opens), *std::min_element(opens.begin(), opens.end()),
              *std::max_element(opens.begin(), opens.end()));

  {
    bsi::win32::Win32FormServices services(library);
    bsi::frmSysInfo form(services.context);
    form.Form_Load();
    std::vector<double> ticks;
    for (int i = 0; i < 200; ++i) {
      const double start = bench::NowMs();
      form.tmrMemory_Timer();
      ticks.push_back(bench::NowMs() - start);
    }
    std::printf("one tick of the timer: median %.3f ms (max %.3f)\n", bench::Median(ticks),
                *std::max_element(ticks.begin(), ticks.end()));
  }

  for (int i = 0; i < 20; ++i) OpenAndClose(library, rows);  // warm-up: caches, classes, fonts
  const Counters before = Read();
  for (int i = 0; i < 500; ++i) OpenAndClose(library, rows);
  const Counters after = Read();
  std::printf("500 open/close cycles, before -> after:\n");
  std::printf("  handles       %lu -> %lu\n", before.handles, after.handles);
  std::printf("  GDI objects   %lu -> %lu%s\n", before.gdi, after.gdi,
              before.gdi == 0 && after.gdi == 0 ? "  (not reported by this system)" : "");
  std::printf("  USER objects  %lu -> %lu%s\n", before.user, after.user,
              before.user == 0 && after.user == 0 ? "  (not reported by this system)" : "");
  std::printf("  private bytes %llu -> %llu (%+lld)\n", static_cast<unsigned long long>(before.private_bytes),
              static_cast<unsigned long long>(after.private_bytes),
              static_cast<long long>(after.private_bytes) - static_cast<long long>(before.private_bytes));
  std::printf("  resident anonymous memory %lld kB -> %lld kB (%+lld kB)\n", before.resident_anonymous_kb,
              after.resident_anonymous_kb, after.resident_anonymous_kb - before.resident_anonymous_kb);
  std::printf("  windows of this thread  %d -> %d\n", before.our_windows, after.our_windows);
  std::printf("  our forms     %d -> %d\n", before.our_forms, after.our_forms);
  std::printf("  our GDI/USER objects (fonts, icons, bitmaps, brushes, menus) %d -> %d\n", before.our_gdi_objects,
              after.our_gdi_objects);
  return 0;
}
