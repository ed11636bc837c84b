// SPDX-License-Identifier: MIT
// The facts of the system query library, read with plain Win32 calls. The COM classes of the library are thin
// wrappers over these functions; the functions know nothing of COM.
//
// Rules every probe keeps: nothing a system call returns can crash it (empty, huge, unterminated, non-ASCII
// data); a fact that is simply absent (no printer, no battery, no value) is an empty text or zero, never an
// error; a call that fails so that no sound answer exists throws ProbeError with the failure's HRESULT.
//
// A function that returns a struct answers several operations of one class at once, and some cost milliseconds
// (ReadNetwork, ReadDefaultBrowser, DriveTexts, and SoundInstalled the first time): read each once per object,
// not once per operation.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "resources/strings.h"

namespace bsq {

class ProbeError : public std::runtime_error {
 public:
  ProbeError(HRESULT hr, const char* what) : std::runtime_error(what), hr_(hr) {}
  HRESULT hr() const noexcept { return hr_; }

 private:
  HRESULT hr_;
};

// --- Registry
struct RegistryValue {
  bool exists = false;
  std::wstring text;
};
/// One value as text: REG_SZ and REG_EXPAND_SZ (not expanded) as stored, REG_MULTI_SZ with its strings joined by
/// NUL, REG_DWORD and REG_QWORD in decimal, other types empty text (exists stays true). A missing key or value
/// gives exists = false and empty text. Data without a terminating NUL and very long data are read safely.
RegistryValue ReadRegistryValue(HKEY root, const std::wstring& key_path, const std::wstring& value_name);

// --- Operating system and hardware
struct OsVersion {
  std::wstring name;  // e.g. "Microsoft Windows 10 Pro" (the registry's product name, or a composed one)
  DWORD major = 0;
  DWORD minor = 0;
  DWORD build = 0;
};
OsVersion ReadOsVersion();
std::wstring ProcessorDescription();  // the processor name string, trimmed

struct MemoryFigures {
  std::uint64_t physical_total = 0;
  std::uint64_t physical_free = 0;
  std::uint64_t page_file_total = 0;  // the page file alone: commit limit minus physical memory, never below 0
  std::uint64_t page_file_free = 0;
  std::uint64_t virtual_total = 0;  // the process's user address space
  std::uint64_t virtual_free = 0;
};
MemoryFigures ReadMemory();

std::wstring ComputerName();
std::wstring UserName();
bool IsAdministrator();  // membership of the Administrators group in the process token

// --- Network
struct NetworkFacts {
  std::wstring local_ip;
  std::wstring local_mask;
  std::wstring network_ip;
  std::wstring network_mask;
  std::wstring mac;
  bool dial_up_active = false;
};
NetworkFacts ReadNetwork();

// --- Environment
struct BrowserFacts {
  std::wstring name;        // the http handler's friendly name
  std::wstring detail;      // what the row shows in brackets
  std::wstring executable;  // the handler's executable
};
BrowserFacts ReadDefaultBrowser();
std::wstring WindowsFolder();
std::wstring SystemFolder();

struct DisplayFacts {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
};
DisplayFacts ReadDisplay();

struct PrinterFacts {
  std::wstring name;
  std::wstring detail1;  // the driver
  std::wstring detail2;  // the port
};
PrinterFacts ReadDefaultPrinter();  // all empty when there is no default printer
bool SoundInstalled();              // at least one wave-out device

// --- Time and drives; texts in the given language (words.def)
std::uint64_t RunningMilliseconds();
std::wstring RunningTimeText(std::uint64_t milliseconds, bsi::UiLanguage language);

struct TimeZoneFacts {
  LONG bias = 0;
  std::wstring standard_name;
  LONG standard_bias = 0;
  std::wstring daylight_name;
  LONG daylight_bias = 0;
  bool daylight_active = false;
  std::wstring name;  // what the list shows
};
TimeZoneFacts ReadTimeZone();

/// One text per available drive, in drive-letter order, each beginning with its root ("C:\").
std::vector<std::wstring> DriveTexts(bsi::UiLanguage language);

// --- Gauges
/// Switches the bar's visual theme off and draws it in the two colours (0x00BBGGRR).
void SetProgressBarColors(HWND bar, COLORREF bar_color, COLORREF back_color);

// --- Decoders and text forms the probes above are built from, open to tests
/// Raw registry data of the given type as ReadRegistryValue returns it (exists is true).
RegistryValue DecodeRegistryData(DWORD type, const BYTE* data, std::size_t size);
/// "255.255.255.0" for 24; empty for a length beyond 32.
std::wstring Ipv4MaskText(ULONG prefix_length);
/// "00-1A-2B-3C-4D-5E": upper-case hex pairs joined by '-'; empty for no bytes.
std::wstring MacAddressText(const BYTE* bytes, std::size_t length);

/// One network adapter as ReadNetwork sees it; IPv4 addresses in host byte order (192.168.1.2 is 0xC0A80102).
struct AdapterFacts {
  DWORD index = 0;
  DWORD type = 0;  // IF_TYPE_*: 6 Ethernet, 23 PPP, 24 loopback
  bool up = false;
  std::vector<std::pair<std::uint32_t, ULONG>> addresses;  // address and on-link prefix length
  std::vector<BYTE> mac;
};
/// Which address counts as local and which as network, the MAC shown and the dial-up state (see network_choice.cpp).
NetworkFacts ChooseNetworkFacts(const std::vector<AdapterFacts>& adapters, DWORD default_route_index);

struct DriveFacts {
  std::wstring root;  // "C:\"
  UINT type = DRIVE_UNKNOWN;
  std::wstring label;
  bool has_space = false;  // free and total below are known
  std::uint64_t free_bytes = 0;
  std::uint64_t total_bytes = 0;
};
std::wstring DriveText(const DriveFacts& drive, bsi::UiLanguage language);
/// A byte amount with one decimal in the largest fitting binary unit: "12,3 GB" (German), "12.3 GB".
std::wstring ByteAmountText(std::uint64_t bytes, bsi::UiLanguage language);
/// The zone's name in effect and its current offset: "W. Europe Daylight Time (UTC+02:00)".
std::wstring TimeZoneText(const TimeZoneFacts& zone);

}  // namespace bsq
