// SPDX-License-Identifier: MIT
// Fuzzes Format(value, "###,###,###,###,###,###") and Format(value, "##"): non-finite values raise 6 and
// nothing else raises; "##" gives the exact digits of the value rounded half away from zero, the grouped text the
// same digits in groups of three, and it reads back to that number.
#include <charconv>
#include <cmath>
#include <cstring>

#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi::fuzz {
namespace {

// "##" of the same value with the separator before every third digit from the end.
Text WithGroups(const Text& whole, char16_t separator) {
  const std::size_t start = !whole.empty() && whole[0] == u'-' ? 1 : 0;
  Text out = whole.substr(0, start);
  for (std::size_t i = start; i < whole.size(); ++i) {
    if (i > start && (whole.size() - i) % 3 == 0) out.push_back(separator);
    out.push_back(whole[i]);
  }
  return out;
}

void CheckOne(double value, const Locale& locale) {
  const Text shown = FromAscii(std::to_string(value));
  Text grouped, whole;
  try {
    grouped = FormatGrouped(value, locale);
    whole = FormatWhole(value);
  } catch (const RuntimeError& error) {
    Check(!std::isfinite(value) && error.number() == 6, "only a non-finite value raises, and 6", shown);
    return;
  }
  Check(std::isfinite(value), "a non-finite value raises 6", shown);
  const double whole_part = std::trunc(value);  // half away from zero, exactly: the fraction of a double is exact
  const double rounded = whole_part + (value - whole_part >= 0.5 ? 1 : value - whole_part <= -0.5 ? -1 : 0);
  if (rounded == 0) {
    Check(grouped.empty() && whole.empty(), "zero gives an empty text", shown, ToUtf8(grouped));
    return;
  }
  char exact[400];  // the rounded whole number's exact digits
  *std::to_chars(exact, exact + sizeof exact - 1, rounded, std::chars_format::fixed, 0).ptr = '\0';
  Check(ToUtf8(whole) == exact, "the exact whole number", shown, ToUtf8(whole));
  Check(grouped == WithGroups(whole, locale.thousands_separator), "groups of three", shown, ToUtf8(grouped));
  try {
    Check(ParseNumber(grouped, locale) == rounded, "reads back to the rounded number", shown, ToUtf8(grouped));
  } catch (const RuntimeError&) {
    Fail("the formatted text does not read back", shown, ToUtf8(grouped));
  }
}

}  // namespace
}  // namespace bsi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 + sizeof(double)) return 0;
  const std::uint8_t mode = data[0];
  double value = 0;
  std::int64_t n = 0;
  std::memcpy(&n, data + 1, sizeof n);
  if ((mode & 6) == 0) {
    std::memcpy(&value, data + 1, sizeof value);  // any bit pattern
  } else if ((mode & 6) == 2) {
    value = static_cast<double>(n >> 12) / 2.0;  // halves of large integers, and their neighbours
    if ((mode & 8) != 0) value = std::nextafter(value, (mode & 16) != 0 ? 1e300 : -1e300);
  } else {
    value = static_cast<double>(static_cast<std::int32_t>(n)) / static_cast<double>(1 + (data[5] % 16));
  }
  bsi::fuzz::CheckOne(value, (mode & 1) != 0 ? bsi::Locale::German() : bsi::Locale::English());
  return 0;
}
