// SPDX-License-Identifier: MIT
#include "info_list/load_sys_info.h"

#include "info_list/error_report.h"
#include "info_list/list_run.h"
#include "info_list/list_view_helpers.h"

namespace bsi {
namespace {

void EmptyList(ListView& list) {
  const std::int32_t count = list.ItemCount();
  for (std::int32_t i = 0; i < count; ++i) list.RemoveItem(1);
  list.ClearItems();
}

}  // namespace

void LoadSysInfo(const InfoListContext& context) {
  ListRun run(context);
  try {
    LockWindow(context.window_system, context.lvwSysInfo.hWnd());
    EmptyList(context.lvwSysInfo);
    context.lvwSysInfo.SetView(ListView::kReportView);
    context.lvwSysInfo.ClearColumns();
    context.lvwSysInfo.AddColumn(u"Name");
    context.lvwSysInfo.AddColumn(u"Info");

    AppendSystemRows(run);
    AppendBatteryRows(run);
    AppendMemoryRows(run);
    AppendUserRows(run);
    AppendNetworkRows(run);
    AppendEnvironmentRows(run);
    AppendTimeAndDriveRows(run);

    AdjustColumnWidth(context.lvwSysInfo, context.window_system, -1, 1);
    UnlockWindow(context.window_system);
  } catch (...) {
    ShowErrorMessage(context.message_box, context.strings, CurrentError());
    try {
      UnlockWindow(context.window_system);
    } catch (...) {
      // The lock call's result is ignored everywhere; a failing one changes nothing here either.
    }
  }
  run.ReleaseAll();
}

}  // namespace bsi
