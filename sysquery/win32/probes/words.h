// SPDX-License-Identifier: MIT
// The query library's own words, from words.def.
#pragma once

#include "resources/strings.h"

namespace bsq {

enum class Word {
#define BSQ_WORD(id, de, en) id,
#include "words.def"
#undef BSQ_WORD
};

/// The word in the given language.
const wchar_t* WordText(Word word, bsi::UiLanguage language);

}  // namespace bsq
