// SPDX-License-Identifier: MIT
// Running time, time zone and one row per available drive.
#include <memory>

#include "info_list/list_run.h"

namespace bsi {
namespace {

class EmptyCollection final : public Collection {
 public:
  std::int32_t Count() override { return 0; }
  Variant Item(std::int32_t) override { Raise(err::kSubscriptOutOfRange); }
};

}  // namespace

void AppendTimeAndDriveRows(ListRun& run) {
  run.AddRow(run.String(str::kRunningTime), [&] { return run.Get<UptimeInfo>().RunningTime(); });
  run.AddSpacer();
  run.AddRow(run.String(str::kTimeZone), [&] { return run.Get<TimeZoneInfo>().Name(); });
  run.AddSpacer();
  run.AddRow(run.String(str::kAvailableDrives));

  // No object stands for an empty collection; an object that is no collection is a type mismatch.
  std::shared_ptr<Object> drives_object = run.Get<DriveInfo>().Drives();
  std::shared_ptr<Collection> drives;
  if (drives_object == nullptr) {
    drives = std::make_shared<EmptyCollection>();
  } else {
    drives = std::dynamic_pointer_cast<Collection>(drives_object);
    if (drives == nullptr) Raise(err::kTypeMismatch);
  }
  const std::int32_t count = drives->Count();
  for (std::int32_t i = 1; i <= count; ++i) run.AddRow(run.TextOf(drives->Item(i)));
}

}  // namespace bsi
