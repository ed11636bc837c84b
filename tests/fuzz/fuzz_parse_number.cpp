// SPDX-License-Identifier: MIT
// Fuzzes the locale-aware text-to-number conversion: it either raises 13 or 6 or returns a finite number;
// texts made of digits (with a sign, group and decimal separators) agree with strtod; a number's own text
// reads back to it.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi::fuzz {
namespace {

// Bytes mapped onto the characters a number text is made of, so that most inputs come close to numbers.
constexpr char16_t kAlphabet[] = u"0123456789012345678901234567890123456789.,.,+-eE \t";

Text MappedText(const std::uint8_t* data, std::size_t size) {
  Text out;
  out.reserve(size);
  constexpr std::size_t n = sizeof kAlphabet / sizeof kAlphabet[0] - 1;
  for (std::size_t i = 0; i < size; ++i) {
    // Every 64th byte value stands for itself, so that other characters still turn up.
    out.push_back(data[i] >= 256 - 4 ? static_cast<char16_t>(data[i]) : kAlphabet[data[i] % n]);
  }
  return out;
}

// The reference for the simple texts: optional '-', digits, optionally the locale's group separators after
// the first digit and one decimal separator followed by digits. Returns false for any other text.
bool SimpleReference(const Text& text, const Locale& locale, std::string& ascii) {
  ascii.clear();
  std::size_t i = 0;
  if (i < text.size() && text[i] == u'-') ascii.push_back(text[i++]);
  bool digit = false;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= u'0' && c <= u'9') {
      ascii.push_back(static_cast<char>(c));
      digit = true;
    } else if (c == locale.thousands_separator && digit) {
      continue;
    } else {
      break;
    }
  }
  if (!digit) return false;
  if (i < text.size() && text[i] == locale.decimal_separator) {
    ascii.push_back('.');
    for (++i; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) ascii.push_back(static_cast<char>(text[i]));
  }
  return i == text.size();
}

void CheckOne(const Text& text, const Locale& locale) {
  double value = 0;
  try {
    value = ParseNumber(text, locale);
  } catch (const RuntimeError& error) {
    Check(error.number() == 13 || error.number() == 6, "only 13 or 6 may be raised", text,
          "raised " + std::to_string(error.number()));
    std::string ascii;
    Check(!SimpleReference(text, locale, ascii) || error.number() == 6, "a simple number text raised 13", text);
    if (SimpleReference(text, locale, ascii)) {
      const double reference = std::strtod(ascii.c_str(), nullptr);
      Check(std::isinf(reference), "6 for a number that fits", text, ascii);
    }
    return;
  }
  Check(std::isfinite(value), "a finite result", text);
  Check(value == ParseNumber(text, locale), "the same result twice", text);

  std::string ascii;
  if (SimpleReference(text, locale, ascii)) {
    const double reference = std::strtod(ascii.c_str(), nullptr);
    Check(value == reference || (reference != 0 && std::fabs(reference) < 2.3e-308 && value == 0), "agrees with strtod",
          text, ascii + " -> " + std::to_string(reference));
  }

  // A finite number's own text (15 significant digits) reads back to it, but for the last digits.
  if (std::fabs(value) < 1e308) {
    const Text own = ToText(Variant::Double(value), locale);
    double back = 0;
    try {
      back = ParseNumber(own, locale);
    } catch (const RuntimeError&) {
      Fail("a number's own text does not read back", text, ToUtf8(own));
    }
    Check(std::fabs(back - value) <= 1e-14 * std::fabs(value), "own text reads back", text, ToUtf8(own));
  }

  // Narrowing: a float or 6, nothing else.
  try {
    const float single = ToSingle(value);
    Check(std::isfinite(single), "a finite single", text);
  } catch (const RuntimeError& error) {
    Check(error.number() == 6, "ToSingle raises 6 only", text);
  }
}

}  // namespace
}  // namespace bsi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  ++data;
  --size;
  const bsi::Locale locale = (mode & 1) != 0 ? bsi::Locale::German() : bsi::Locale::English();
  const bsi::Text text = (mode & 2) != 0 ? bsi::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size))
                                         : bsi::fuzz::MappedText(data, size);
  bsi::fuzz::CheckOne(text, locale);
  return 0;
}
