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

}  // namespace
}  // namespace bsi::test
