// SPDX-License-Identifier: MIT
// TimeZoneInfo: the zone's name and the offsets the C library applies now.
//   name      the zone of $TZ, else of the etc/localtime link (".../zoneinfo/Europe/Berlin" is "Europe/Berlin"),
//             else etc/timezone; with the offset in effect: "Europe/Berlin (UTC+02:00)". Without a zone name the
//             abbreviation in effect stands in front ("CEST (UTC+02:00)"), without that the offset alone.
//   biases    minutes west of UTC as Windows counts them: Bias for standard time, StandardBias 0, DaylightBias the
//             daylight shift (-60 for one hour ahead), from localtime_r now and half a year away (either may be
//             the daylight half: southern zones).
//   names     the abbreviations of standard and daylight time ("CET", "CEST"); no daylight name without DST.
#include <ctime>
#include <optional>

#include "runtime/error.h"
#include "sysquery/linux/host.h"
#include "sysquery/linux/text_forms.h"

namespace bsi::sysquery_linux {
namespace {

struct Facts {
  std::int32_t bias = 0;
  Text standard_name;
  std::int32_t daylight_bias = 0;
  Text daylight_name;
  bool daylight_active = false;
  Text name;
};

// The zone key in a zoneinfo path: "/usr/share/zoneinfo/posix/Europe/Berlin" is "Europe/Berlin".
std::string ZoneOfPath(std::string_view path) {
  const std::size_t at = path.rfind("zoneinfo/");
  if (at == std::string_view::npos) return {};
  std::string_view zone = path.substr(at + 9);
  for (const std::string_view variant : {"posix/", "right/"}) {
    if (zone.rfind(variant, 0) == 0) zone.remove_prefix(variant.size());
  }
  return std::string(zone);
}

class LinuxTimeZoneInfo final : public TimeZoneInfo {
 public:
  explicit LinuxTimeZoneInfo(HostPtr host) : host_(std::move(host)) {}

  std::int32_t Bias() override { return Read().bias; }
  Text StandardName() override { return Read().standard_name; }
  std::int32_t StandardBias() override { return 0; }
  Text DaylightName() override { return Read().daylight_name; }
  std::int32_t DaylightBias() override { return Read().daylight_bias; }
  bool DaylightActive() override { return Read().daylight_active; }
  Text Name() override { return Read().name; }

 private:
  const Facts& Read() {
    if (!facts_) facts_ = Find();
    return *facts_;
  }

  std::string ZoneName() const {
    std::string tz = host_->env("TZ");
    if (!tz.empty() && tz.front() == ':') tz.erase(0, 1);
    if (!tz.empty() && tz.find("zoneinfo/") != std::string::npos) return ZoneOfPath(tz);
    if (!tz.empty() && tz.front() != '/') return tz;
    if (const auto link = host_->tree.ReadLink("etc/localtime")) {
      if (std::string zone = ZoneOfPath(*link); !zone.empty()) return zone;
    }
    return host_->tree.FirstLine("etc/timezone").value_or("");
  }

  Facts Find() const {
    ::tzset();
    const std::time_t now = std::time(nullptr);
    const std::time_t later = now + 183 * 86400;
    std::tm current{};
    std::tm other{};
    if (::localtime_r(&now, &current) == nullptr) Raise(err::kInvalidProcedureCall);
    if (::localtime_r(&later, &other) == nullptr) other = current;
    const std::tm& standard = current.tm_isdst > 0 && other.tm_isdst <= 0 ? other : current;
    const std::tm* daylight = current.tm_isdst > 0 ? &current : other.tm_isdst > 0 ? &other : nullptr;
    Facts facts;
    facts.bias = static_cast<std::int32_t>(-standard.tm_gmtoff / 60);
    facts.standard_name = FromUtf8(standard.tm_zone == nullptr ? "" : standard.tm_zone);
    if (daylight != nullptr) {
      facts.daylight_bias = static_cast<std::int32_t>(-(daylight->tm_gmtoff - standard.tm_gmtoff) / 60);
      facts.daylight_name = FromUtf8(daylight->tm_zone == nullptr ? "" : daylight->tm_zone);
    }
    facts.daylight_active = current.tm_isdst > 0;
    const Text offset = UtcOffsetText(current.tm_gmtoff);
    Text zone = FromUtf8(ZoneName());
    if (zone.empty()) zone = FromUtf8(current.tm_zone == nullptr ? "" : current.tm_zone);
    facts.name = zone.empty() ? offset : zone + u" (" + offset + u")";
    return facts;
  }

  HostPtr host_;
  std::optional<Facts> facts_;
};

}  // namespace

std::unique_ptr<QueryObject> NewTimeZoneInfo(HostPtr host) {
  return std::make_unique<LinuxTimeZoneInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
