// SPDX-License-Identifier: MIT
// UptimeInfo: the seconds since boot of proc/uptime ("350735.47 234388.90"), in the Windows library's form:
// "03:04:05", "2 days, 03:04:05" / "2 Tage, 03:04:05".
#include "sysquery/linux/host.h"
#include "sysquery/linux/text_forms.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::string_view kUptime = "proc/uptime";

class LinuxUptimeInfo final : public UptimeInfo {
 public:
  explicit LinuxUptimeInfo(HostPtr host) : host_(std::move(host)) {}

  Text RunningTime() override {
    const std::uint64_t seconds = ToUnsigned(host_->tree.Line(kUptime), "running time", host_->tree.Path(kUptime));
    return RunningTimeText(seconds, host_->language);
  }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewUptimeInfo(HostPtr host) {
  return std::make_unique<LinuxUptimeInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
