// SPDX-License-Identifier: MIT
#include "sysquery/linux/text_forms.h"

#include <array>
#include <cstddef>

namespace bsi::sysquery_linux {

using sysquery::TwoDigits;
using sysquery::UnsignedText;

Text UtcOffsetText(std::int64_t seconds_east) {
  if (seconds_east / 60 == 0) return u"UTC";
  const std::uint64_t minutes = static_cast<std::uint64_t>(seconds_east < 0 ? -(seconds_east / 60) : seconds_east / 60);
  return Text(u"UTC") + (seconds_east < 0 ? u"-" : u"+") +
         (minutes / 60 < 10 ? TwoDigits(minutes / 60) : UnsignedText(minutes / 60)) + u":" + TwoDigits(minutes % 60);
}

Text Ipv4Text(std::uint32_t address) {
  return UnsignedText(address >> 24) + u"." + UnsignedText((address >> 16) & 0xFF) + u"." +
         UnsignedText((address >> 8) & 0xFF) + u"." + UnsignedText(address & 0xFF);
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
