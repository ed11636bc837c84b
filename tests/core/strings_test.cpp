// SPDX-License-Identifier: MIT
// Both string tables to the character (a golden file), unknown ids, and the language
// chosen for a locale name.
#include <gtest/gtest.h>

#include "core/fixtures.h"

namespace bsi::test {
namespace {

TEST(StringTables, EveryStringOfBothTablesMatchesItsGoldenFile) {
  ASSERT_EQ(kFirstStringId, 101);
  ASSERT_EQ(kLastStringId, 149);
  std::string table;
  for (std::int32_t id = kFirstStringId; id <= kLastStringId; ++id) {
    table += std::to_string(id) + " | " + ToUtf8(Catalogue(UiLanguage::German).LoadResString(id)) + " | " +
             ToUtf8(Catalogue(UiLanguage::English).LoadResString(id)) + "\n";
  }
  EXPECT_EQ(CompareGolden("core/strings.txt", table), "");
  EXPECT_EQ(CatalogueText(UiLanguage::German, str::kCharging), u"L\u00C4DT ...");  // one UTF-16 unit per umlaut
}

TEST(StringTables, UnknownIdsRaise326) {
  for (std::int32_t id : {100, 150, 0, -1, 30000}) {
    for (UiLanguage language : kBothLanguages) {
      EXPECT_EQ(ErrorOf([&] { Catalogue(language).LoadResString(id); }), 326) << id;
    }
  }
}

TEST(StringTables, LanguageFromLocaleNames) {
  for (const char* name : {"de", "DE", "de_DE", "de_DE.UTF-8", "de-AT", "de_CH@euro", "de.UTF-8", "German_Germany.1252",
                           "german", "Deutsch"}) {
    EXPECT_EQ(LanguageForLocaleName(name), UiLanguage::German) << name;
  }
  for (const char* name : {"", "C", "C.UTF-8", "POSIX", "en_US.UTF-8", "English_United States.1252", "fr_FR", "dev",
                           "d", "nl_DE", "es_DE.UTF-8"}) {
    EXPECT_EQ(LanguageForLocaleName(name), UiLanguage::English) << name;
  }
  EXPECT_EQ(Catalogue(UiLanguage::English).language(), UiLanguage::English);
}

// The environment as one "NAME=value NAME=value" line; getenv below reads it.
const char* g_environment = "";
const char* FakeGetenv(const char* name) {
  static std::string value;
  const std::string env = std::string(" ") + g_environment + " ", key = std::string(" ") + name + "=";
  const auto at = env.find(key);
  if (at == std::string::npos) return nullptr;
  value = env.substr(at + key.size(), env.find(' ', at + key.size()) - at - key.size());
  return value.c_str();
}

TEST(StringTables, LanguageAndNumbersFromTheEnvironment) {
  struct Case {
    const char* environment;
    UiLanguage language;
    bool german_numbers;
  };
  const Case cases[] = {
      {"", UiLanguage::English, false},
      {"LANG=de_DE.UTF-8", UiLanguage::German, true},
      {"LANG=de_DE.UTF-8 LC_ALL=en_US.UTF-8", UiLanguage::English, false},
      {"LANG=en_US.UTF-8 LC_MESSAGES=de_AT.UTF-8", UiLanguage::German, false},
      {"LANG=de_DE.UTF-8 LC_MESSAGES=", UiLanguage::German, true},  // empty counts as unset
      {"LANG=en_US.UTF-8 LC_NUMERIC=de_DE.UTF-8", UiLanguage::English, true},
      {"LANG=en_US.UTF-8 LANGUAGE=de_DE:en", UiLanguage::German, false},
      {"LANG=de_DE.UTF-8 LANGUAGE=en:de", UiLanguage::English, true},
      {"LC_ALL=C LANGUAGE=de", UiLanguage::English, false},  // gettext ignores LANGUAGE under C
  };
  for (const Case& c : cases) {
    g_environment = c.environment;
    EXPECT_EQ(LanguageFromEnvironment(FakeGetenv), c.language) << c.environment;
    EXPECT_EQ(NumberLocaleFromEnvironment(FakeGetenv).decimal_separator, c.german_numbers ? u',' : u'.')
        << c.environment;
  }
}

TEST(StringTables, LinuxNamesNoWindowsInItsTwoRowLabelsAndChangesNothingElse) {
  for (UiLanguage language : kBothLanguages) {
    for (std::int32_t id = kFirstStringId; id <= kLastStringId; ++id) {
      const Text windows = Catalogue(language, Platform::Windows).LoadResString(id);
      const Text linux_text = Catalogue(language, Platform::Linux).LoadResString(id);
      const bool overridden = id == str::kWindowsFolder || id == str::kRunningTime;
      EXPECT_EQ(windows != linux_text, overridden) << id;
      EXPECT_EQ(overridden && linux_text.find(u"Windows") != Text::npos, false) << id;
    }
    EXPECT_EQ(ErrorOf([&] { Catalogue(language, Platform::Linux).LoadResString(150); }), 326);
  }
  EXPECT_EQ(CatalogueText(UiLanguage::German, str::kRunningTime, Platform::Linux), u"System Laufzeit:");
  EXPECT_EQ(CatalogueText(UiLanguage::English, str::kWindowsFolder, Platform::Linux), u"Operating system folder:");
}

}  // namespace
}  // namespace bsi::test
