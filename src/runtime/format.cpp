// SPDX-License-Identifier: MIT
// Values and numbers to text: ToText, CurrencyText and the two Format patterns. The way in is in convert.cpp.
#include <charconv>
#include <cmath>
#include <string>

#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi {
namespace {

std::string Digits(double whole_magnitude) {
  if (whole_magnitude < 9.0e18) return std::to_string(static_cast<std::uint64_t>(whole_magnitude));
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, whole_magnitude, std::chars_format::fixed, 0);
  return std::string(buffer, result.ptr);
}

Text FormatRounded(double value, const Locale* grouping) {
  if (!std::isfinite(value)) Raise(err::kOverflow);
  const double rounded = std::round(value);  // halves away from zero
  if (rounded == 0) return {};
  const std::string digits = Digits(std::fabs(rounded));
  Text out;
  out.reserve(digits.size() + digits.size() / 3 + 1);
  if (rounded < 0) out.push_back(u'-');
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (grouping != nullptr && i > 0 && (digits.size() - i) % 3 == 0) out.push_back(grouping->thousands_separator);
    out.push_back(static_cast<char16_t>(digits[i]));
  }
  return out;
}

Text DoubleText(double value, const Locale& locale) {
  if (value == 0) return u"0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  Text out;
  for (const char* p = buffer; p != result.ptr; ++p) {
    if (*p == '.') {
      out.push_back(locale.decimal_separator);
    } else if (*p == 'e') {
      out.push_back(u'E');
    } else {
      out.push_back(static_cast<char16_t>(*p));
    }
  }
  return out;
}

}  // namespace

Text CurrencyText(Currency value, const Locale& locale) {
  const bool negative = value.scaled < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value.scaled) : static_cast<std::uint64_t>(value.scaled);
  Text out;
  if (negative) out.push_back(u'-');
  out += Decimal(static_cast<std::int64_t>(magnitude / 10000));
  std::uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    out.push_back(locale.decimal_separator);
    for (std::uint64_t unit = 1000; fraction != 0; unit /= 10) {
      out.push_back(static_cast<char16_t>(u'0' + fraction / unit));
      fraction %= unit;
    }
  }
  return out;
}

Text ToText(const Variant& value, const Locale& locale) {
  switch (value.kind()) {
    case VariantKind::Empty:
      return {};
    case VariantKind::Null:
      Raise(err::kInvalidUseOfNull);
    case VariantKind::Boolean:
      return value.AsBoolean() ? u"True" : u"False";
    case VariantKind::Integer:
      return Decimal(value.AsInteger());
    case VariantKind::Long:
      return Decimal(value.AsLong());
    case VariantKind::Currency:
      return CurrencyText(value.AsCurrency(), locale);
    case VariantKind::Double:
      return DoubleText(value.AsDouble(), locale);
    case VariantKind::String:
      return value.AsString();
    case VariantKind::Object:
    case VariantKind::Array:
      break;
  }
  Raise(err::kTypeMismatch);
}

Text FormatGrouped(double value, const Locale& locale) {
  return FormatRounded(value, &locale);
}

Text FormatWhole(double value) {
  return FormatRounded(value, nullptr);
}

}  // namespace bsi
