// SPDX-License-Identifier: MIT
// The Win32 probes under Wine: decoders and text forms against exact expectations, and the facts of this machine
// against what Linux says of it (read through Wine's Z: drive). Cases needing Linux files are skipped elsewhere.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <uxtheme.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "probes.h"
#include "ui_language.h"
#include "wine_test.h"

using wine_test::Narrow;

namespace {

constexpr bsi::UiLanguage kGerman = bsi::UiLanguage::German;
constexpr bsi::UiLanguage kEnglish = bsi::UiLanguage::English;

/// A whole file, also one of /proc whose size reads as 0; empty when it cannot be opened.
std::string ReadFileText(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) text.append(chunk, read);
  CloseHandle(file);
  return text;
}

std::wstring Lower(std::wstring text) {
  CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

template <typename Call>
HRESULT ProbeHresult(Call call) {
  try {
    call();
  } catch (const bsq::ProbeError& e) {
    return e.hr();
  } catch (...) {
    return E_UNEXPECTED;
  }
  return S_OK;
}

// --- Registry: values the test writes under its own HKCU key, removed at the end.
const std::wstring kTestKey = wine_test::OwnKeyName(L"Software\\BrindtSysInfo probes test");

void SetValue(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  LSTATUS status =
      RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  ok(status == ERROR_SUCCESS, "RegCreateKeyExW failed: %ld\n", static_cast<long>(status));
  if (status != ERROR_SUCCESS) return;
  status = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  ok(status == ERROR_SUCCESS, "RegSetValueExW(%s) failed: %ld\n", Narrow(name).c_str(), static_cast<long>(status));
  RegCloseKey(key);
}

void test_registry_values() {
  struct Case {
    const wchar_t* name;
    DWORD type;
    std::wstring data;  // written as UTF-16 code units
    int extra_bytes;    // bytes added (positive) or removed (negative) from the UTF-16 byte count
    std::wstring expected;
  };
  using namespace std::string_literals;
  const Case cases[] = {
      {L"sz", REG_SZ, L"Grüße aus Köln\0"s, 0, L"Grüße aus Köln"},
      {L"sz without terminator", REG_SZ, L"abc"s, 0, L"abc"},
      {L"sz odd byte count", REG_SZ, L"abcd"s, -1, L"abc"},
      {L"sz empty", REG_SZ, L""s, 0, L""},
      {L"sz only one NUL stripped", REG_SZ, L"ab\0\0"s, 0, L"ab\0"s},
      {L"expand sz not expanded", REG_EXPAND_SZ, L"%SystemRoot%\\x\0"s, 0, L"%SystemRoot%\\x"},
      {L"multi sz", REG_MULTI_SZ, L"Award\0BIOS v6\0\0"s, 0, L"Award\0BIOS v6"s},
      {L"multi sz single terminator", REG_MULTI_SZ, L"one\0two\0"s, 0, L"one\0two"s},
      {L"multi sz no terminator", REG_MULTI_SZ, L"one\0two"s, 0, L"one\0two"s},
      {L"multi sz ends at empty string", REG_MULTI_SZ, L"one\0\0two\0\0"s, 0, L"one"},
      {L"multi sz empty", REG_MULTI_SZ, L"\0"s, 0, L""},
      {L"multi sz odd byte count", REG_MULTI_SZ, L"x\0yz"s, -1, L"x\0y"s},
  };
  for (const Case& c : cases) {
    const DWORD size = static_cast<DWORD>(static_cast<int>(c.data.size() * sizeof(wchar_t)) + c.extra_bytes);
    SetValue(c.name, c.type, c.data.data(), size);
    const bsq::RegistryValue got = bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, c.name);
    ok(got.exists, "%s: exists is false\n", Narrow(c.name).c_str());
    ok(got.text == c.expected, "%s: got \"%s\" (%u units)\n", Narrow(c.name).c_str(), Narrow(got.text).c_str(),
       static_cast<unsigned>(got.text.size()));
  }

  const std::uint32_t dword = 4294967295u;
  const std::uint64_t qword = 18446744073709551615ull;
  const BYTE binary[] = {1, 2, 3};
  struct Typed {
    const wchar_t* name;
    DWORD type;
    const void* data;
    DWORD size;
    const wchar_t* expected;
  };
  const Typed typed[] = {
      {L"dword", REG_DWORD, &dword, 4, L"4294967295"},
      {L"dword short", REG_DWORD, &dword, 2, L""},
      {L"qword", REG_QWORD, &qword, 8, L"18446744073709551615"},
      {L"binary", REG_BINARY, binary, 3, L""},
      {L"none", REG_NONE, nullptr, 0, L""},
  };
  for (const Typed& t : typed) {
    SetValue(t.name, t.type, t.data, t.size);
    const bsq::RegistryValue got = bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, t.name);
    ok(got.exists && got.text == t.expected, "%s: exists %d, got \"%s\"\n", Narrow(t.name).c_str(), got.exists,
       Narrow(got.text).c_str());
  }

  // The default value has the empty name; a missing value and a missing key are absent, not errors.
  SetValue(L"", REG_SZ, L"default", 16);
  bsq::RegistryValue got = bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, L"");
  ok(got.exists && got.text == L"default", "default value: got \"%s\"\n", Narrow(got.text).c_str());
  got = bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, L"no such value");
  ok(!got.exists && got.text.empty(), "missing value: exists %d\n", got.exists);
  got = bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey + L"\\no such key", L"sz");
  ok(!got.exists && got.text.empty(), "missing key: exists %d\n", got.exists);

  // Long values are read whole up to 1 MiB; larger ones are refused instead of allocated.
  std::wstring long_text(300000, L'ä');
  long_text[123456] = L'Z';
  SetValue(L"long", REG_SZ, long_text.c_str(), static_cast<DWORD>((long_text.size() + 1) * sizeof(wchar_t)));
  got = bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, L"long");
  ok(got.text == long_text, "long value: got %u units\n", static_cast<unsigned>(got.text.size()));
  const std::vector<BYTE> huge(1024 * 1024 + 2, 'x');
  SetValue(L"huge", REG_BINARY, huge.data(), static_cast<DWORD>(huge.size()));
  HRESULT hr = ProbeHresult([] { bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, L"huge"); });
  ok(hr == HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE), "huge value: hr %#lx\n", static_cast<unsigned long>(hr));

  // Names with an inner NUL would reach another value; a root that is no key is the caller's error.
  hr = ProbeHresult([] { bsq::ReadRegistryValue(HKEY_CURRENT_USER, kTestKey, std::wstring(L"sz\0x", 4)); });
  ok(hr == E_INVALIDARG, "NUL in value name: hr %#lx\n", static_cast<unsigned long>(hr));
  hr = ProbeHresult([] { bsq::ReadRegistryValue(HKEY_CURRENT_USER, std::wstring(L"Software\0x", 10), L"sz"); });
  ok(hr == E_INVALIDARG, "NUL in key path: hr %#lx\n", static_cast<unsigned long>(hr));
  hr = ProbeHresult([] { bsq::ReadRegistryValue(reinterpret_cast<HKEY>(0x1234), L"Software", L"x"); });
  ok(FAILED(hr), "bogus root: hr %#lx\n", static_cast<unsigned long>(hr));

  RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey.c_str());
}

// --- Text forms
void test_running_time_text() {
  struct Case {
    std::uint64_t ms;
    bsi::UiLanguage language;
    const wchar_t* expected;
  };
  const std::uint64_t day = 86400000;
  const Case cases[] = {
      {0, kEnglish, L"00:00:00"},
      {0, kGerman, L"00:00:00"},
      {59999, kEnglish, L"00:00:59"},
      {3600000 - 1, kGerman, L"00:59:59"},
      {day - 1, kEnglish, L"23:59:59"},
      {day, kEnglish, L"1 day, 00:00:00"},
      {day, kGerman, L"1 Tag, 00:00:00"},
      {2 * day + 3 * 3600000 + 4 * 60000 + 5000, kEnglish, L"2 days, 03:04:05"},
      {2 * day + 3 * 3600000 + 4 * 60000 + 5000, kGerman, L"2 Tage, 03:04:05"},
      {UINT64_MAX, kEnglish, L"213503982334 days, 14:25:51"},
  };
  for (const Case& c : cases) {
    const std::wstring got = bsq::RunningTimeText(c.ms, c.language);
    ok(got == c.expected, "%llu ms, language %d: got \"%s\"\n", static_cast<unsigned long long>(c.ms),
       static_cast<int>(c.language), Narrow(got).c_str());
  }
}

void test_drive_and_byte_texts() {
  struct Amount {
    std::uint64_t bytes;
    bsi::UiLanguage language;
    const wchar_t* expected;
  };
  const Amount amounts[] = {
      {0, kEnglish, L"0 Byte"},
      {1023, kGerman, L"1023 Byte"},
      {1024, kEnglish, L"1.0 KB"},
      {1024, kGerman, L"1,0 KB"},
      {1024 * 1024 - 1, kEnglish, L"1.0 MB"},  // 1023.999 KB would read "1024.0 KB"
      {13207024435ull, kGerman, L"12,3 GB"},
      {107374182400ull, kEnglish, L"100.0 GB"},
      {UINT64_MAX, kEnglish, L"16.0 EB"},
  };
  for (const Amount& a : amounts) {
    const std::wstring got = bsq::ByteAmountText(a.bytes, a.language);
    ok(got == a.expected, "%llu bytes: got \"%s\"\n", static_cast<unsigned long long>(a.bytes), Narrow(got).c_str());
  }
  struct Drive {
    bsq::DriveFacts facts;
    bsi::UiLanguage language;
    const wchar_t* expected;
  };
  const Drive drives[] = {
      {{L"C:\\", DRIVE_FIXED, L"System", true, 13207024435ull, 107374182400ull},
       kGerman,
       L"C:\\  Festplatte  \"System\"  12,3 GB frei von 100,0 GB"},
      {{L"C:\\", DRIVE_FIXED, L"System", true, 13207024435ull, 107374182400ull},
       kEnglish,
       L"C:\\  Local disk  \"System\"  12.3 GB free of 100.0 GB"},
      {{L"D:\\", DRIVE_CDROM, L"", false, 0, 0}, kGerman, L"D:\\  CD/DVD-Laufwerk"},
      {{L"A:\\", DRIVE_REMOVABLE, L"", false, 0, 0}, kGerman, L"A:\\  Wechseldatenträger"},
      {{L"N:\\", DRIVE_REMOTE, L"", false, 0, 0}, kEnglish, L"N:\\  Network drive"},
      {{L"R:\\", DRIVE_RAMDISK, L"", true, 0, 512}, kEnglish, L"R:\\  RAM disk  0 Byte free of 512 Byte"},
      {{L"Q:\\", DRIVE_NO_ROOT_DIR, L"", false, 0, 0}, kGerman, L"Q:\\  Unbekannt"},
  };
  for (const Drive& d : drives) {
    const std::wstring got = bsq::DriveText(d.facts, d.language);
    ok(got == d.expected, "drive text: got \"%s\"\n", Narrow(got).c_str());
  }
}

void test_network_texts() {
  // Masks of the lengths the choice below does not meet; MAC addresses of other lengths.
  const struct {
    ULONG prefix;
    const wchar_t* expected;
  } masks[] = {{0, L"0.0.0.0"}, {1, L"128.0.0.0"}, {20, L"255.255.240.0"}, {33, L""}, {255, L""}};
  for (const auto& m : masks) {
    const std::wstring got = bsq::Ipv4MaskText(m.prefix);
    ok(got == m.expected, "prefix %lu: got \"%s\"\n", m.prefix, Narrow(got).c_str());
  }
  const BYTE mac[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0xFF, 0x0F};
  ok(bsq::MacAddressText(mac, 8) == L"00-1A-2B-3C-4D-5E-FF-0F", "8-byte address: got \"%s\"\n",
     Narrow(bsq::MacAddressText(mac, 8)).c_str());
  ok(bsq::MacAddressText(mac, 0).empty() && bsq::MacAddressText(nullptr, 6).empty(), "no address is no text\n");
}

void test_network_choice() {
  using Adapter = bsq::AdapterFacts;
  const std::vector<BYTE> mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  const Adapter loopback{1, 24, true, {{0x7F000001, 8}}, {}};
  const Adapter lan{4, 6, true, {{0xC0A8B20A, 24}}, mac};                            // 192.168.178.10/24
  const Adapter wan{7, 6, true, {{0x5DB8D822, 28}, {0x0A000005, 8}}, {0x02, 0xFC}};  // public, then 10.0.0.5/8
  const Adapter wifi_down{9, 71, false, {{0xAC100001, 12}}, {}};                     // 172.16.0.1, not up
  const Adapter ppp_up{12, 23, true, {{0x64400001, 32}}, {}};
  const Adapter ppp_down{13, 23, false, {}, {}};
  struct Case {
    const char* what;
    std::vector<Adapter> adapters;
    DWORD route;
    const wchar_t *local, *local_mask, *network, *network_mask, *mac;
    bool dial_up;
  };
  const Case cases[] = {
      {"home LAN",
       {loopback, lan},
       4,
       L"192.168.178.10",
       L"255.255.255.0",
       L"192.168.178.10",
       L"255.255.255.0",
       L"00-1A-2B-3C-4D-5E",
       false},
      {"public address, private second",
       {loopback, wan},
       7,
       L"10.0.0.5",
       L"255.0.0.0",
       L"93.184.216.34",
       L"255.255.255.240",
       L"02-FC",
       false},
      {"route elsewhere, LAN private",
       {wan, lan},
       7,
       L"10.0.0.5",
       L"255.0.0.0",
       L"93.184.216.34",
       L"255.255.255.240",
       L"02-FC",
       false},
      {"no default route", {loopback, wifi_down, lan}, 0, L"192.168.178.10", L"255.255.255.0", L"", L"", L"", false},
      {"route through an adapter that is down", {wifi_down}, 9, L"127.0.0.1", L"255.0.0.0", L"", L"", L"", false},
      {"nothing at all", {}, 0, L"127.0.0.1", L"255.0.0.0", L"", L"", L"", false},
      {"dial-up carries the route",
       {loopback, lan, ppp_up},
       12,
       L"192.168.178.10",
       L"255.255.255.0",
       L"100.64.0.1",
       L"255.255.255.255",
       L"",
       true},
      {"dial-up adapter not connected",
       {lan, ppp_down},
       4,
       L"192.168.178.10",
       L"255.255.255.0",
       L"192.168.178.10",
       L"255.255.255.0",
       L"00-1A-2B-3C-4D-5E",
       false},
  };
  for (const Case& c : cases) {
    const bsq::NetworkFacts got = bsq::ChooseNetworkFacts(c.adapters, c.route);
    ok(got.local_ip == c.local && got.local_mask == c.local_mask && got.network_ip == c.network &&
           got.network_mask == c.network_mask && got.mac == c.mac && got.dial_up_active == c.dial_up,
       "%s: local %s/%s network %s/%s MAC %s dial-up %d\n", c.what, Narrow(got.local_ip).c_str(),
       Narrow(got.local_mask).c_str(), Narrow(got.network_ip).c_str(), Narrow(got.network_mask).c_str(),
       Narrow(got.mac).c_str(), got.dial_up_active);
  }
}

void test_time_zone_text() {
  const struct {
    bsq::TimeZoneFacts zone;  // bias, standard name and bias, daylight name and bias, daylight in effect, (name)
    const wchar_t* expected;
  } cases[] = {
      {{-60, L"Mitteleuropäische Zeit", 0, L"Mitteleuropäische Sommerzeit", -60, true, L""},
       L"Mitteleuropäische Sommerzeit (UTC+02:00)"},
      {{-60, L"W. Europe Standard Time", 0, L"W. Europe Daylight Time", -60, false, L""},
       L"W. Europe Standard Time (UTC+01:00)"},
      {{300, L"Eastern Standard Time", 0, L"", -60, false, L""}, L"Eastern Standard Time (UTC-05:00)"},
      {{-330, L"India Standard Time", 0, L"", 0, false, L""}, L"India Standard Time (UTC+05:30)"},
      {{210, L"Newfoundland Standard Time", 0, L"Newfoundland Daylight Time", -60, true, L""},
       L"Newfoundland Daylight Time (UTC-02:30)"},
      {{0, L"Coordinated Universal Time", 0, L"", 0, false, L""}, L"Coordinated Universal Time (UTC)"},
      {{-60, L"", 0, L"", 0, false, L""}, L"UTC+01:00"},
      {{LONG_MIN, L"Broken", LONG_MIN, L"", 0, false, L""}, L"Broken (UTC+71582788:16)"},
  };
  for (const auto& c : cases) {
    const std::wstring got = bsq::TimeZoneText(c.zone);
    ok(got == c.expected, "bias %ld: got \"%s\"\n", static_cast<long>(c.zone.bias), Narrow(got).c_str());
  }
}

// --- Facts of this machine against Linux's view of it
bool UnderWine() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

/// The number after "key:" in /proc/meminfo-style text; 0 when absent.
std::uint64_t FieldNumber(const std::string& text, const std::string& key) {
  const std::size_t at = text.find(key + ":");
  return at == std::string::npos ? 0 : std::strtoull(text.c_str() + at + key.size() + 1, nullptr, 10);
}

void test_memory() {
  const bsq::MemoryFigures m = bsq::ReadMemory();
  ok(m.physical_free <= m.physical_total && m.page_file_free <= m.page_file_total && m.virtual_free <= m.virtual_total,
     "free above total: %llu/%llu %llu/%llu %llu/%llu\n", static_cast<unsigned long long>(m.physical_free),
     static_cast<unsigned long long>(m.physical_total), static_cast<unsigned long long>(m.page_file_free),
     static_cast<unsigned long long>(m.page_file_total), static_cast<unsigned long long>(m.virtual_free),
     static_cast<unsigned long long>(m.virtual_total));
  const std::uint64_t linux_total = FieldNumber(ReadFileText(L"Z:\\proc\\meminfo"), "MemTotal") * 1024;
  if (linux_total == 0) return skip("no /proc/meminfo\n");
  const double ratio = static_cast<double>(m.physical_total) / static_cast<double>(linux_total);
  ok(ratio > 0.99 && ratio < 1.01, "physical memory %llu, Linux MemTotal %llu\n",
     static_cast<unsigned long long>(m.physical_total), static_cast<unsigned long long>(linux_total));
}

void test_identity() {
  const std::wstring computer = bsq::ComputerName();
  std::string host = ReadFileText(L"Z:\\proc\\sys\\kernel\\hostname");
  host = host.substr(0, host.find_first_of(".\n"));  // Wine's DNS host name stops at the first dot
  if (host.empty()) {
    skip("no Linux host name\n");
    ok(!computer.empty(), "empty computer name\n");
  } else {
    ok(Lower(computer) == Lower(Widen(host)), "computer name \"%s\", host \"%s\"\n", Narrow(computer).c_str(),
       host.c_str());
  }
  const std::wstring user = bsq::UserName();
  ok(!user.empty(), "empty user name\n");
  const std::string env_user = Env("USERNAME");
  ok(env_user.empty() || Lower(user) == Lower(Widen(env_user)), "user \"%s\", USERNAME \"%s\"\n", Narrow(user).c_str(),
     env_user.c_str());
  if (UnderWine()) ok(bsq::IsAdministrator(), "Wine's token is an administrator's\n");
}

void test_system_texts() {
  const bsq::OsVersion os = bsq::ReadOsVersion();
  ok(!os.name.empty() && os.major >= 5 && os.build > 0, "OS \"%s\" %lu.%lu.%lu\n", Narrow(os.name).c_str(), os.major,
     os.minor, os.build);
  const std::wstring cpu = bsq::ProcessorDescription();
  ok(!cpu.empty() && cpu.front() != L' ' && cpu.back() != L' ' && cpu.find(L"  ") == std::wstring::npos,
     "processor \"%s\" not trimmed\n", Narrow(cpu).c_str());
  const std::wstring windows = bsq::WindowsFolder();
  const std::wstring system = bsq::SystemFolder();
  const std::string root = Env("SystemRoot");
  ok(!root.empty() && Lower(windows) == Lower(Widen(root)), "Windows folder \"%s\", SystemRoot \"%s\"\n",
     Narrow(windows).c_str(), root.c_str());
  ok(Lower(system).rfind(Lower(windows) + L"\\", 0) == 0, "system folder \"%s\"\n", Narrow(system).c_str());
  const bsq::BrowserFacts browser = bsq::ReadDefaultBrowser();
  ok(browser.detail == browser.executable, "detail \"%s\"\n", Narrow(browser.detail).c_str());
  if (UnderWine()) {
    ok(!browser.name.empty() && GetFileAttributesW(browser.executable.c_str()) != INVALID_FILE_ATTRIBUTES,
       "browser \"%s\" [%s]\n", Narrow(browser.name).c_str(), Narrow(browser.executable).c_str());
  }
  const bsq::PrinterFacts printer = bsq::ReadDefaultPrinter();
  ok(!printer.name.empty() || (printer.detail1.empty() && printer.detail2.empty()), "details without a printer\n");
}

void test_vanished_default_printer() {
  // A default printer that no longer exists keeps its name and has no driver or port.
  const wchar_t* key = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  const bsq::RegistryValue saved = bsq::ReadRegistryValue(HKEY_CURRENT_USER, key, L"Device");
  const std::wstring device = L"Gone Printer,winspool,LPT1:";
  LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Device", REG_SZ, device.c_str(),
                                   static_cast<DWORD>((device.size() + 1) * sizeof(wchar_t)));
  ok(status == ERROR_SUCCESS, "cannot set Device: %ld\n", static_cast<long>(status));
  const bsq::PrinterFacts printer = bsq::ReadDefaultPrinter();
  ok(printer.name == L"Gone Printer" && printer.detail1.empty() && printer.detail2.empty(),
     "vanished printer: \"%s\" [%s - %s]\n", Narrow(printer.name).c_str(), Narrow(printer.detail1).c_str(),
     Narrow(printer.detail2).c_str());
  if (saved.exists) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Device", REG_SZ, saved.text.c_str(),
                    static_cast<DWORD>((saved.text.size() + 1) * sizeof(wchar_t)));
  } else {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Device");
  }
}

/// "WxHxD" of the Xvfb serving DISPLAY, from its command line in /proc; empty when none is found.
std::string XvfbScreen() {
  std::string display = Env("DISPLAY");
  display = display.substr(0, display.find('.', display.find(':')));  // ":57.0" names the server ":57"
  if (display.empty()) return {};
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (find == INVALID_HANDLE_VALUE) return {};
  std::string screen;
  do {
    if (entry.cFileName[0] < L'0' || entry.cFileName[0] > L'9') continue;
    std::string line = ReadFileText(std::wstring(L"Z:\\proc\\") + entry.cFileName + L"\\cmdline");
    std::vector<std::string> args;
    std::stringstream in(line);
    for (std::string arg; std::getline(in, arg, '\0');) args.push_back(arg);
    if (args.empty() || args[0].find("Xvfb") == std::string::npos) continue;
    bool ours = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (args[i] == display) ours = true;
      if (args[i] == "-screen" && i + 2 < args.size()) screen = args[i + 2];
    }
    if (ours) break;
    screen.clear();
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  return screen;
}

void test_display() {
  const bsq::DisplayFacts d = bsq::ReadDisplay();
  const std::string screen = XvfbScreen();
  unsigned width = 0, height = 0, depth = 0;
  if (screen.empty() || std::sscanf(screen.c_str(), "%ux%ux%u", &width, &height, &depth) != 3) {
    ok(d.width > 0 && d.height > 0 && d.bits_per_pixel > 0, "display %dx%dx%d\n", d.width, d.height, d.bits_per_pixel);
    return skip("no Xvfb for DISPLAY found\n");
  }
  // X keeps depth 24 in 32-bit pixels, and Windows calls that mode 32 bits per pixel.
  const int bits = depth == 24 ? 32 : static_cast<int>(depth);
  ok(d.width == static_cast<int>(width) && d.height == static_cast<int>(height) && d.bits_per_pixel == bits,
     "display %dx%dx%d, Xvfb screen %s\n", d.width, d.height, d.bits_per_pixel, screen.c_str());
}

void test_language_and_drives() {
  const bsi::UiLanguage language = bsi::win32::UserUiLanguage();
  const std::vector<std::wstring> drives = bsq::DriveTexts(language);
  bool c = false, z = false;
  wchar_t previous = 0;
  for (const std::wstring& text : drives) {
    ok(text.size() >= 3 && text[1] == L':' && text[2] == L'\\' && text[0] > previous, "drive text \"%s\"\n",
       Narrow(text).c_str());
    if (text.empty()) continue;
    previous = text[0];
    if (text.rfind(L"C:\\", 0) == 0) {
      c = true;
      const wchar_t* kind = language == kGerman ? L"C:\\  Festplatte  " : L"C:\\  Local disk  ";
      ok(text.rfind(kind, 0) == 0, "C: in language %d: \"%s\"\n", static_cast<int>(language), Narrow(text).c_str());
    }
    z = z || text.rfind(L"Z:\\", 0) == 0;
  }
  if (UnderWine()) ok(c && z, "C: %d, Z: %d among %u drives\n", c, z, static_cast<unsigned>(drives.size()));
}

void test_times() {
  const std::string uptime = ReadFileText(L"Z:\\proc\\uptime");
  const std::uint64_t ms = bsq::RunningMilliseconds();
  if (uptime.empty()) {
    skip("no /proc/uptime\n");
  } else {
    const double linux_ms = std::strtod(uptime.c_str(), nullptr) * 1000.0;
    ok(std::abs(static_cast<double>(ms) - linux_ms) < 5000.0, "running %llu ms, Linux %.0f ms\n",
       static_cast<unsigned long long>(ms), linux_ms);
  }
  // The offset shown is the one between local time and UTC now.
  SYSTEMTIME utc, local;
  GetSystemTime(&utc);
  GetLocalTime(&local);
  FILETIME fu, fl;
  SystemTimeToFileTime(&utc, &fu);
  SystemTimeToFileTime(&local, &fl);
  const auto ticks = [](FILETIME f) {
    return static_cast<long long>((static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  const long offset = static_cast<long>((ticks(fl) - ticks(fu) + 300000000LL) / 600000000LL);  // minutes, rounded
  const bsq::TimeZoneFacts zone = bsq::ReadTimeZone();
  bsq::TimeZoneFacts only_offset;
  only_offset.bias = -offset;
  const std::wstring expected = bsq::TimeZoneText(only_offset);
  ok(zone.name.size() >= expected.size() && zone.name.find(expected) != std::wstring::npos,
     "time zone \"%s\" lacks \"%s\"\n", Narrow(zone.name).c_str(), Narrow(expected).c_str());
}

/// The Linux interface of the default route and, of its on-link route, network and mask (host byte order).
struct LinuxRoute {
  std::string interface;
  std::uint32_t network = 0;
  std::uint32_t mask = 0;
};

LinuxRoute DefaultRoute() {
  std::stringstream in(ReadFileText(L"Z:\\proc\\net\\route"));
  LinuxRoute route;
  std::string line;
  std::getline(in, line);  // header
  std::vector<std::vector<std::string>> rows;
  while (std::getline(in, line)) {
    std::stringstream fields(line);
    std::vector<std::string> row;
    for (std::string f; fields >> f;) row.push_back(f);
    if (row.size() >= 8) rows.push_back(row);
  }
  for (const auto& row : rows) {
    if (row[1] == "00000000" && route.interface.empty()) route.interface = row[0];
  }
  for (const auto& row : rows) {
    // /proc prints addresses as the kernel's (network-order) words in hex, little-endian here.
    if (row[0] == route.interface && row[1] != "00000000" && row[2] == "00000000") {
      route.network = _byteswap_ulong(std::strtoul(row[1].c_str(), nullptr, 16));
      route.mask = _byteswap_ulong(std::strtoul(row[7].c_str(), nullptr, 16));
    }
  }
  return route;
}

std::uint32_t ParseIpv4(const std::wstring& text) {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (swscanf(text.c_str(), L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) return 0;
  return (a << 24) | (b << 16) | (c << 8) | d;
}

void test_network() {
  const bsq::NetworkFacts n = bsq::ReadNetwork();
  ok(ParseIpv4(n.local_ip) != 0 && !n.local_mask.empty(), "local %s/%s\n", Narrow(n.local_ip).c_str(),
     Narrow(n.local_mask).c_str());
  const LinuxRoute route = DefaultRoute();
  if (route.interface.empty()) return skip("no Linux default route\n");
  ok((ParseIpv4(n.network_ip) & route.mask) == route.network && ParseIpv4(n.network_mask) == route.mask,
     "network %s/%s, Linux %s on-link %08x/%08x\n", Narrow(n.network_ip).c_str(), Narrow(n.network_mask).c_str(),
     route.interface.c_str(), route.network, route.mask);
  std::string mac = ReadFileText(Widen("Z:\\sys\\class\\net\\" + route.interface + "\\address"));
  mac = mac.substr(0, mac.find('\n'));
  for (char& ch : mac) ch = ch == ':' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  ok(Narrow(n.mac) == mac, "MAC %s, Linux %s\n", Narrow(n.mac).c_str(), mac.c_str());
  ok(!n.dial_up_active, "dial-up active without a PPP interface\n");
}

void test_sound() {
  // The endpoint store and winmm must agree; asking winmm also creates the store in a fresh Wine prefix.
  const bool installed = bsq::SoundInstalled();
  const UINT devices = waveOutGetNumDevs();
  ok(installed == (devices > 0), "sound installed %d, wave-out devices %u\n", installed, devices);

  const wchar_t* store = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\MMDevices\\Audio\\Render";
  HKEY render = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, store, 0, KEY_ALL_ACCESS, &render) != ERROR_SUCCESS) {
    return skip("no writable audio endpoint store\n");
  }
  // Windows keeps flags above the four state bits; only the state decides.
  const struct {
    DWORD state;
    bool expected;
  } cases[] = {{0x00000001, true}, {0x10000001, true}, {0x10000004, false}, {0x00000008, false}, {0x2, false}};
  const wchar_t* endpoint = L"{0.0.0.00000000}.{bsq-probes-test}";
  for (const auto& c : cases) {
    RegSetKeyValueW(render, endpoint, L"DeviceState", REG_DWORD, &c.state, sizeof(c.state));
    const bool got = bsq::SoundInstalled();
    ok(got == (c.expected || devices > 0), "DeviceState %#lx: installed %d\n", c.state, got);
  }
  RegDeleteTreeW(render, endpoint);
  RegDeleteKeyW(render, endpoint);
  RegCloseKey(render);
}

// --- Gauges
void test_progress_bar_colors() {
  INITCOMMONCONTROLSEX init{sizeof(init), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&init);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);
  ok(bar != nullptr, "no progress bar: %lu\n", GetLastError());
  if (bar == nullptr) return;
  const COLORREF colors[] = {RGB(0, 128, 0), RGB(0, 0, 192), RGB(192, 192, 0), RGB(192, 0, 0)};
  for (COLORREF color : colors) {
    bsq::SetProgressBarColors(bar, color, RGB(255, 255, 255));
    const COLORREF got_bar = static_cast<COLORREF>(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0));
    const COLORREF got_back = static_cast<COLORREF>(SendMessageW(bar, PBM_GETBKCOLOR, 0, 0));
    ok(got_bar == color && got_back == RGB(255, 255, 255), "colours %06lx/%06lx, wanted %06lx/ffffff\n", got_bar,
       got_back, color);
  }
  ok(GetWindowTheme(bar) == nullptr, "the bar is still themed\n");
  DestroyWindow(bar);
  HRESULT hr = ProbeHresult([bar] { bsq::SetProgressBarColors(bar, 0, 0); });
  ok(hr == HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE), "destroyed bar: hr %#lx\n", static_cast<unsigned long>(hr));
  hr = ProbeHresult([] { bsq::SetProgressBarColors(nullptr, 0, 0); });
  ok(hr == HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE), "no bar: hr %#lx\n", static_cast<unsigned long>(hr));
}

}  // namespace

int main() {
  test_registry_values();
  test_running_time_text();
  test_drive_and_byte_texts();
  test_network_texts();
  test_network_choice();
  test_time_zone_text();
  test_memory();
  test_identity();
  test_system_texts();
  test_vanished_default_printer();
  test_display();
  test_language_and_drives();
  test_times();
  test_network();
  test_sound();
  test_progress_bar_colors();
  return wine_test::Summary("probes");
}
