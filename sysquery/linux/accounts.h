// SPDX-License-Identifier: MIT
// The user the process runs as, from etc/passwd below the root, and the administrator groups of etc/group.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {

struct Account {
  std::string name;
  std::uint32_t gid = 0;
  std::string home;
};

/// The passwd entry of the host's uid; nothing when etc/passwd lacks it or cannot be read.
std::optional<Account> FindAccount(const Host& host);
/// The login name: the passwd entry's, else $USER, else $LOGNAME, else the uid in decimal.
std::string LoginName(const Host& host);
/// The home folder: $HOME, else the passwd entry's; empty when neither is known.
std::string HomeFolder(const Host& host);
/// Whether the user is root or a member (by name or by primary group) of sudo, wheel or admin in etc/group.
bool IsAdministrator(const Host& host);

}  // namespace bsi::sysquery_linux
