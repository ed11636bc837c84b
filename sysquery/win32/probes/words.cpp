// SPDX-License-Identifier: MIT
#include "words.h"

#include <cstddef>

namespace bsq {
namespace {

struct Entry {
  const wchar_t* german;
  const wchar_t* english;
};

// L"" makes the plain literals of the table wide ones.
constexpr Entry kWords[] = {
#define BSQ_WORD(id, de, en) {L"" de, L"" en},
#include "words.def"
#undef BSQ_WORD
};

}  // namespace

const wchar_t* WordText(Word word, bsi::UiLanguage language) {
  const Entry& entry = kWords[static_cast<std::size_t>(word)];
  return language == bsi::UiLanguage::German ? entry.german : entry.english;
}

}  // namespace bsq
