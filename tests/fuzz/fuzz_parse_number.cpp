// SPDX-License-Identifier: MIT
// Fuzzes the locale-aware text-to-number conversion: it either raises 13 or 6 or returns a finite number;
// texts made of digits (with a sign, group and decimal separators) agree with strtod; a number's own text
// reads back to it.
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi::fuzz {
namespace {

// The reference for the simple texts: optional '-', digits, optionally the locale's group separators after
// the first digit and one decimal separator followed by digits, as the ASCII text strtod reads; empty for others.
std::string SimpleReference(const Text& text, const Locale& locale) {
  std::string ascii;
  std::size_t i = !text.empty() && text[0] == u'-' ? 1 : 0;
  ascii.append(i, '-');
  bool digit = false, decimals = false;
  for (; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c >= u'0' && c <= u'9') {
      ascii.push_back(static_cast<char>(c));
      digit = true;
    } else if (c == locale.thousands_separator && digit && !decimals) {
    } else if (c == locale.decimal_separator && digit && !decimals) {
      ascii.push_back('.');
      decimals = true;
    } else {
      return {};
    }
  }
  return digit ? ascii : std::string();
}

void CheckOne(const Text& text, const Locale& locale) {
  const std::string simple = SimpleReference(text, locale);
  const double reference = simple.empty() ? 0 : std::strtod(simple.c_str(), nullptr);
  double value = 0;
  try {
    value = ParseNumber(text, locale);
  } catch (const RuntimeError& error) {
    Check(error.number() == 13 || error.number() == 6, "only 13 or 6 may be raised", text,
          "raised " + std::to_string(error.number()));
    Check(simple.empty() || (error.number() == 6 && std::isinf(reference)), "a simple number text raised", text);
    return;
  }
  Check(std::isfinite(value) && value == ParseNumber(text, locale), "the same finite result twice", text);
  Check(simple.empty() || value == reference || (std::fabs(reference) < 2.3e-308 && value == 0), "agrees with strtod",
        text, simple);
  // A finite number's own text (15 significant digits) reads back to it, but for the last digits.
  if (std::fabs(value) < 1e308) {
    const Text own = ToText(Variant::Double(value), locale);
    try {
      Check(std::fabs(ParseNumber(own, locale) - value) <= 1e-14 * std::fabs(value), "own text reads back", text);
    } catch (const RuntimeError&) {
      Fail("a number's own text does not read back", text, ToUtf8(own));
    }
  }
  try {
    Check(std::isfinite(ToSingle(value)), "a finite single", text);
  } catch (const RuntimeError& error) {
    Check(error.number() == 6, "ToSingle raises 6 only", text);
  }
}

}  // namespace
}  // namespace bsi::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = *data++;
  --size;
  bsi::Text text;
  if ((mode & 2) != 0) {
    text = bsi::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  } else {
    // Bytes mapped onto the characters a number text is made of, so that most inputs come close to numbers;
    // the top four byte values stand for themselves, so that other characters still turn up.
    constexpr char16_t kAlphabet[] = u"0123456789012345678901234567890123456789.,.,+-eE \t";
    for (std::size_t i = 0; i < size; ++i) {
      text.push_back(data[i] >= 252 ? static_cast<char16_t>(data[i]) : kAlphabet[data[i] % (std::size(kAlphabet) - 1)]);
    }
  }
  bsi::fuzz::CheckOne(text, (mode & 1) != 0 ? bsi::Locale::German() : bsi::Locale::English());
  return 0;
}
