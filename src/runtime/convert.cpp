// SPDX-License-Identifier: MIT
#include "runtime/convert.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "runtime/error.h"

namespace bsi {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

// Decides whether a number that from_chars could not represent was too large or too small: the decimal
// exponent of its first significant digit, saturated so that absurd exponents cannot overflow.
bool MagnitudeIsLarge(const std::string& ascii) {
  long leading_int_digits = 0;
  long zeros_after_point = 0;
  bool in_fraction = false;
  bool significant = false;
  std::size_t i = 0;
  if (i < ascii.size() && ascii[i] == '-') ++i;
  for (; i < ascii.size() && ascii[i] != 'e'; ++i) {
    const char c = ascii[i];
    if (c == '.') {
      in_fraction = true;
    } else if (!significant && c == '0') {
      if (in_fraction) ++zeros_after_point;
    } else {
      if (!significant && in_fraction) {
        significant = true;
      } else if (!in_fraction) {
        significant = true;
        ++leading_int_digits;
      }
    }
  }
  long exponent = 0;
  if (i < ascii.size()) {
    ++i;
    bool negative = false;
    if (i < ascii.size() && (ascii[i] == '-' || ascii[i] == '+')) negative = ascii[i++] == '-';
    for (; i < ascii.size(); ++i) {
      if (exponent < 100000000) exponent = exponent * 10 + (ascii[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  const long magnitude =
      leading_int_digits > 0 ? leading_int_digits - 1 + exponent : -(zeros_after_point + 1) + exponent;
  return magnitude >= 0;
}

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

bool EqualsIgnoringAsciiCase(TextView text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (UpperCase(text[i]) != static_cast<char16_t>(word[i])) return false;
  }
  return true;
}

}  // namespace

double ParseNumber(TextView text, const Locale& locale) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;

  std::string ascii;
  ascii.reserve(end - begin);
  std::size_t i = begin;
  if (i < end && (text[i] == u'+' || text[i] == u'-')) {
    if (text[i] == u'-') ascii.push_back('-');
    ++i;
  }
  bool any_digit = false;
  const bool grouping = locale.thousands_separator != locale.decimal_separator;
  for (; i < end; ++i) {
    if (IsDigit(text[i])) {
      ascii.push_back(static_cast<char>(text[i]));
      any_digit = true;
    } else if (grouping && text[i] == locale.thousands_separator && any_digit) {
      // The run time accepts group separators wherever they stand after the first digit.
    } else {
      break;
    }
  }
  if (i < end && text[i] == locale.decimal_separator) {
    ascii.push_back('.');
    for (++i; i < end && IsDigit(text[i]); ++i) {
      ascii.push_back(static_cast<char>(text[i]));
      any_digit = true;
    }
  }
  if (!any_digit) Raise(err::kTypeMismatch);
  if (i < end && (text[i] == u'e' || text[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) ascii.push_back(static_cast<char>(text[i++]));
    if (i == end || !IsDigit(text[i])) Raise(err::kTypeMismatch);
    for (; i < end && IsDigit(text[i]); ++i) ascii.push_back(static_cast<char>(text[i]));
  }
  if (i != end) Raise(err::kTypeMismatch);

  double value = 0;
  const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    if (MagnitudeIsLarge(ascii)) Raise(err::kOverflow);
    return ascii[0] == '-' ? -0.0 : 0.0;
  }
  if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size()) Raise(err::kTypeMismatch);
  if (!std::isfinite(value)) Raise(err::kOverflow);
  return value;
}

double ToDouble(const Variant& value, const Locale& locale) {
  switch (value.kind()) {
    case VariantKind::Empty:
      return 0;
    case VariantKind::Null:
      Raise(err::kInvalidUseOfNull);
    case VariantKind::Boolean:
      return value.AsBoolean() ? -1 : 0;
    case VariantKind::Integer:
      return value.AsInteger();
    case VariantKind::Long:
      return value.AsLong();
    case VariantKind::Currency:
      return static_cast<double>(value.AsCurrency().scaled) / 10000.0;
    case VariantKind::Double:
      return value.AsDouble();
    case VariantKind::String:
      return ParseNumber(value.AsString(), locale);
    case VariantKind::Object:
    case VariantKind::Array:
      break;
  }
  Raise(err::kTypeMismatch);
}

float ToSingle(double value) {
  if (std::isnan(value) || std::fabs(value) > std::numeric_limits<float>::max()) Raise(err::kOverflow);
  return static_cast<float>(value);
}

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

bool ToCondition(const Variant& value, const Locale& locale) {
  switch (value.kind()) {
    case VariantKind::Empty:
    case VariantKind::Null:
      return false;
    case VariantKind::Boolean:
      return value.AsBoolean();
    case VariantKind::Integer:
      return value.AsInteger() != 0;
    case VariantKind::Long:
      return value.AsLong() != 0;
    case VariantKind::Currency:
      return value.AsCurrency().scaled != 0;
    case VariantKind::Double:
      return value.AsDouble() != 0;
    case VariantKind::String: {
      const TextView word = TrimSpaces(value.AsString());
      if (EqualsIgnoringAsciiCase(word, "TRUE")) return true;
      if (EqualsIgnoringAsciiCase(word, "FALSE")) return false;
      return ParseNumber(value.AsString(), locale) != 0;
    }
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
