// SPDX-License-Identifier: MIT
// The text forms the library writes, the same as the Windows library's, with the words of its one word table
// (sysquery/win32/probes/words.def): running time, byte amounts, UTC offsets, addresses.
#pragma once

#include <cstdint>
#include <string_view>

#include "resources/strings.h"
#include "runtime/text.h"

namespace bsi::sysquery_linux {

enum class Word {
#define BSQ_WORD(id, de, en) id,
#include "sysquery/win32/probes/words.def"
#undef BSQ_WORD
};

Text WordText(Word word, UiLanguage language);

/// "hh:mm:ss" below one day, then the days in front: "2 days, 03:04:05" / "2 Tage, 03:04:05".
Text RunningTimeText(std::uint64_t seconds, UiLanguage language);
/// One decimal in the largest fitting binary unit ("12.3 GB", "12,3 GB"); below 1024 bytes "N Byte".
Text ByteAmountText(std::uint64_t bytes, UiLanguage language);
/// "UTC+02:00", "UTC-05:30", or "UTC" for no offset; `seconds_east` is tm_gmtoff.
Text UtcOffsetText(std::int64_t seconds_east);
/// Dotted decimal of an address in host byte order.
Text Ipv4Text(std::uint32_t address);
/// "255.255.255.0" for 24; empty for a length beyond 32.
Text Ipv4MaskText(std::uint32_t prefix_length);
/// "00-1A-2B-3C-4D-5E" from sysfs's "00:1a:2b:3c:4d:5e"; empty for anything that is no such address.
Text MacAddressText(std::string_view sysfs_address);

}  // namespace bsi::sysquery_linux
