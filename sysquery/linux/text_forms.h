// SPDX-License-Identifier: MIT
// The text forms the library writes: those it shares with the Windows library (words, running time, byte
// amounts) and its own (UTC offsets, addresses).
#pragma once

#include <cstdint>
#include <string_view>

#include "resources/strings.h"
#include "runtime/text.h"
#include "sysquery/common/text_forms.h"

namespace bsi::sysquery_linux {

using sysquery::ByteAmountText;
using sysquery::RunningTimeText;
using sysquery::Word;
using sysquery::WordText;

/// "UTC+02:00", "UTC-05:30", or "UTC" for no offset; `seconds_east` is tm_gmtoff.
Text UtcOffsetText(std::int64_t seconds_east);
/// Dotted decimal of an address in host byte order.
Text Ipv4Text(std::uint32_t address);
/// "255.255.255.0" for 24; empty for a length beyond 32.
Text Ipv4MaskText(std::uint32_t prefix_length);
/// "00-1A-2B-3C-4D-5E" from sysfs's "00:1a:2b:3c:4d:5e"; empty for anything that is no such address.
Text MacAddressText(std::string_view sysfs_address);

}  // namespace bsi::sysquery_linux
