// SPDX-License-Identifier: MIT
// Placeholder until the readers land: every class fails to be created, as a missing library does.
#include "sysquery/linux/linux_query_library.h"

#include "runtime/error.h"

namespace bsi::sysquery_linux {
namespace {

class NoLibrary final : public QueryLibrary {
 public:
  std::unique_ptr<QueryObject> Create(QueryClass) override { Raise(err::kCannotCreateObject); }
};

class UnknownBattery final : public Battery {
 public:
  std::int16_t BatteryStatus() override { return kUnknown; }
  std::int16_t BatteryLifePercent() override { return 255; }
};

class NoFonts final : public Screen {
 public:
  std::int16_t FontCount() override { return 0; }
};

}  // namespace

std::unique_ptr<QueryLibrary> CreateQueryLibrary(const std::filesystem::path&) {
  return std::make_unique<NoLibrary>();
}
std::unique_ptr<Battery> CreateBattery(const std::filesystem::path&) {
  return std::make_unique<UnknownBattery>();
}
std::unique_ptr<Screen> CreateScreen() {
  return std::make_unique<NoFonts>();
}

}  // namespace bsi::sysquery_linux
