// SPDX-License-Identifier: MIT
// UserInfo: the login name of the process's user (accounts.h says where it comes from).
#include "sysquery/linux/accounts.h"

namespace bsi::sysquery_linux {
namespace {

class LinuxUserInfo final : public UserInfo {
 public:
  explicit LinuxUserInfo(HostPtr host) : host_(std::move(host)) {}
  Text UserName() override { return FromUtf8(LoginName(*host_)); }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewUserInfo(HostPtr host) {
  return std::make_unique<LinuxUserInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
