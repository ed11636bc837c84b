// SPDX-License-Identifier: MIT
// The default printer with its driver and port. Windows keeps the default printer in the user's "Device" value
// ("name,winspool,port"), which GetDefaultPrinterW reads too; when it is empty there is no default printer and
// winspool.drv, whose start-up under Wine asks CUPS for every printer, is never loaded. No default printer is an
// absent fact; a default printer that cannot be opened (a vanished network printer) still shows its name.
#include <windows.h>

#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

#include "probe_util.h"
#include "probes.h"
#include "unique_handle.h"

namespace bsq {
namespace {

struct Spooler {
  decltype(&GetDefaultPrinterW) get_default = nullptr;
  decltype(&OpenPrinterW) open = nullptr;
  decltype(&GetPrinterW) get = nullptr;
  decltype(&ClosePrinter) close = nullptr;
};

const Spooler& TheSpooler() {
  static const Spooler spooler = [] {
    const HMODULE module = detail::LoadSystemLibrary(L"winspool.drv");
    Spooler s;
    s.get_default = detail::ProcAddress<decltype(s.get_default)>(module, "GetDefaultPrinterW");
    s.open = detail::ProcAddress<decltype(s.open)>(module, "OpenPrinterW");
    s.get = detail::ProcAddress<decltype(s.get)>(module, "GetPrinterW");
    s.close = detail::ProcAddress<decltype(s.close)>(module, "ClosePrinter");
    if (!s.get_default || !s.open || !s.get || !s.close) s = Spooler{};
    return s;
  }();
  return spooler;
}

void ClosePrinterHandle(HANDLE printer) noexcept {
  TheSpooler().close(printer);
}
using UniquePrinter = bsi::win32::UniqueHandle<HANDLE, &ClosePrinterHandle>;

std::wstring DefaultPrinterName(const Spooler& spooler) {
  DWORD size = 0;
  if (!spooler.get_default(nullptr, &size)) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {};  // no default printer
    if (error != ERROR_INSUFFICIENT_BUFFER) detail::ThrowWin32(error, "cannot read the default printer");
  }
  for (int attempt = 0; attempt < 4 && size > 0 && size < 65536; ++attempt) {
    std::wstring buffer(size, L'\0');
    DWORD length = size;
    if (spooler.get_default(buffer.data(), &length)) return detail::FromBuffer(buffer.data(), buffer.size());
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {};
    if (error != ERROR_INSUFFICIENT_BUFFER) detail::ThrowWin32(error, "cannot read the default printer");
    size = length > size ? length : size * 2;
  }
  return {};
}

}  // namespace

PrinterFacts ReadDefaultPrinter() {
  PrinterFacts facts;
  const std::wstring device =
      ReadRegistryValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"Device").text;
  if (device.empty()) return facts;
  const Spooler& spooler = TheSpooler();
  if (spooler.get_default == nullptr) detail::ThrowWin32(ERROR_DLL_NOT_FOUND, "the print spooler is not available");
  facts.name = DefaultPrinterName(spooler);
  if (facts.name.empty()) return facts;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ACCESS_USE};
  UniquePrinter printer;
  if (!spooler.open(facts.name.data(), printer.put(), &access)) return facts;
  DWORD needed = 0;
  spooler.get(printer.get(), 2, nullptr, 0, &needed);
  for (int attempt = 0; attempt < 4 && needed > 0 && needed < 1024 * 1024; ++attempt) {
    std::vector<std::uint64_t> buffer((needed + 7) / 8);  // aligned for PRINTER_INFO_2W
    const DWORD size = static_cast<DWORD>(buffer.size() * 8);
    if (spooler.get(printer.get(), 2, reinterpret_cast<BYTE*>(buffer.data()), size, &needed)) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
      facts.detail1 = detail::FromPointer(info->pDriverName);
      facts.detail2 = detail::FromPointer(info->pPortName);
      break;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
  }
  return facts;
}

}  // namespace bsq
