// SPDX-License-Identifier: MIT
// Physical memory, page file and address space from GlobalMemoryStatusEx. Its "page file" figures are the commit
// limit (physical memory plus page files); the page file alone is the difference.
#include <algorithm>

#include "probe_util.h"
#include "probes.h"

namespace bsq {

MemoryFigures ReadMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) detail::ThrowLastError("cannot read the memory status");
  MemoryFigures figures;
  figures.physical_total = status.ullTotalPhys;
  figures.physical_free = std::min(status.ullAvailPhys, status.ullTotalPhys);
  figures.page_file_total =
      status.ullTotalPageFile > status.ullTotalPhys ? status.ullTotalPageFile - status.ullTotalPhys : 0;
  const std::uint64_t page_free =
      status.ullAvailPageFile > status.ullAvailPhys ? status.ullAvailPageFile - status.ullAvailPhys : 0;
  // Free never exceeds total, so "used" (total minus free) is never negative.
  figures.page_file_free = std::min(page_free, figures.page_file_total);
  figures.virtual_total = status.ullTotalVirtual;
  figures.virtual_free = std::min(status.ullAvailVirtual, status.ullTotalVirtual);
  return figures;
}

}  // namespace bsq
