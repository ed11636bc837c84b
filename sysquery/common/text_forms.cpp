// SPDX-License-Identifier: MIT
#include "sysquery/common/text_forms.h"

#include <array>
#include <cstddef>

namespace bsi::sysquery {
namespace {

struct Entry {
  const char16_t* german;
  const char16_t* english;
};

// u"" makes the plain literals of the table UTF-16 ones.
constexpr Entry kWords[] = {
#define BSQ_WORD(id, de, en) {u"" de, u"" en},
#include "sysquery/common/words.def"
#undef BSQ_WORD
};

}  // namespace

Text TwoDigits(std::uint64_t value) {
  return Text{static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

Text UnsignedText(std::uint64_t value) {
  Text digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

Text WordText(Word word, UiLanguage language) {
  const Entry& entry = kWords[static_cast<std::size_t>(word)];
  return language == UiLanguage::German ? entry.german : entry.english;
}

Text RunningTimeText(std::uint64_t seconds, UiLanguage language) {
  const std::uint64_t days = seconds / 86400;
  const Text clock =
      TwoDigits(seconds / 3600 % 24) + u":" + TwoDigits(seconds / 60 % 60) + u":" + TwoDigits(seconds % 60);
  if (days == 0) return clock;
  return UnsignedText(days) + u" " + WordText(days == 1 ? Word::kDay : Word::kDays, language) + u", " + clock;
}

Text ByteAmountText(std::uint64_t bytes, UiLanguage language) {
  if (bytes < 1024) return UnsignedText(bytes) + u" " + WordText(Word::kByte, language);
  static constexpr std::array<const char16_t*, 6> kUnits = {u"KB", u"MB", u"GB", u"TB", u"PB", u"EB"};
  // Tenths in whole numbers: no floating point and no C locale (a host may have set one) in the text.
  std::size_t unit = 0;
  std::uint64_t tenths = 0;
  for (;; ++unit) {
    const unsigned shift = 10 * static_cast<unsigned>(unit + 1);
    const std::uint64_t divisor = std::uint64_t{1} << shift;
    const std::uint64_t rest = bytes & (divisor - 1);  // below 2^60, so ten times it still fits
    tenths = (bytes >> shift) * 10 + (rest * 10 + divisor / 2) / divisor;
    // 1023.96 KB rounds to "1024.0 KB": such amounts take the next unit.
    if (tenths < 10240 || unit + 1 == kUnits.size()) break;
  }
  return UnsignedText(tenths / 10) + WordText(Word::kDecimalSeparator, language) + UnsignedText(tenths % 10) + u" " +
         kUnits[unit];
}

}  // namespace bsi::sysquery
