// SPDX-License-Identifier: MIT
// Text in the core is UTF-16, like BSTR and QString; these helpers convert only at the edges.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bsi {

using Text = std::u16string;
using TextView = std::u16string_view;

/// UTF-8 to UTF-16. Malformed sequences become U+FFFD; nothing is dropped silently.
Text FromUtf8(std::string_view utf8);

/// UTF-16 to UTF-8. A lone surrogate becomes U+FFFD.
std::string ToUtf8(TextView text);

/// ASCII-only text (numbers, fixed words) without a conversion table.
Text FromAscii(std::string_view ascii);

/// Plain decimal: no grouping, no padding, a minus sign only when negative.
Text Decimal(std::int64_t value);

/// Upper case of one UTF-16 unit for ASCII and Latin-1 letters; every other unit is returned as it is.
char16_t UpperCase(char16_t unit);
Text UpperCase(TextView text);

/// The text without leading and trailing spaces (U+0020 only, as the form run time's Trim does).
TextView TrimSpaces(TextView text);

/// Replaces every occurrence of `what` (one UTF-16 unit) by `with`, scanning the whole text.
Text ReplaceAll(TextView text, char16_t what, TextView with);

}  // namespace bsi
