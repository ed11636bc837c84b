// SPDX-License-Identifier: MIT
// The text forms both query libraries write, with the words of their one word table (words.def): the running
// time and byte amounts, in the user-interface language.
#pragma once

#include <cstdint>

#include "resources/strings.h"
#include "runtime/text.h"

namespace bsi::sysquery {

enum class Word {
#define BSQ_WORD(id, de, en) id,
#include "sysquery/common/words.def"
#undef BSQ_WORD
};

Text WordText(Word word, UiLanguage language);

/// "hh:mm:ss" below one day, then the days in front: "2 days, 03:04:05" / "2 Tage, 03:04:05".
Text RunningTimeText(std::uint64_t seconds, UiLanguage language);

/// Decimal digits, no sign, no grouping; and exactly two digits ("07") for clock fields below 100.
Text UnsignedText(std::uint64_t value);
Text TwoDigits(std::uint64_t value);

/// One decimal in the largest fitting binary unit ("12.3 GB", "12,3 GB"); below 1024 bytes "N Byte".
Text ByteAmountText(std::uint64_t bytes, UiLanguage language);

}  // namespace bsi::sysquery
