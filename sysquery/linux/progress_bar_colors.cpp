// SPDX-License-Identifier: MIT
// ProgressBarColors: without a widget library there are no bars to colour; a front end that draws bars (the Qt
// one) colours its own, so SetColors accepts any handle and does nothing.
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

class LinuxProgressBarColors final : public ProgressBarColors {
 public:
  void SetColors(WindowHandle, std::int32_t, std::int32_t) override {}
};

}  // namespace

std::unique_ptr<QueryObject> NewProgressBarColors(HostPtr) {
  return std::make_unique<LinuxProgressBarColors>();
}

}  // namespace bsi::sysquery_linux
