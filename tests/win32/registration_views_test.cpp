// SPDX-License-Identifier: MIT
// Both modules of both bitnesses registered in one prefix, then one bitness taken away and registered again at a
// time: a dump of HKCR and of both views' CLSID and Interface keys must then be exactly the dump of registering
// only what is left, also after a registration that failed half-way, and with nothing registered no key names the
// modules. Without the other bitness in the bed only this bitness's part runs. Runs alone, and registers
// everything again at the end.
//   registration_views_test.exe --dump FILE   writes the dump alone to FILE (UTF-8, a line each), changing nothing:
//                                            the installer's test compares it with what regsvr32 writes
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <iterator>
#include <string>
#include <vector>

#include "BrindtSysInfo.h"
#include "BrindtSysQuery.h"
#include "ocx_support.h"
#include "wine_test.h"

using ocx_test::GuidText;
using wine_test::Narrow;

namespace {

/// Sorted lines: every key's path, and "path [name] type: data" for every value (strings as text, others bytes).
using Dump = std::vector<std::wstring>;

void DumpKey(HKEY parent, const std::wstring& name, const std::wstring& path, REGSAM view, Dump& dump) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
    dump.push_back(path + L" <cannot be opened>");
    return;
  }
  dump.push_back(path);
  DWORD longest_name = 0, largest_data = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest_name, &largest_data,
                   nullptr, nullptr);
  std::vector<wchar_t> value(longest_name + 1);
  std::vector<BYTE> data(largest_data + 1);
  DWORD length = 0, size = 0, type = 0;
  for (DWORD i = 0; length = longest_name + 1, size = largest_data,
             RegEnumValueW(key, i, value.data(), &length, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
       ++i) {
    std::wstring text;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
      text.assign(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    } else {
      for (DWORD at = 0; at < size; ++at) text += std::to_wstring(data[at]) + L" ";
    }
    dump.push_back(path + L" [" + value.data() + L"] " + std::to_wstring(type) + L": " + text);
  }
  std::vector<std::wstring> subkeys;
  wchar_t subkey[256];
  for (DWORD i = 0; length = 256, RegEnumKeyExW(key, i, subkey, &length, nullptr, nullptr, nullptr, nullptr) == 0;
       ++i) {
    subkeys.push_back(subkey);
  }
  for (const std::wstring& child : subkeys) DumpKey(key, child, path + L"\\" + child, view, dump);
  RegCloseKey(key);
}

// HKCR as this process sees it, but the keys that each view has for itself from both views by name.
Dump TakeDump() {
  Dump dump;
  wchar_t name[256];
  DWORD length = 0;
  for (DWORD i = 0; length = 256,
             RegEnumKeyExW(HKEY_CLASSES_ROOT, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
       ++i) {
    if (_wcsicmp(name, L"CLSID") != 0 && _wcsicmp(name, L"Interface") != 0 && _wcsicmp(name, L"Wow6432Node") != 0) {
      DumpKey(HKEY_CLASSES_ROOT, name, name, 0, dump);
    }
  }
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    for (const wchar_t* root : {L"CLSID", L"Interface"}) {
      DumpKey(HKEY_CLASSES_ROOT, root, (view == KEY_WOW64_64KEY ? L"64-bit " : L"32-bit ") + std::wstring(root), view,
              dump);
    }
  }
  std::sort(dump.begin(), dump.end());
  return dump;
}

void ExpectLines(const Dump& lines, const char* sign, const char* state) {
  ok(lines.empty(), "%s: %u lines %s\n", state, static_cast<unsigned>(lines.size()), sign);
  for (std::size_t i = 0; i < lines.size() && i < 12; ++i) std::printf("  %s %s\n", sign, Narrow(lines[i]).c_str());
}

void ExpectDump(const Dump& got, const Dump& expected, const char* state) {
  Dump more, fewer;
  std::set_difference(got.begin(), got.end(), expected.begin(), expected.end(), std::back_inserter(more));
  std::set_difference(expected.begin(), expected.end(), got.begin(), got.end(), std::back_inserter(fewer));
  ExpectLines(more, "more than expected", state);
  ExpectLines(fewer, "fewer than expected", state);
}

struct Bitness {
  bool other;                         // the bitness that this process is not
  std::vector<std::wstring> modules;  // the query library first: the control uses it
};

// The other bitness's modules, where the bed registered them.
Bitness OtherBitness() {
  Bitness other{true, {}};
  for (const GUID* clsid : {&CLSID_MemoryInfo, &CLSID_ctlBrindtSysInfo}) {
    if (!ocx_test::RegisteredInOtherView(*clsid)) return {true, {}};
    other.modules.push_back(ocx_test::ReadClassesString(L"CLSID\\" + GuidText(*clsid) + L"\\InprocServer32", nullptr,
                                                        ocx_test::OtherView()));
  }
  return other;
}

void Run(const Bitness& side, const wchar_t* options, const char* step) {
  for (const std::wstring& module : side.modules) {
    const long code = ocx_test::Regsvr32(options, module, side.other);
    ok(code == 0, "%s: regsvr32 %s %s: exit code %ld\n", step, Narrow(options).c_str(), Narrow(module).c_str(), code);
  }
}

// A class key that refuses lasting subkeys (a volatile one) stops the query library's registration at its eighth
// class: what it wrote by then has to be taken back.
void FailRegistration(const Bitness& own, const char* state) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(CLSID_NetworkInfo)).c_str(), 0, nullptr,
                  REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &key, nullptr);
  RegCloseKey(key);
  ok(ocx_test::Regsvr32(L"", own.modules[0]) != 0, "%s: regsvr32 succeeded\n", state);
}

// Each library loads from the registry with this process's system kind.
void ExpectOwnLibraries(const char* state) {
  for (const auto& [libid, lcid] : {std::pair{&LIBID_BrindtSysInfo, 0x409}, {&LIBID_BrindtSysQuery, 0}}) {
    ITypeLib* library = nullptr;
    TLIBATTR* attributes = nullptr;
    const HRESULT hr = LoadRegTypeLib(*libid, 1, 0, static_cast<LCID>(lcid), &library);
    const int kind = SUCCEEDED(hr) && SUCCEEDED(library->GetLibAttr(&attributes)) ? attributes->syskind : -1;
    if (attributes != nullptr) library->ReleaseTLibAttr(attributes);
    if (library != nullptr) library->Release();
    ok(kind == (sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32), "%s: LoadRegTypeLib %s: hr %#lx, system kind %d\n", state,
       Narrow(GuidText(*libid)).c_str(), hr, kind);
  }
}

int WriteDump(const wchar_t* path) {
  std::string text;
  for (const std::wstring& line : TakeDump()) text += Narrow(line) + "\n";
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool done = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!done) std::fprintf(stderr, "registration_views_test: cannot write %ls\n", path);
  return done ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wcscmp(argv[1], L"--dump") == 0) return WriteDump(argv[2]);
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const std::wstring bin = ocx_test::BinDir();
  const Bitness own{false, {bin + L"BrindtSysQuery.dll", bin + L"BrindtSysInfo.ocx"}};
  const Bitness other = OtherBitness();

  Run(other, L"/u", "start");
  Run(own, L"/u", "start");
  const Dump empty = TakeDump();
  Dump ours;
  std::copy_if(empty.begin(), empty.end(), std::back_inserter(ours), [](std::wstring line) {
    for (wchar_t& c : line) c = static_cast<wchar_t>(std::towupper(c));
    return line.find(L"BRINDT") != std::wstring::npos ||
           line.find(GuidText(LIBID_BrindtSysInfo)) != std::wstring::npos ||
           line.find(GuidText(LIBID_BrindtSysQuery)) != std::wstring::npos;
  });
  ExpectLines(ours, "still naming the modules", "nothing registered");
  FailRegistration(own, "failed registration");
  ExpectDump(TakeDump(), empty, "failed registration");
  Run(own, L"", "this bitness alone");
  const Dump own_only = TakeDump();
  const std::wstring control_key = L"CLSID\\" + GuidText(CLSID_ctlBrindtSysInfo);
  const std::wstring own_view = sizeof(void*) == 8 ? L"64-bit " : L"32-bit ";
  const std::wstring other_view = sizeof(void*) == 8 ? L"32-bit " : L"64-bit ";
  ok(std::binary_search(own_only.begin(), own_only.end(), own_view + control_key) &&
         !std::binary_search(own_only.begin(), own_only.end(), other_view + control_key),
     "the class key is not in this bitness's view alone\n");
  Run(own, L"/u", "this bitness alone");
  ExpectDump(TakeDump(), empty, "this bitness registered and unregistered");
  Run(own, L"/u", "this bitness unregistered twice");

  if (other.modules.empty()) {
    skip("the other bitness's modules are not registered in this bed\n");
  } else {
    Run(other, L"", "other bitness alone");
    const Dump other_only = TakeDump();
    FailRegistration(own, "failed registration beside the other bitness");
    ExpectDump(TakeDump(), other_only, "failed registration beside the other bitness");
    Run(own, L"", "both");
    const Dump both = TakeDump();
    ExpectOwnLibraries("both registered");
    Run(other, L"/u", "other bitness unregistered");
    ExpectDump(TakeDump(), own_only, "other bitness unregistered");
    ExpectOwnLibraries("other bitness unregistered");
    Run(other, L"", "other bitness registered again");
    ExpectDump(TakeDump(), both, "other bitness registered again");
    Run(own, L"/u", "this bitness unregistered");
    ExpectDump(TakeDump(), other_only, "this bitness unregistered");
    Run(other, L"/u", "both unregistered");
    ExpectDump(TakeDump(), empty, "both unregistered");
  }

  // The bed as it was, for the tests that come after.
  Run(other, L"", "end");
  Run(own, L"", "end");
  CoUninitialize();
  return wine_test::Summary("registration_views");
}
