// SPDX-License-Identifier: MIT
// OSVersionInfo: the distribution's PRETTY_NAME from os-release (etc/, else usr/lib/; "Linux" without either, as
// os-release's own default), and major, minor and build from the kernel release ("6.1.0-28-amd64": 6, 1, 0).
#include <array>
#include <optional>
#include <string>

#include "runtime/error.h"
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::string_view kReleasePath = "proc/sys/kernel/osrelease";

// A shell-style value: "..." with backslash escapes, '...' literally, or a bare word.
std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
    return std::string(value.substr(1, value.size() - 2));
  }
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  std::string out;
  for (std::size_t i = 1; i + 1 < value.size(); ++i) {
    if (value[i] == '\\' && i + 2 < value.size()) ++i;
    out.push_back(value[i]);
  }
  return out;
}

class LinuxOSVersionInfo final : public OSVersionInfo {
 public:
  explicit LinuxOSVersionInfo(HostPtr host) : host_(std::move(host)) {}

  Text Name() override {
    for (const char* path : {"etc/os-release", "usr/lib/os-release"}) {
      const auto content = host_->tree.ReadIfPresent(path, 64 * 1024);
      if (!content) continue;
      const auto pretty = FieldValue(*content, "PRETTY_NAME", '=');
      if (pretty && !Unquote(*pretty).empty()) return FromUtf8(Unquote(*pretty));
    }
    return u"Linux";
  }
  std::int32_t MajorVersion() override { return Release()[0]; }
  std::int32_t MinorVersion() override { return Release()[1]; }
  std::int32_t BuildNumber() override { return Release()[2]; }

 private:
  // The first three dot-separated numbers of the release; missing ones are 0.
  std::array<std::int32_t, 3> Release() {
    if (release_) return *release_;
    const std::string text = host_->tree.Line(kReleasePath);
    std::array<std::int32_t, 3> numbers{};
    std::string_view rest(text);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
      const std::uint64_t number = ToUnsigned(rest, "kernel release number", host_->tree.Path(kReleasePath));
      if (number > INT32_MAX) Raise(err::kOverflow);
      numbers[i] = static_cast<std::int32_t>(number);
      const std::size_t end = rest.find_first_not_of("0123456789");
      if (end == std::string_view::npos || rest[end] != '.' || end + 1 >= rest.size() || rest[end + 1] < '0' ||
          rest[end + 1] > '9') {
        break;
      }
      rest.remove_prefix(end + 1);
    }
    release_ = numbers;
    return numbers;
  }

  HostPtr host_;
  std::optional<std::array<std::int32_t, 3>> release_;
};

}  // namespace

std::unique_ptr<QueryObject> NewOSVersionInfo(HostPtr host) {
  return std::make_unique<LinuxOSVersionInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
