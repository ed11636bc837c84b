// SPDX-License-Identifier: MIT
// Text and values to numbers and conditions, locale-aware. The way back to text is in format.cpp.
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

}  // namespace bsi
