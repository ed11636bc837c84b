// SPDX-License-Identifier: MIT
// The query library's own words (sysquery/common/words.def), as wide text.
#pragma once

#include <string>

#include "sysquery/common/text_forms.h"

namespace bsq {

using Word = bsi::sysquery::Word;

/// The word in the given language.
std::wstring WideWord(Word word, bsi::UiLanguage language);

/// Core text as wide text: both are UTF-16 on Windows.
inline std::wstring Wide(const bsi::Text& text) {
  return std::wstring(text.begin(), text.end());
}

}  // namespace bsq
