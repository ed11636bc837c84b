// SPDX-License-Identifier: MIT
// Fuzzes Format(value, "###,###,###,###,###,###") and Format(value, "##"): non-finite values raise 6 and
// nothing else raises; the text holds only digits, a leading '-' and well-placed group separators; it reads
// back to the value rounded half away from zero, exactly.
#include <cmath>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi::fuzz {
namespace {

// Round half away from zero without std::round: the fraction of a double is exact.
double RoundedReference(double value) {
  const double whole = std::trunc(value);
  const double fraction = value - whole;
  if (fraction >= 0.5) return whole + 1;
  if (fraction <= -0.5) return whole - 1;
  return whole;
}

void CheckShape(const Text& out, const char16_t* separator, double rounded, const Text& shown) {
  const std::string got = ToUtf8(out);  // once: the checks below run per character
  std::size_t i = 0;
  if (!out.empty() && out[0] == u'-') ++i;
  Check((i == 1) == (rounded < 0), "a minus sign exactly for negative numbers", shown, got);
  Check(i < out.size(), "digits after the sign", shown, got);
  Check(out[i] != u'0', "no leading zero", shown, got);
  std::size_t digits_in_group = 0;
  bool first_group = true;
  for (; i < out.size(); ++i) {
    if (separator != nullptr && out[i] == *separator) {
      Check(first_group ? digits_in_group >= 1 && digits_in_group <= 3 : digits_in_group == 3, "groups of three", shown,
            got);
      first_group = false;
      digits_in_group = 0;
      continue;
    }
    Check(out[i] >= u'0' && out[i] <= u'9', "only digits, '-' and separators", shown, got);
    ++digits_in_group;
  }
  Check(first_group ? digits_in_group >= 1 : digits_in_group == 3, "a full last group", shown, got);
  if (separator != nullptr) {
    std::size_t digits = 0;
    for (char16_t c : out) digits += c >= u'0' && c <= u'9';
    Check(first_group == (digits <= 3), "grouped as soon as there are four digits", shown, got);
  }
}

void CheckOne(double value, const Locale& locale) {
  const Text shown = FromAscii(std::to_string(value));
  Text grouped;
  Text whole;
  try {
    grouped = FormatGrouped(value, locale);
    whole = FormatWhole(value);
  } catch (const RuntimeError& error) {
    Check(!std::isfinite(value) && error.number() == 6, "only a non-finite value raises, and 6", shown);
    return;
  }
  Check(std::isfinite(value), "a non-finite value raises 6", shown);
  const double rounded = RoundedReference(value);
  if (rounded == 0) {
    Check(grouped.empty() && whole.empty(), "zero gives an empty text", shown, ToUtf8(grouped));
    return;
  }
  CheckShape(grouped, &locale.thousands_separator, rounded, shown);
  CheckShape(whole, nullptr, rounded, shown);
  Text ungrouped;
  for (char16_t c : grouped) {
    if (c != locale.thousands_separator) ungrouped.push_back(c);
  }
  Check(ungrouped == whole, "\"##\" is the grouped text without separators", shown, ToUtf8(grouped));
  try {
    Check(ParseNumber(grouped, locale) == rounded, "reads back to the rounded number", shown, ToUtf8(grouped));
    Check(ParseNumber(whole, locale) == rounded, "reads back to the rounded number", shown, ToUtf8(whole));
  } catch (const RuntimeError& error) {
    Fail("the formatted text does not read back", shown, ToUtf8(grouped) + " raised " + std::to_string(error.number()));
  }
}

}  // namespace
}  // namespace bsi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1 + sizeof(double)) return 0;
  const std::uint8_t mode = data[0];
  const bsi::Locale locale = (mode & 1) != 0 ? bsi::Locale::German() : bsi::Locale::English();
  double value = 0;
  switch ((mode >> 1) & 3) {
    case 0: {  // any bit pattern
      std::memcpy(&value, data + 1, sizeof value);
      break;
    }
    case 1: {  // halves and near-halves of 64-bit integers
      std::int64_t n = 0;
      std::memcpy(&n, data + 1, sizeof n);
      value = static_cast<double>(n >> 12) / 2.0;
      if ((mode & 8) != 0) value = std::nextafter(value, (mode & 16) != 0 ? 1e300 : -1e300);
      break;
    }
    default: {  // small numbers with fractions
      std::int32_t n = 0;
      std::memcpy(&n, data + 1, sizeof n);
      value = static_cast<double>(n) / static_cast<double>(1 + (data[5] % 16));
      break;
    }
  }
  bsi::fuzz::CheckOne(value, locale);
  return 0;
}
