// SPDX-License-Identifier: MIT
#include "sysquery/linux/accounts.h"

#include <algorithm>
#include <array>
#include <vector>

namespace bsi::sysquery_linux {
namespace {

// The colon-separated fields of one passwd or group line.
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t colon = line.find(':');
    fields.push_back(line.substr(0, colon));
    if (colon == std::string_view::npos) return fields;
    line.remove_prefix(colon + 1);
  }
}

bool ListHas(std::string_view list, std::string_view name) {
  for (;;) {
    const std::size_t comma = list.find(',');
    if (Trim(list.substr(0, comma)) == name) return true;
    if (comma == std::string_view::npos) return false;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

std::optional<Account> FindAccount(const Host& host) {
  const auto passwd = host.tree.ReadIfPresent("etc/passwd");
  if (!passwd) return std::nullopt;
  for (const std::string_view line : Lines(*passwd)) {
    // name:password:uid:gid:gecos:home:shell
    const auto fields = Fields(line);
    if (fields.size() < 7 || fields[0].empty()) continue;
    const auto uid = ParseWhole(fields[2]);
    if (!uid || *uid != host.uid) continue;
    const auto gid = ParseWhole(fields[3]);
    return Account{std::string(fields[0]), gid && *gid <= UINT32_MAX ? static_cast<std::uint32_t>(*gid) : UINT32_MAX,
                   std::string(fields[5])};
  }
  return std::nullopt;
}

std::string LoginName(const Host& host) {
  if (auto account = FindAccount(host)) return std::move(account->name);
  for (const char* name : {"USER", "LOGNAME"}) {
    if (std::string value = host.env(name); !value.empty()) return value;
  }
  return std::to_string(host.uid);
}

std::string HomeFolder(const Host& host) {
  if (std::string home = host.env("HOME"); !home.empty()) return home;
  if (auto account = FindAccount(host)) return std::move(account->home);
  return {};
}

bool IsAdministrator(const Host& host) {
  if (host.uid == 0) return true;
  const auto account = FindAccount(host);
  const std::string name = account ? account->name : LoginName(host);
  const auto groups = host.tree.ReadIfPresent("etc/group");
  if (!groups) return false;
  static constexpr std::array<std::string_view, 3> kAdminGroups = {"sudo", "wheel", "admin"};
  for (const std::string_view line : Lines(*groups)) {
    // name:password:gid:members
    const auto fields = Fields(line);
    if (fields.size() < 4) continue;
    if (std::find(kAdminGroups.begin(), kAdminGroups.end(), fields[0]) == kAdminGroups.end()) continue;
    const auto gid = ParseWhole(fields[2]);
    if (ListHas(fields[3], name) || (account && gid && *gid == account->gid)) return true;
  }
  return false;
}

}  // namespace bsi::sysquery_linux
