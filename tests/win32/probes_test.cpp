// SPDX-License-Identifier: MIT
// The Win32 probes under Wine: the decoders and text forms over a table of inputs, their results in
// tests/data/win32/query_probe_texts.txt (the registry read at its limits: the reader's test in sysquery_com_test);
// and the facts of this machine against what Linux says of it (read through Wine's Z: drive). Cases needing Linux files
// are skipped elsewhere.
#include <windows.h>

#include <mmsystem.h>

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "golden.h"
#include "probes.h"
#include "wine_test.h"

using wine_test::Narrow;

namespace {

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

// --- Decoders and text forms: one line each, "what = "text"" (a NUL shown as \0).
std::string g_texts;

void Line(const std::string& what, const std::wstring& text) {
  std::string shown = Narrow(text);
  for (std::size_t at = 0; (at = shown.find('\0', at)) != std::string::npos;) shown.replace(at, 1, "\\0");
  g_texts += what + " = \"" + shown + "\"\n";
}

// The texts of both languages: one line when they agree.
template <class Texts>
void Lines(const std::string& what, Texts texts) {
  const std::wstring english = texts(bsi::UiLanguage::English), german = texts(bsi::UiLanguage::German);
  if (english == german) return Line(what, english);
  Line(what + " en", english);
  Line(what + " de", german);
}

void test_decoders_and_texts() {
  using namespace std::string_literals;
  // Registry data as stored (UTF-16 units, a byte cut where `cut`), as ReadRegistryValue decodes it.
  const struct {
    const char* what;
    DWORD type;
    std::wstring data;
    int cut;
  } registry[] = {
      {"sz", REG_SZ, L"Grüße aus Köln\0"s, 0},
      {"sz without terminator", REG_SZ, L"abc"s, 0},
      {"sz odd byte count", REG_SZ, L"abcd"s, 1},
      {"sz empty", REG_SZ, L""s, 0},
      {"sz only one NUL stripped", REG_SZ, L"ab\0\0"s, 0},
      {"expand sz not expanded", REG_EXPAND_SZ, L"%SystemRoot%\\x\0"s, 0},
      {"multi sz", REG_MULTI_SZ, L"Award\0BIOS v6\0\0"s, 0},
      {"multi sz single terminator", REG_MULTI_SZ, L"one\0two\0"s, 0},
      {"multi sz no terminator", REG_MULTI_SZ, L"one\0two"s, 0},
      {"multi sz ends at empty string", REG_MULTI_SZ, L"one\0\0two\0\0"s, 0},
      {"multi sz empty", REG_MULTI_SZ, L"\0"s, 0},
      {"multi sz odd byte count", REG_MULTI_SZ, L"x\0yz"s, 1},
      {"dword", REG_DWORD, L"\xFFFF\xFFFF"s, 0},
      {"dword short", REG_DWORD, L"\xFFFF"s, 0},
      {"qword", REG_QWORD, L"\xFFFF\xFFFF\xFFFF\xFFFF"s, 0},
      {"binary", REG_BINARY, L"\x0201\x0003"s, 1},
      {"none", REG_NONE, L""s, 0},
  };
  for (const auto& r : registry) {
    const bsq::RegistryValue got = bsq::DecodeRegistryData(r.type, reinterpret_cast<const BYTE*>(r.data.data()),
                                                           r.data.size() * sizeof(wchar_t) - r.cut);
    Line(std::string("registry ") + r.what + (got.exists ? "" : " (absent)"), got.text);
  }
  const std::uint64_t day = 86400000;
  const std::uint64_t times[] = {0,         59999, 3600000 - 1, day - 1, day, 2 * day + 3 * 3600000 + 4 * 60000 + 5000,
                                 UINT64_MAX};
  for (const std::uint64_t ms : times) {
    Lines("running " + std::to_string(ms) + " ms", [ms](bsi::UiLanguage in) { return bsq::RunningTimeText(ms, in); });
  }
  // 1048575 bytes: 1023.999 KB would read "1024.0 KB".
  const std::uint64_t amounts[] = {0, 1023, 1024, 1024 * 1024 - 1, 13207024435ull, 107374182400ull, UINT64_MAX};
  for (const std::uint64_t bytes : amounts) {
    Lines(std::to_string(bytes) + " bytes", [bytes](bsi::UiLanguage in) { return bsq::ByteAmountText(bytes, in); });
  }
  const bsq::DriveFacts drives[] = {
      {L"C:\\", DRIVE_FIXED, L"System", true, 13207024435ull, 107374182400ull},
      {L"D:\\", DRIVE_CDROM, L"", false, 0, 0},
      {L"A:\\", DRIVE_REMOVABLE, L"", false, 0, 0},
      {L"N:\\", DRIVE_REMOTE, L"", false, 0, 0},
      {L"R:\\", DRIVE_RAMDISK, L"", true, 0, 512},
      {L"Q:\\", DRIVE_NO_ROOT_DIR, L"", false, 0, 0},
  };
  for (const bsq::DriveFacts& drive : drives) {
    Lines("drive of type " + std::to_string(drive.type), [&](bsi::UiLanguage in) { return bsq::DriveText(drive, in); });
  }
  for (const ULONG prefix : {0ul, 1ul, 20ul, 24ul, 32ul, 33ul, 255ul})
    Line("mask /" + std::to_string(prefix), bsq::Ipv4MaskText(prefix));
  const BYTE mac[] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0xFF, 0x0F};
  Line("MAC of 8 bytes", bsq::MacAddressText(mac, 8));
  Line("MAC of 0 bytes", bsq::MacAddressText(mac, 0));
  Line("MAC of nothing", bsq::MacAddressText(nullptr, 6));

  using Adapter = bsq::AdapterFacts;
  const std::vector<BYTE> lan_mac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  const Adapter loopback{1, 24, true, {{0x7F000001, 8}}, {}};
  const Adapter lan{4, 6, true, {{0xC0A8B20A, 24}}, lan_mac};                        // 192.168.178.10/24
  const Adapter wan{7, 6, true, {{0x5DB8D822, 28}, {0x0A000005, 8}}, {0x02, 0xFC}};  // public, then 10.0.0.5/8
  const Adapter wifi_down{9, 71, false, {{0xAC100001, 12}}, {}};                     // 172.16.0.1, not up
  const Adapter ppp_up{12, 23, true, {{0x64400001, 32}}, {}};
  const Adapter ppp_down{13, 23, false, {}, {}};
  const struct {
    const char* what;
    std::vector<Adapter> adapters;
    DWORD route;
  } networks[] = {
      {"home LAN", {loopback, lan}, 4},
      {"public address, private second", {loopback, wan}, 7},
      {"route elsewhere, LAN private", {wan, lan}, 7},
      {"no default route", {loopback, wifi_down, lan}, 0},
      {"route through an adapter that is down", {wifi_down}, 9},
      {"nothing at all", {}, 0},
      {"dial-up carries the route", {loopback, lan, ppp_up}, 12},
      {"dial-up adapter not connected", {lan, ppp_down}, 4},
  };
  for (const auto& n : networks) {
    const bsq::NetworkFacts got = bsq::ChooseNetworkFacts(n.adapters, n.route);
    Line(std::string("network ") + n.what, got.local_ip + L"/" + got.local_mask + L" " + got.network_ip + L"/" +
                                               got.network_mask + L" " + got.mac +
                                               (got.dial_up_active ? L" dial-up" : L""));
  }
  const bsq::TimeZoneFacts zones[] = {
      // bias, standard name and bias, daylight name and bias, daylight in effect
      {-60, L"Mitteleuropäische Zeit", 0, L"Mitteleuropäische Sommerzeit", -60, true, L""},
      {-60, L"W. Europe Standard Time", 0, L"W. Europe Daylight Time", -60, false, L""},
      {300, L"Eastern Standard Time", 0, L"", -60, false, L""},
      {-330, L"India Standard Time", 0, L"", 0, false, L""},
      {210, L"Newfoundland Standard Time", 0, L"Newfoundland Daylight Time", -60, true, L""},
      {0, L"Coordinated Universal Time", 0, L"", 0, false, L""},
      {-60, L"", 0, L"", 0, false, L""},
      {LONG_MIN, L"Broken", LONG_MIN, L"", 0, false, L""},
  };
  for (const bsq::TimeZoneFacts& zone : zones) {
    Line("zone " + std::to_string(zone.bias) + (zone.daylight_active ? " daylight" : ""), bsq::TimeZoneText(zone));
  }
  const std::string difference = bsi::test::CompareGolden("win32/query_probe_texts.txt", g_texts);
  ok(difference.empty(), "expected the texts of query_probe_texts.txt, got others:\n%s", difference.c_str());
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

std::string Dotted(std::uint32_t address) {
  return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 0xFF) + "." +
         std::to_string((address >> 8) & 0xFF) + "." + std::to_string(address & 0xFF);
}

std::uint32_t ParseIpv4(const std::wstring& text) {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (swscanf(text.c_str(), L"%u.%u.%u.%u", &a, &b, &c, &d) != 4) return 0;
  return (a << 24) | (b << 16) | (c << 8) | d;
}

/// Of /proc/net/route text: the device of the default route and, of its on-link route, "network/mask" as
/// dotted quads; empty when there is no default route.
std::pair<std::string, std::string> DefaultRoute(const std::string& text) {
  std::stringstream in(text);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    std::stringstream fields(line);
    std::vector<std::string> row;
    for (std::string f; fields >> f;) row.push_back(f);
    if (row.size() >= 8 && row[0] != "Iface") rows.push_back(row);
  }
  std::string device, network;
  for (const auto& row : rows) {
    if (row[1] == "00000000" && device.empty()) device = row[0];
  }
  // /proc prints addresses as the kernel's (network-order) words in hex, little-endian here.
  auto quad = [](const std::string& hex) { return Dotted(_byteswap_ulong(std::strtoul(hex.c_str(), nullptr, 16))); };
  for (const auto& row : rows) {
    if (row[0] == device && row[1] != "00000000" && row[2] == "00000000") network = quad(row[1]) + "/" + quad(row[7]);
  }
  return {device, network};
}

/// A probe's result and what Linux says of the same; `expected` is empty when Linux says nothing.
struct Compared {
  bool same;
  std::string expected, got;
};

// Each probe against its Linux source (read through Wine's Z: drive, or nullptr: found by the comparison).
const struct {
  const char* probe;
  const wchar_t* source;
  Compared (*compare)(const std::string& text);
} kLinuxCases[] = {
    {"physical memory (1%)", L"Z:\\proc\\meminfo",
     [](const std::string& text) {
       const double linux_total = static_cast<double>(FieldNumber(text, "MemTotal")) * 1024.0;
       const auto total = static_cast<double>(bsq::ReadMemory().physical_total);
       return Compared{std::abs(total / linux_total - 1.0) < 0.01, linux_total > 0 ? std::to_string(linux_total) : "",
                       std::to_string(total)};
     }},
    {"computer name", L"Z:\\proc\\sys\\kernel\\hostname",
     [](const std::string& text) {
       const std::string host = text.substr(0, text.find_first_of(".\n"));  // Wine's DNS host name stops at a dot
       const std::wstring computer = bsq::ComputerName();
       return Compared{Lower(computer) == Lower(Widen(host)), host, Narrow(computer)};
     }},
    {"running time (5 s)", L"Z:\\proc\\uptime",
     [](const std::string& text) {
       const double linux_ms = std::strtod(text.c_str(), nullptr) * 1000.0;
       const auto ms = static_cast<double>(bsq::RunningMilliseconds());
       return Compared{std::abs(ms - linux_ms) < 5000.0, text.empty() ? "" : std::to_string(linux_ms),
                       std::to_string(ms)};
     }},
    {"network of the default route", L"Z:\\proc\\net\\route",
     [](const std::string& text) {
       const bsq::NetworkFacts n = bsq::ReadNetwork();
       const auto [device, network] = DefaultRoute(text);
       std::string mac = ReadFileText(Widen("Z:\\sys\\class\\net\\" + device + "\\address"));
       mac = mac.substr(0, mac.find('\n'));
       for (char& ch : mac) ch = ch == ':' ? '-' : static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
       const std::string got = Dotted(ParseIpv4(n.network_ip) & ParseIpv4(n.network_mask)) + "/" +
                               Narrow(n.network_mask + L" " + n.mac) + (n.dial_up_active ? " dial-up" : "");
       return Compared{got == network + " " + mac, device.empty() ? "" : network + " " + mac, got};
     }},
    // X keeps depth 24 in 32-bit pixels, and Windows calls that mode 32 bits per pixel.
    {"display", nullptr,
     [](const std::string&) {
       std::string screen = Env("BSI_BED_SCREEN");  // "WxHxD" of the bed's own Xvfb; unset on a real display
       if (screen.size() > 3 && screen.ends_with("x24")) screen.replace(screen.size() - 2, 2, "32");
       const bsq::DisplayFacts d = bsq::ReadDisplay();
       const std::string got =
           std::to_string(d.width) + "x" + std::to_string(d.height) + "x" + std::to_string(d.bits_per_pixel);
       return Compared{got == screen, screen, got};
     }},
};

void test_against_linux() {
  for (const auto& c : kLinuxCases) {
    const Compared result = c.compare(c.source ? ReadFileText(c.source) : std::string());
    if (result.expected.empty()) {
      skip("%s: Linux has nothing to compare with\n", c.probe);
    } else {
      ok(result.same, "%s: expected Linux's %s, got %s\n", c.probe, result.expected.c_str(), result.got.c_str());
    }
  }
}

// What Linux cannot tell: the probes' results are consistent with Windows' own view.
void test_own_view() {
  const bsq::MemoryFigures m = bsq::ReadMemory();
  ok(m.physical_free <= m.physical_total && m.page_file_free <= m.page_file_total && m.virtual_free <= m.virtual_total,
     "expected free at most total, got %llu/%llu %llu/%llu %llu/%llu\n",
     static_cast<unsigned long long>(m.physical_free), static_cast<unsigned long long>(m.physical_total),
     static_cast<unsigned long long>(m.page_file_free), static_cast<unsigned long long>(m.page_file_total),
     static_cast<unsigned long long>(m.virtual_free), static_cast<unsigned long long>(m.virtual_total));
  const std::wstring user = bsq::UserName();
  const std::string env_user = Env("USERNAME");
  ok(!user.empty() && (env_user.empty() || Lower(user) == Lower(Widen(env_user))),
     "expected the user of USERNAME \"%s\", got \"%s\"\n", env_user.c_str(), Narrow(user).c_str());
  if (UnderWine()) ok(bsq::IsAdministrator(), "expected Wine's token to be an administrator's, got another\n");
  const std::wstring cpu = bsq::ProcessorDescription();
  ok(!cpu.empty() && cpu.front() != L' ' && cpu.back() != L' ' && cpu.find(L"  ") == std::wstring::npos,
     "expected a trimmed processor name, got \"%s\"\n", Narrow(cpu).c_str());
  const std::wstring windows = bsq::WindowsFolder();
  const std::wstring system = bsq::SystemFolder();
  const std::string root = Env("SystemRoot");
  ok(!root.empty() && Lower(windows) == Lower(Widen(root)) && Lower(system).rfind(Lower(windows) + L"\\", 0) == 0,
     "expected the Windows folder %s and the system folder inside, got \"%s\", \"%s\"\n", root.c_str(),
     Narrow(windows).c_str(), Narrow(system).c_str());
  const bsq::BrowserFacts browser = bsq::ReadDefaultBrowser();
  if (UnderWine()) {
    ok(!browser.name.empty() && GetFileAttributesW(browser.executable.c_str()) != INVALID_FILE_ATTRIBUTES,
       "expected a named browser that exists, got \"%s\" [%s]\n", Narrow(browser.name).c_str(),
       Narrow(browser.executable).c_str());
  }
}

void test_printers() {
  // A default printer that no longer exists keeps its name and has no driver or port.
  const wchar_t* key = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
  const bsq::RegistryValue saved = bsq::ReadRegistryValue(HKEY_CURRENT_USER, key, L"Device");
  auto set_device = [key](const std::wstring& device) {
    RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Device", REG_SZ, device.c_str(),
                    static_cast<DWORD>((device.size() + 1) * sizeof(wchar_t)));
  };
  set_device(L"Gone Printer,winspool,LPT1:");
  const bsq::PrinterFacts printer = bsq::ReadDefaultPrinter();
  ok(printer.name == L"Gone Printer" && printer.detail1.empty() && printer.detail2.empty(),
     "expected \"Gone Printer\" without details, got \"%s\" [%s - %s]\n", Narrow(printer.name).c_str(),
     Narrow(printer.detail1).c_str(), Narrow(printer.detail2).c_str());
  if (saved.exists) set_device(saved.text);
  if (!saved.exists) RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Device");
}

void test_sound() {
  // The endpoint store and winmm must agree; asking winmm also creates the store in a fresh Wine prefix.
  const bool installed = bsq::SoundInstalled();
  const UINT devices = waveOutGetNumDevs();
  ok(installed == (devices > 0), "expected sound installed %d (%u wave-out devices), got %d\n", devices > 0, devices,
     installed);
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
    ok(got == (c.expected || devices > 0), "DeviceState %#lx: expected installed %d, got %d\n", c.state,
       c.expected || devices > 0, got);
  }
  RegDeleteTreeW(render, endpoint);
  RegDeleteKeyW(render, endpoint);
  RegCloseKey(render);
}

}  // namespace

int main() {
  test_decoders_and_texts();
  test_against_linux();
  test_own_view();
  test_printers();
  test_sound();
  return wine_test::Summary("probes");
}
