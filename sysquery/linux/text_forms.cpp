// SPDX-License-Identifier: MIT
#include "sysquery/linux/text_forms.h"

#include <array>
#include <cstddef>

namespace bsi::sysquery_linux {
namespace {

struct Entry {
  const char16_t* german;
  const char16_t* english;
};

// u"" makes the plain literals of the table UTF-16 ones.
constexpr Entry kWords[] = {
#define BSQ_WORD(id, de, en) {u"" de, u"" en},
#include "sysquery/win32/probes/words.def"
#undef BSQ_WORD
};

Text TwoDigits(std::uint64_t value) {
  return Text{static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}

Text Unsigned(std::uint64_t value) {
  Text digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

}  // namespace

Text WordText(Word word, UiLanguage language) {
  const Entry& entry = kWords[static_cast<std::size_t>(word)];
  return language == UiLanguage::German ? entry.german : entry.english;
}

Text RunningTimeText(std::uint64_t seconds, UiLanguage language) {
  const std::uint64_t days = seconds / 86400;
  const Text clock =
      TwoDigits(seconds / 3600 % 24) + u":" + TwoDigits(seconds / 60 % 60) + u":" + TwoDigits(seconds % 60);
  if (days == 0) return clock;
  return Unsigned(days) + u" " + WordText(days == 1 ? Word::kDay : Word::kDays, language) + u", " + clock;
}

Text ByteAmountText(std::uint64_t bytes, UiLanguage language) {
  if (bytes < 1024) return Unsigned(bytes) + u" " + WordText(Word::kByte, language);
  static constexpr std::array<const char16_t*, 6> kUnits = {u"KB", u"MB", u"GB", u"TB", u"PB", u"EB"};
  // Tenths in whole numbers: no floating point and no C locale in the text.
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
  return Unsigned(tenths / 10) + WordText(Word::kDecimalSeparator, language) + Unsigned(tenths % 10) + u" " +
         kUnits[unit];
}

Text UtcOffsetText(std::int64_t seconds_east) {
  if (seconds_east / 60 == 0) return u"UTC";
  const std::uint64_t minutes = static_cast<std::uint64_t>(seconds_east < 0 ? -(seconds_east / 60) : seconds_east / 60);
  return Text(u"UTC") + (seconds_east < 0 ? u"-" : u"+") +
         (minutes / 60 < 10 ? TwoDigits(minutes / 60) : Unsigned(minutes / 60)) + u":" + TwoDigits(minutes % 60);
}

Text Ipv4Text(std::uint32_t address) {
  return Unsigned(address >> 24) + u"." + Unsigned((address >> 16) & 0xFF) + u"." + Unsigned((address >> 8) & 0xFF) +
         u"." + Unsigned(address & 0xFF);
}

Text Ipv4MaskText(std::uint32_t prefix_length) {
  if (prefix_length > 32) return {};
  return Ipv4Text(prefix_length == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix_length));
}

Text MacAddressText(std::string_view sysfs_address) {
  // Six or more hex pairs joined by ':' (InfiniBand has twenty); anything else shows nothing.
  if (sysfs_address.size() % 3 != 2) return {};
  Text text;
  std::size_t pairs = 0;
  for (std::size_t i = 0; i < sysfs_address.size(); i += 3, ++pairs) {
    if (i + 2 > sysfs_address.size()) return {};
    if (i + 2 < sysfs_address.size() && sysfs_address[i + 2] != ':') return {};
    if (i > 0) text.push_back(u'-');
    for (std::size_t k = i; k < i + 2; ++k) {
      const char c = sysfs_address[k];
      const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
      if (!hex) return {};
      text.push_back(static_cast<char16_t>(c >= 'a' ? c - 'a' + 'A' : c));
    }
  }
  return pairs >= 6 ? text : Text();
}

}  // namespace bsi::sysquery_linux
