// SPDX-License-Identifier: MIT
// ComputerInfo: the kernel's host name (proc/sys/kernel/hostname), as `hostname` prints it.
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

class LinuxComputerInfo final : public ComputerInfo {
 public:
  explicit LinuxComputerInfo(HostPtr host) : host_(std::move(host)) {}
  Variant ComputerName() override { return Variant::String(FromUtf8(host_->tree.Line("proc/sys/kernel/hostname"))); }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewComputerInfo(HostPtr host) {
  return std::make_unique<LinuxComputerInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
