// SPDX-License-Identifier: MIT
// Battery charge and state, from the window's battery facts; only on machines with a system battery.
#include "info_list/list_run.h"
#include "info_list/row_texts.h"

namespace bsi {

void AppendBatteryRows(ListRun& run) {
  Battery& battery = run.context().sys_info;
  const std::int16_t status = battery.BatteryStatus();
  if (status == Battery::kNoBattery) return;
  run.AddSpacer();
  if (battery.BatteryLifePercent() == Battery::kUnknown) {
    run.AddRow(run.String(str::kBatteryCharge), [&] { return run.String(str::kNotKnown); });
    run.AddRow(run.String(str::kBatteryState), [&] { return run.String(str::kNotKnown); });
    return;
  }
  run.AddRow(run.String(str::kBatteryCharge), [&] { return Decimal(battery.BatteryLifePercent()) + u" %"; });
  const Text state = run.String(BatteryStateStringId(status));
  run.AddRow(run.String(str::kBatteryState));
  run.SetLastValue(state);
}

}  // namespace bsi
