// SPDX-License-Identifier: MIT
#include "resources/strings.h"

#include <array>
#include <initializer_list>
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

namespace {

// The first of `names` that is set and not empty, or "".
std::string_view FirstSet(const char* (*getenv)(const char*), std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const char* value = getenv(name);
    if (value != nullptr && *value != '\0') return value;
  }
  return {};
}

}  // namespace

UiLanguage LanguageFromEnvironment(const char* (*getenv)(const char*)) {
  // LANGUAGE is a priority list ("de_DE:en"); gettext ignores it under the C locale, and so do we.
  const std::string_view locale = FirstSet(getenv, {"LC_ALL", "LC_MESSAGES", "LANG"});
  if (locale != "C" && locale != "POSIX") {
    const std::string_view list = FirstSet(getenv, {"LANGUAGE"});
    if (!list.empty()) return LanguageForLocaleName(list.substr(0, list.find(':')));
  }
  return LanguageForLocaleName(locale);
}

Locale NumberLocaleFromEnvironment(const char* (*getenv)(const char*)) {
  return LanguageForLocaleName(FirstSet(getenv, {"LC_ALL", "LC_NUMERIC", "LANG"})) == UiLanguage::German
             ? Locale::German()
             : Locale::English();
}

Text CatalogueText(UiLanguage language, std::int32_t id, Platform platform) {
  if (id < kFirstStringId || id > kLastStringId) RaiseResourceNotFound(id);
  if (platform == Platform::Linux) {
    const bool german = language == UiLanguage::German;
    if (id == str::kWindowsFolder) return german ? u"Betriebssystem Verzeichnis:" : u"Operating system folder:";
    if (id == str::kRunningTime) return german ? u"System Laufzeit:" : u"System running time:";
  }
  return Table(language)[static_cast<std::size_t>(id - kFirstStringId)];
}

Text Catalogue::LoadResString(std::int32_t id) {
  return CatalogueText(language_, id, platform_);
}

}  // namespace bsi
