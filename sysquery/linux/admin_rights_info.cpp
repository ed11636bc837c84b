// SPDX-License-Identifier: MIT
// AdminRightsInfo: root, or a member of a group that may administer the machine (accounts.h).
#include "sysquery/linux/accounts.h"

namespace bsi::sysquery_linux {
namespace {

class LinuxAdminRightsInfo final : public AdminRightsInfo {
 public:
  explicit LinuxAdminRightsInfo(HostPtr host) : host_(std::move(host)) {}
  bool IsAdmin() override { return IsAdministrator(*host_); }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewAdminRightsInfo(HostPtr host) {
  return std::make_unique<LinuxAdminRightsInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
