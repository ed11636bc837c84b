// SPDX-License-Identifier: MIT
#include "resources/strings.h"

#include <array>
#include <string>

#include "runtime/error.h"

namespace bsi {
namespace {

struct Entry {
  std::int32_t id;
  const char* german;
  const char* english;
};

constexpr std::array kEntries = {
#define BSI_STRING(id, name, de, en) Entry{id, de, en},
#include "resources/strings.def"
#undef BSI_STRING
};

static_assert(kEntries.size() == kLastStringId - kFirstStringId + 1, "the table has no gaps");

// Decoded once per language: the literals are UTF-8 in the source.
const std::array<Text, kEntries.size()>& Table(UiLanguage language) {
  static const auto decode = [](bool german) {
    std::array<Text, kEntries.size()> table;
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
      table[i] = FromUtf8(german ? kEntries[i].german : kEntries[i].english);
    }
    return table;
  };
  static const auto german = decode(true);
  static const auto english = decode(false);
  return language == UiLanguage::German ? german : english;
}

}  // namespace

UiLanguage LanguageForLocaleName(std::string_view name) {
  std::string lower(name.substr(0, 8));
  for (auto& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  const bool code = lower.size() >= 2 && lower[0] == 'd' && lower[1] == 'e' &&
                    (lower.size() == 2 || lower[2] == '_' || lower[2] == '-' || lower[2] == '.' || lower[2] == '@');
  const bool word = lower.rfind("german", 0) == 0 || lower.rfind("deutsch", 0) == 0;
  return code || word ? UiLanguage::German : UiLanguage::English;
}

Text CatalogueText(UiLanguage language, std::int32_t id) {
  if (id < kFirstStringId || id > kLastStringId) RaiseResourceNotFound(id);
  return Table(language)[static_cast<std::size_t>(id - kFirstStringId)];
}

Text Catalogue::LoadResString(std::int32_t id) {
  return CatalogueText(language_, id);
}

}  // namespace bsi
