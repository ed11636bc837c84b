// SPDX-License-Identifier: MIT
// The configured time zone from GetDynamicTimeZoneInformation. The list shows the name in effect now (the
// daylight name while daylight saving time applies) with the current offset from UTC.
#include <cstdio>
#include <string>

#include "probe_util.h"
#include "probes.h"

namespace bsq {

std::wstring TimeZoneText(const TimeZoneFacts& zone) {
  // UTC = local time + bias, so the offset of local time is the negated bias in effect. 64 bits: the sum of two
  // absurd 32-bit biases must not overflow.
  const long long offset =
      -(static_cast<long long>(zone.bias) + (zone.daylight_active ? zone.daylight_bias : zone.standard_bias));
  const unsigned long long magnitude = static_cast<unsigned long long>(offset < 0 ? -offset : offset);
  wchar_t utc[48];
  if (offset == 0) {
    std::swprintf(utc, 48, L"UTC");
  } else {
    std::swprintf(utc, 48, L"UTC%lc%02llu:%02llu", offset < 0 ? L'-' : L'+', magnitude / 60, magnitude % 60);
  }
  const std::wstring& name = zone.daylight_active ? zone.daylight_name : zone.standard_name;
  if (name.empty()) return utc;
  return name + L" (" + utc + L")";
}

TimeZoneFacts ReadTimeZone() {
  // The zone names come from the system in its own language; the offset is language-neutral.
  DYNAMIC_TIME_ZONE_INFORMATION info{};
  const DWORD state = GetDynamicTimeZoneInformation(&info);
  if (state == TIME_ZONE_ID_INVALID) detail::ThrowLastError("cannot read the time zone");
  TimeZoneFacts zone;
  zone.bias = info.Bias;
  zone.standard_name = detail::FromBuffer(info.StandardName, std::size(info.StandardName));
  zone.standard_bias = info.StandardBias;
  zone.daylight_name = detail::FromBuffer(info.DaylightName, std::size(info.DaylightName));
  zone.daylight_bias = info.DaylightBias;
  zone.daylight_active = state == TIME_ZONE_ID_DAYLIGHT;
  zone.name = TimeZoneText(zone);
  if (zone.standard_name.empty() && zone.daylight_name.empty()) {
    // Without display names the zone's key name ("W. Europe Standard Time") is the best the system knows.
    const std::wstring key = detail::FromBuffer(info.TimeZoneKeyName, std::size(info.TimeZoneKeyName));
    if (!key.empty()) zone.name = key + L" (" + zone.name + L")";
  }
  return zone;
}

}  // namespace bsq
