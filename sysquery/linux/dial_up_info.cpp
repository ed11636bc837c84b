// SPDX-License-Identifier: MIT
// DialUpInfo: active while a point-to-point interface is up: one below sys/class/net whose type is PPP (512) or
// whose name starts with "ppp", with IFF_UP in its flags.
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::uint64_t kArphrdPpp = 512;
constexpr std::uint64_t kIffUp = 0x1;

// Sysfs writes the flags in hex: "0x1091".
std::optional<std::uint64_t> HexFlags(std::string_view text) {
  if (text.size() < 3 || text.size() > 18 || text.substr(0, 2) != "0x") return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text.substr(2)) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint64_t>(digit);
  }
  return value;
}

class LinuxDialUpInfo final : public DialUpInfo {
 public:
  explicit LinuxDialUpInfo(HostPtr host) : host_(std::move(host)) {}

  bool Active() override {
    for (const std::string& name : host_->tree.List("sys/class/net")) {
      const std::string folder = "sys/class/net/" + name + "/";
      const auto type = ParseWhole(host_->tree.FirstLine(folder + "type").value_or(""));
      if (name.rfind("ppp", 0) != 0 && type != kArphrdPpp) continue;
      const auto flags = HexFlags(host_->tree.FirstLine(folder + "flags").value_or(""));
      if (flags && (*flags & kIffUp) != 0) return true;
    }
    return false;
  }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewDialUpInfo(HostPtr host) {
  return std::make_unique<LinuxDialUpInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
