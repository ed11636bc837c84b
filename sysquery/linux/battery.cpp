// SPDX-License-Identifier: MIT
// The battery facts from sys/class/power_supply: the supplies of type "Battery" that power the system (scope not
// "Device": a wireless mouse's battery does not count), in the codes of the Windows power status.
//   percent  the mean "capacity" of the batteries (0..100), else energy_now/energy_full or charge_now/charge_full;
//            255 when none is known
//   status   8 (charging) with the level while any battery's status is "Charging"; otherwise the level, with
//            the Windows thresholds: 1 high above 66 %, 2 low below 33 %, 4 critical below 5 %, 0 between; a
//            "Full" battery is high. Without a percent, capacity_level (Critical, Low, Normal, High, Full) gives
//            the level, and 255 when it is missing too. 128 without a system battery.
#include <optional>
#include <string>

#include "sysquery/linux/host.h"
#include "sysquery/linux/linux_query_library.h"

namespace bsi::sysquery_linux {
namespace {

struct Reading {
  bool present = false;
  bool charging = false;
  bool full = false;
  std::optional<std::uint64_t> percent;
  std::string level;  // capacity_level of the first battery
};

Reading Read(const SystemTree& tree) {
  Reading reading;
  std::uint64_t sum = 0;
  std::uint64_t count = 0;
  for (const std::string& name : tree.List("sys/class/power_supply")) {
    const std::string folder = "sys/class/power_supply/" + name + "/";
    if (tree.FirstLine(folder + "type") != "Battery" || tree.FirstLine(folder + "scope") == "Device") continue;
    if (tree.FirstLine(folder + "present") == "0") continue;  // an empty battery bay
    const std::string status = tree.FirstLine(folder + "status").value_or("");
    if (!reading.present) reading.level = tree.FirstLine(folder + "capacity_level").value_or("");
    reading.present = true;
    reading.charging = reading.charging || status == "Charging";
    reading.full = reading.full || status == "Full";
    std::optional<std::uint64_t> percent = ParseWhole(tree.FirstLine(folder + "capacity").value_or(""));
    for (const char* kind : {"energy", "charge"}) {
      if (percent) break;
      const auto now = ParseWhole(tree.FirstLine(folder + kind + "_now").value_or(""));
      const auto full = ParseWhole(tree.FirstLine(folder + kind + "_full").value_or(""));
      if (now && full && *full > 0 && *now <= UINT64_MAX / 100) percent = *now * 100 / *full;
    }
    if (percent) {
      sum += std::min<std::uint64_t>(*percent, 100);
      ++count;
    }
  }
  if (count > 0) reading.percent = (sum + count / 2) / count;
  return reading;
}

class PowerSupplyBattery final : public Battery {
 public:
  explicit PowerSupplyBattery(SystemTree tree) : tree_(std::move(tree)) {}

  std::int16_t BatteryStatus() override {
    const Reading reading = Read(tree_);
    if (!reading.present) return kNoBattery;
    std::int16_t level = kUnknown;
    if (reading.full) {
      level = kHigh;
    } else if (reading.percent) {
      const std::uint64_t percent = *reading.percent;
      level = percent > 66 ? kHigh : percent < 5 ? kCritical : percent < 33 ? kLow : 0;
    } else if (reading.level == "Critical") {
      level = kCritical;
    } else if (reading.level == "Low") {
      level = kLow;
    } else if (reading.level == "Normal") {
      level = 0;
    } else if (reading.level == "High" || reading.level == "Full") {
      level = kHigh;
    }
    if (!reading.charging) return level;
    return static_cast<std::int16_t>(kCharging | (level == kUnknown ? 0 : level));
  }

  std::int16_t BatteryLifePercent() override {
    const Reading reading = Read(tree_);
    return reading.percent ? static_cast<std::int16_t>(*reading.percent) : std::int16_t{255};
  }

 private:
  SystemTree tree_;
};

}  // namespace

std::unique_ptr<Battery> CreateBattery(const std::filesystem::path& root) {
  return std::make_unique<PowerSupplyBattery>(SystemTree(root.string()));
}

}  // namespace bsi::sysquery_linux
