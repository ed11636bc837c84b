// SPDX-License-Identifier: MIT
// Physical and virtual memory, total and free: the rows the timer finds by their "PHYSI" prefix.
#include "info_list/list_run.h"
#include "info_list/row_texts.h"

namespace bsi {

void AppendMemoryRows(ListRun& run) {
  run.AddSpacer();
  run.AddRow(run.String(str::kPhysicalMemory), [&] { return MemoryRowText(run.Get<MemoryInfo>().PhysicalTotal()); });
  run.AddRow(run.String(str::kPhysicalMemoryFree), [&] { return MemoryRowText(run.Get<MemoryInfo>().PhysicalFree()); });
  run.AddRow(run.String(str::kVirtualMemory), [&] { return MemoryRowText(run.Get<MemoryInfo>().VirtualTotal()); });
  run.AddRow(run.String(str::kVirtualMemoryFree), [&] { return MemoryRowText(run.Get<MemoryInfo>().VirtualFree()); });
}

}  // namespace bsi
