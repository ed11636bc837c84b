// SPDX-License-Identifier: MIT
// The default printer with its driver and port. No default printer is an absent fact, not a failure; a default
// printer that cannot be opened (a vanished network printer) still shows its name.
#include <windows.h>

#include <winspool.h>

#include <cstdint>
#include <string>
#include <vector>

#include "handles.h"
#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

void ClosePrinterHandle(HANDLE printer) noexcept {
  ClosePrinter(printer);
}
using UniquePrinter = UniqueHandle<HANDLE, &ClosePrinterHandle>;

std::wstring DefaultPrinterName() {
  DWORD size = 0;
  if (!GetDefaultPrinterW(nullptr, &size)) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND) return {};  // no default printer
    if (error != ERROR_INSUFFICIENT_BUFFER) detail::ThrowWin32(error, "cannot read the default printer");
  }
  for (int attempt = 0; attempt < 4 && size > 0 && size < 65536; ++attempt) {
    std::wstring buffer(size, L'\0');
    DWORD length = size;
    if (GetDefaultPrinterW(buffer.data(), &length)) return detail::FromBuffer(buffer.data(), buffer.size());
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
  facts.name = DefaultPrinterName();
  if (facts.name.empty()) return facts;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ACCESS_USE};
  UniquePrinter printer;
  if (!OpenPrinterW(facts.name.data(), printer.put(), &access)) return facts;
  DWORD needed = 0;
  GetPrinterW(printer.get(), 2, nullptr, 0, &needed);
  for (int attempt = 0; attempt < 4 && needed > 0 && needed < 1024 * 1024; ++attempt) {
    std::vector<std::uint64_t> buffer((needed + 7) / 8);  // aligned for PRINTER_INFO_2W
    const DWORD size = static_cast<DWORD>(buffer.size() * 8);
    if (GetPrinterW(printer.get(), 2, reinterpret_cast<BYTE*>(buffer.data()), size, &needed)) {
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
