// SPDX-License-Identifier: MIT
// The information window and the value window as a user meets them: the main thread shows the window, a
// worker thread reads its controls, presses keys, checks the clipboard and closes it.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "list_view.h"
#include "resource_ids.h"
#include "resources/strings.h"
#include "show_info_window.h"
#include "support/scripted_library.h"
#include "ui_language.h"
#include "wine_test.h"

namespace {

using bsi::win32::ListViewCellText;
using wine_test::Narrow;

constexpr wchar_t kInfoClass[] = L"BrindtSysInfo.frmSysInfo";
constexpr wchar_t kValueClass[] = L"BrindtSysInfo.frmValue";
constexpr int kCopyAllCommand = BSI_CMD_COPY_ALL;

// The forms of this program's one user-interface thread, as the control keeps them per apartment.
bsi::SysInfoModule forms;

std::wstring W(const std::u16string& text) {
  return std::wstring(text.begin(), text.end());
}

// The label in the language the window must use, from the core's own tables.
std::wstring Label(int id) {
  return W(bsi::CatalogueText(bsi::win32::UserUiLanguage(), id));
}

HWND WaitForWindow(const wchar_t* window_class, int milliseconds = 15000) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    HWND window = FindWindowW(window_class, nullptr);
    if (window != nullptr && IsWindowVisible(window)) return window;
    Sleep(20);
  }
  return nullptr;
}

bool WaitUntilGone(const wchar_t* window_class, int milliseconds = 5000) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    HWND window = FindWindowW(window_class, nullptr);
    if (window == nullptr || !IsWindowVisible(window)) return true;
    Sleep(20);
  }
  return false;
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

HWND Child(HWND parent, int id) {
  return GetDlgItem(parent, id);
}

struct Row {
  std::wstring label;
  std::wstring value;
};

std::vector<Row> Rows(HWND list) {
  std::vector<Row> rows;
  const auto count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) rows.push_back({W(ListViewCellText(list, i, 0)), W(ListViewCellText(list, i, 1))});
  return rows;
}

std::wstring ClipboardText() {
  std::wstring text = L"<none>";
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void PutOnClipboard(const std::wstring& text) {
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

// Keys go through the window's own message loop, as typed keys do; SendMessage would bypass its key preview.
void PressKey(HWND target, WORD key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Waits until the window's thread has handled everything posted so far.
void Settle(HWND window) {
  SendMessageW(window, WM_NULL, 0, 0);
  Sleep(50);
  SendMessageW(window, WM_NULL, 0, 0);
}

void SelectRow(HWND list, int row) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void DoubleClickRow(HWND list, int row) {
  RECT rect{};
  rect.left = LVIR_LABEL;
  SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  const LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, 0, at);
}

// Shows the information window on this thread while `driver` works it from another; returns when it is closed.
void WithWindow(bsi::QueryLibrary& library, const std::function<void(HWND)>& driver) {
  std::atomic<bool> done{false};
  std::thread worker([&] {
    HWND form = WaitForWindow(kInfoClass);
    ok(form != nullptr, "the information window did not appear\n");
    if (form != nullptr) driver(form);
    // Whatever the driver did, the window must not stay open.
    if (HWND still = FindWindowW(kInfoClass, nullptr); still != nullptr && IsWindowVisible(still)) {
      PressKey(still, VK_F4);
    }
    done = true;
  });
  try {
    bsi::win32::ShowSysInfoWindow(forms, library);
  } catch (const bsi::RuntimeError& error) {
    ok(false, "ShowSysInfoWindow raised %d\n", error.number());
  }
  worker.join();
  ok(done, "the driver did not finish\n");
}

void test_row_contract(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    HWND list = Child(form, 100);
    const std::vector<Row> rows = Rows(list);
    ok(rows.size() > 30, "got %d rows\n", static_cast<int>(rows.size()));
    int base = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].label == Label(bsi::str::kPhysicalMemory)) base = static_cast<int>(i);
    }
    ok(base >= 0, "no row %s\n", Narrow(Label(bsi::str::kPhysicalMemory)).c_str());
    if (base < 0 || base + 32 >= static_cast<int>(rows.size())) return;
    ok(rows[0].label == Label(bsi::str::kOsVersion), "first row %s\n", Narrow(rows[0].label).c_str());
    const struct {
      int offset;
      int id;
    } fixed[] = {{1, bsi::str::kPhysicalMemoryFree}, {9, bsi::str::kLocalIp},
                 {13, bsi::str::kMacAddress},        {15, bsi::str::kDialUp},
                 {21, bsi::str::kScreenResolution},  {27, bsi::str::kSoundcard},
                 {28, bsi::str::kRunningTime},       {32, bsi::str::kAvailableDrives}};
    for (const auto& row : fixed) {
      ok(rows[base + row.offset].label == Label(row.id), "B+%d is %s\n", row.offset,
         Narrow(rows[base + row.offset].label).c_str());
    }
    ok(rows[base + 5].label == L"Computername:", "B+5 is %s\n", Narrow(rows[base + 5].label).c_str());
    ok(rows[base].value.size() > 5 && rows[base].value.substr(rows[base].value.size() - 5) == L" Byte",
       "memory row %s\n", Narrow(rows[base].value).c_str());

    // Two columns, each as wide as its widest text.
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    ok(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) == 2, "got %d columns\n",
       static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
    for (int column = 0; column < 2; ++column) {
      const auto width = SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0);
      int widest = 0;
      for (const Row& row : rows) {
        const std::wstring& text = column == 0 ? row.label : row.value;
        widest = std::max(widest, static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0,
                                                                reinterpret_cast<LPARAM>(text.c_str()))));
      }
      ok(width >= widest, "column %d is %d wide for a text of %d\n", column, static_cast<int>(width), widest);
    }

    // F5 rebuilds the same rows.
    PressKey(list, VK_F5);
    Settle(form);
    const std::vector<Row> again = Rows(list);
    ok(again.size() == rows.size(), "after F5 %d rows, before %d\n", static_cast<int>(again.size()),
       static_cast<int>(rows.size()));
    ok(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) == 2, "after F5 %d columns\n",
       static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)));
    PressKey(list, VK_F4);
    ok(WaitUntilGone(kInfoClass), "F4 did not close the window\n");
  });
}

std::wstring screenshot_folder;

// Saves what the screen shows of the window as a 24-bit BMP, for people to look at.
void SaveScreenshot(HWND window, const std::wstring& path) {
  RECT rect{};
  GetWindowRect(window, &rect);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const DWORD image_size = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + image_size), 0,
                        0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr);
    WriteFile(out, bits, image_size, &written, nullptr);
    CloseHandle(out);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

void test_gauges_after_ticks(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    Sleep(3300);  // two ticks of 1.5 s
    Settle(form);
    if (!screenshot_folder.empty()) {
      const bool german = bsi::win32::UserUiLanguage() == bsi::UiLanguage::German;
      SaveScreenshot(form, screenshot_folder + (german ? L"\\sysinfo-de.bmp" : L"\\sysinfo-en.bmp"));
    }
    for (int i = 0; i < 3; ++i) {
      const std::wstring caption = WindowText(Child(form, 104 + i));
      ok(caption.find(L" (") != std::wstring::npos, "gauge caption %d: %s\n", i, Narrow(caption).c_str());
      const std::wstring percent = WindowText(Child(form, 110 + i));
      ok(!percent.empty() && percent.back() == L'%', "percent label %d: %s\n", i, Narrow(percent).c_str());
      const auto position = SendMessageW(Child(form, 107 + i), PBM_GETPOS, 0, 0);
      ok(position >= 0 && position <= 10000, "gauge %d at %d\n", i, static_cast<int>(position));
    }
    PostMessageW(Child(form, 102), BM_CLICK, 0, 0);  // OK
    ok(WaitUntilGone(kInfoClass), "OK did not close the window\n");
  });
}

void test_copy_commands(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    HWND list = Child(form, 100);
    const std::vector<Row> rows = Rows(list);
    if (rows.size() < 3) return;
    PutOnClipboard(L"before");
    SelectRow(list, 1);
    PressKey(list, 'C');
    Settle(form);
    ok(ClipboardText() == rows[1].value, "C copied %s, expected %s\n", Narrow(ClipboardText()).c_str(),
       Narrow(rows[1].value).c_str());
    // The list did not also jump to a row starting with C.
    const auto selected = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    ok(selected == 1, "selection moved to %d\n", static_cast<int>(selected));

    PostMessageW(form, WM_COMMAND, kCopyAllCommand, 0);
    Settle(form);
    std::wstring expected;
    for (const Row& row : Rows(list)) expected += row.label + L" " + row.value + L"\r\n";
    expected += L"\r\n";
    for (int i = 0; i < 3; ++i)
      expected += WindowText(Child(form, 104 + i)) + L" = " + WindowText(Child(form, 110 + i)) + L"\r\n";
    const std::wstring got = ClipboardText();
    ok(got == expected, "copy-all differs: %d chars, expected %d\n", static_cast<int>(got.size()),
       static_cast<int>(expected.size()));
    PostMessageW(form, WM_CLOSE, 0, 0);  // the close box
    ok(WaitUntilGone(kInfoClass), "the close box did not close the window\n");
  });
}

void test_value_window(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    HWND list = Child(form, 100);
    const std::vector<Row> rows = Rows(list);
    int cpu = -1;
    int spacer = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].label == Label(bsi::str::kCpu) && cpu < 0) cpu = static_cast<int>(i);
      if (rows[i].label == L" " && spacer < 0) spacer = static_cast<int>(i);
    }
    ok(cpu >= 0 && spacer >= 0, "cpu row %d, spacer %d\n", cpu, spacer);
    if (cpu < 0 || spacer < 0) return;

    SelectRow(list, spacer);
    DoubleClickRow(list, spacer);
    Settle(form);
    Sleep(200);
    ok(FindWindowW(kValueClass, nullptr) == nullptr || !IsWindowVisible(FindWindowW(kValueClass, nullptr)),
       "a spacer opened a value window\n");

    SelectRow(list, cpu);
    DoubleClickRow(list, cpu);
    HWND value = WaitForWindow(kValueClass, 5000);
    ok(value != nullptr, "no value window\n");
    if (value == nullptr) return;
    const std::wstring caption = Label(bsi::str::kCpu).substr(0, Label(bsi::str::kCpu).size() - 1);
    ok(WindowText(value) == caption, "caption %s\n", Narrow(WindowText(value)).c_str());
    ok(WindowText(Child(value, 101)) == caption, "label box %s\n", Narrow(WindowText(Child(value, 101))).c_str());
    ok(WindowText(Child(value, 102)) == rows[cpu].value, "value box %s\n",
       Narrow(WindowText(Child(value, 102))).c_str());
    ok(!IsWindowEnabled(form), "the information window takes input while the value window is open\n");

    SendMessageW(Child(value, 102), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"edited \u00e4"));
    PostMessageW(Child(value, 103), BM_CLICK, 0, 0);
    Settle(value);
    ok(ClipboardText() == L"edited \u00e4", "copy button copied %s\n", Narrow(ClipboardText()).c_str());

    PressKey(Child(value, 102), VK_F4);
    ok(WaitUntilGone(kValueClass), "F4 did not close the value window\n");
    Settle(form);
    ok(IsWindowEnabled(form), "the information window stays disabled\n");
    PressKey(list, VK_F4);
  });
}

HWND OpenPopupMenu(int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 20) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (menu != nullptr && IsWindowVisible(menu)) return menu;
    Sleep(20);
  }
  return nullptr;
}

void test_context_menu(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    HWND list = Child(form, 100);
    RECT rect{};
    rect.left = LVIR_LABEL;
    SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    const LPARAM at = MAKELPARAM(rect.left + 4, (rect.top + rect.bottom) / 2);

    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    Settle(form);
    ok(OpenPopupMenu(300) == nullptr, "a left click opened a menu\n");

    PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(list, WM_RBUTTONUP, 0, at);
    HWND menu = OpenPopupMenu(3000);
    ok(menu != nullptr, "a right click opened no menu\n");
    if (menu != nullptr) {
      const auto items = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
      ok(items == 2, "the menu has %d items\n", items);
      PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 1);
      PostMessageW(form, WM_KEYUP, VK_ESCAPE, 0xC0000001);
      Settle(form);
    }

    // Shift+F10 / the menu key: the same menu from the keyboard.
    PostMessageW(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), -1);
    menu = OpenPopupMenu(3000);
    ok(menu != nullptr, "the menu key opened no menu\n");
    if (menu != nullptr) {
      PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 1);
      PostMessageW(form, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    }
    Settle(form);
    PressKey(list, VK_F4);
    ok(WaitUntilGone(kInfoClass), "F4 did not close the window\n");
  });
}

void test_value_window_focus(bsi::QueryLibrary& library) {
  WithWindow(library, [](HWND form) {
    HWND list = Child(form, 100);
    SelectRow(list, 0);
    DoubleClickRow(list, 0);
    HWND value = WaitForWindow(kValueClass, 5000);
    ok(value != nullptr, "no value window\n");
    if (value == nullptr) return;
    // Tab from OK to the label box selects its whole text.
    PressKey(Child(value, 100), VK_TAB);
    Settle(value);
    DWORD start = 0xdeadbeef;
    DWORD end = 0xdeadbeef;
    SendMessageW(Child(value, 101), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<DWORD>(GetWindowTextLengthW(Child(value, 101)));
    ok(start == 0 && end == length && length > 0, "selection %lu..%lu of %lu\n", start, end, length);
    // OK closes it and the information window takes input again.
    PostMessageW(Child(value, 100), BM_CLICK, 0, 0);
    ok(WaitUntilGone(kValueClass), "OK did not close the value window\n");
    Settle(form);
    ok(IsWindowEnabled(form), "the information window stays disabled\n");
    PressKey(list, VK_F4);
  });
}

// Thread timers run on the window's thread inside whatever modal loop is running there.
bsi::QueryLibrary* timer_library = nullptr;
std::atomic<int> nested_result{0};

void CALLBACK ShowAgain(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  try {
    bsi::win32::ShowSysInfoWindow(forms, *timer_library);
    nested_result = -1;
  } catch (const bsi::RuntimeError& error) {
    nested_result = error.number();
  }
}

void test_nested_show_is_refused(bsi::QueryLibrary& library) {
  timer_library = &library;
  nested_result = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 300, ShowAgain);
  ok(timer != 0, "no thread timer\n");
  WithWindow(library, [&](HWND form) {
    for (int waited = 0; waited < 5000 && nested_result == 0; waited += 20) Sleep(20);
    ok(IsWindowVisible(form), "the window closed\n");
    PressKey(form, VK_F4);
  });
  ok(nested_result == 400, "a second ShowSysInfo gave %d\n", nested_result.load());
}

void test_quit_and_other_windows(bsi::QueryLibrary& library) {
  // A window of the host's: disabled while the information window is shown, enabled again afterwards.
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  const DWORD thread = GetCurrentThreadId();
  std::atomic<bool> host_was_disabled{false};
  WithWindow(library, [&](HWND form) {
    host_was_disabled = !IsWindowEnabled(host);
    // The application is asked to end while the window is open.
    PostThreadMessageW(thread, WM_QUIT, 7, 0);
    ok(WaitUntilGone(kInfoClass), "WM_QUIT did not end the window\n");
    (void)form;
  });
  ok(host_was_disabled, "the host's window took input while the information window was shown\n");
  ok(IsWindowEnabled(host), "the host's window stays disabled\n");
  MSG message{};
  const BOOL quit = PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  ok(quit && message.wParam == 7, "WM_QUIT was not posted again (%d, %d)\n", quit, static_cast<int>(message.wParam));
  DestroyWindow(host);
}

bsi::test::ScriptedLibrary* changing_library = nullptr;
std::atomic<bool> change_now{false};

void CALLBACK ChangeFreeMemory(HWND, UINT, UINT_PTR id, DWORD) {
  if (!change_now) return;
  KillTimer(nullptr, id);
  changing_library->Set("MemoryInfo.PhysicalFree", u"123456789");
}

void test_ticks_run_inside_value_window(bsi::test::ScriptedLibrary& library) {
  changing_library = &library;
  change_now = false;
  // On the window's thread: once asked, the free memory changes (the library is not shared across threads).
  SetTimer(nullptr, 0, 50, ChangeFreeMemory);
  WithWindow(library, [&](HWND form) {
    HWND list = Child(form, 100);
    const std::vector<Row> rows = Rows(list);
    int base = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].label == Label(bsi::str::kPhysicalMemory)) base = static_cast<int>(i);
    }
    SelectRow(list, 1);
    DoubleClickRow(list, 1);
    HWND value = WaitForWindow(kValueClass, 5000);
    ok(value != nullptr, "no value window\n");
    // Meanwhile the free memory changes; the next ticks run inside the value window's loop.
    change_now = true;
    Sleep(3500);
    if (value != nullptr) ok(IsWindowVisible(value), "the value window closed\n");
    const std::wstring free_row = W(ListViewCellText(list, base + 1, 1));
    ok(free_row == L"123456789 Byte", "the free-memory row reads %s\n", Narrow(free_row).c_str());
    if (value != nullptr) PressKey(Child(value, 102), VK_F4);
    WaitUntilGone(kValueClass);
    PressKey(list, VK_F4);
  });
  library.Set("MemoryInfo.PhysicalFree", u"1073741824");
}

// Over the installed query library the bars take their band colours, drawn unthemed.
void test_bar_colours_with_system_library() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::unique_ptr<bsi::QueryLibrary> installed;
  try {
    installed = bsi::win32::CreateSystemQueryLibrary();
  } catch (const bsi::RuntimeError& error) {
    ok(false, "no system query library: %d\n", error.number());
  }
  if (installed) {
    WithWindow(*installed, [](HWND form) {
      Sleep(3300);  // two ticks
      Settle(form);
      const COLORREF bands[] = {0x008000, 0xC00000, 0x00C0C0, 0x0000C0};
      for (int i = 0; i < 3; ++i) {
        const auto colour = static_cast<COLORREF>(SendMessageW(Child(form, 107 + i), PBM_GETBARCOLOR, 0, 0));
        const std::wstring percent = WindowText(Child(form, 110 + i));
        const int whole = _wtoi(percent.c_str());
        const bool keeps = i < 2 ? whole == 45 : (whole >= 40 && whole <= 45);
        bool banded = false;
        for (COLORREF band : bands) banded = banded || colour == band;
        ok(banded || (keeps && colour == CLR_DEFAULT), "gauge %d at %s has colour %06lx\n", i, Narrow(percent).c_str(),
           static_cast<unsigned long>(colour));
      }
      PressKey(form, VK_F4);
    });
  }
  installed.reset();
  CoUninitialize();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  InitCommonControls();
  // The folder for the screenshots, if any.
  if (argc > 1) screenshot_folder = argv[1];
  bsi::test::ScriptedLibrary library;
  test_row_contract(library);
  test_gauges_after_ticks(library);
  test_copy_commands(library);
  test_value_window(library);
  test_nested_show_is_refused(library);
  test_context_menu(library);
  test_value_window_focus(library);
  test_quit_and_other_windows(library);
  test_ticks_run_inside_value_window(library);
  test_bar_colours_with_system_library();
  return wine_test::Summary("ui");
}
