// SPDX-License-Identifier: MIT
// Both string tables, right to the character, against a copy typed out independently of strings.def.
#include <gtest/gtest.h>

#include "resources/strings.h"
#include "runtime/error.h"

namespace bsi::test {
namespace {

struct Expected {
  std::int32_t id;
  const char16_t* german;
  const char16_t* english;
};

// Typed out by hand (149 is the word for a battery that is present and not charging), not copied from strings.def.
constexpr Expected kTable[] = {
    {101, u"Betriebssystem:", u"OS Version:"},
    {102, u"CPU:", u"CPU:"},
    {103, u"Mainboard / BIOS:", u"Motherboard / BIOS:"},
    {104, u"Grafikkarte BIOS:", u"Video Adapter BIOS:"},
    {105, u"Akku Ladezustand:", u"Accu charge state:"},
    {106, u"Akku Status:", u"Accu state:"},
    {107, u"nicht bekannt", u"n/a"},
    {108, u"L\u00C4DT ...", u"CHARGING ..."},
    {109, u"VOLL", u"FULL"},
    {110, u"WENIG", u"LOW"},
    {111, u"KRITISCH", u"CRITICAL"},
    {112, u"KEIN AKKU", u"NO ACCU"},
    {113, u"Physischer Speicher:", u"Physical memory:"},
    {114, u"Physischer Speicher frei:", u"Physical memory free:"},
    {115, u"Virtueller Speicher:", u"Virtual memory:"},
    {116, u"Virtueller Speicher frei:", u"Virtual memory free:"},
    {117, u"Angemeldeter Benutzer:", u"Logged on user:"},
    {118, u"Administratorrechte:", u"Administrator permissions:"},
    {119, u"Ja", u"Yes"},
    {120, u"Nein", u"No"},
    {121, u"Lokale IP:", u"Local IP:"},
    {122, u"Lokale Subnetzmaske:", u"Local subnet mask:"},
    {123, u"Netzwerk IP:", u"Network IP:"},
    {124, u"Netzwerk Subnetzmaske:", u"Network subnet mask:"},
    {125, u"DFUE Verbindung:", u"DFUE connection:"},
    {126, u"Aktiv", u"Activ"},
    {127, u"Keine", u"None"},
    {128, u"Windows Verzeichnis:", u"Windows folder:"},
    {129, u"System Verzeichnis:", u"System folder:"},
    {130, u"Bildschirmaufl\u00F6sung:", u"Screen Resolution:"},
    {131, u"Installierte Schriftarten:", u"Installed Fonts:"},
    {132, u"Standarddrucker:", u"Standard printer:"},
    {133, u"Soundkarte installiert:", u"Soundcard installed:"},
    {134, u"Windows Laufzeit:", u"Windows running time:"},
    {135, u"Eingestellte Zeitzone:", u"Timezone:"},
    {136, u"Verf\u00FCgbare Laufwerke:", u"Available drives:"},
    {137, u"Fehler", u"Error"},
    {138, u"Beschreibung:", u"Description:"},
    {139, u"Nummer:", u"Number:"},
    {140, u"Physischer Speicher belegt", u"Physical memory used"},
    {141, u"Virtueller Speicher belegt", u"Virtual memory used"},
    {142, u"Auslagerungsdatei belegt", u"Swapfile used"},
    {143, u"von", u"from"},
    {144, u"In die Zwischenablage kopieren", u"Copy to clipboard"},
    {145, u"Wert in Zwischenablage kopieren", u"Copy value to clipboard"},
    {146, u"Alles in Zwischenablage kopieren", u"Copy all values to clipboard"},
    {147, u"Datum:", u"Date:"},
    {148, u"MAC Adresse:", u"MAC adress:"},
    {149, u"NORMAL", u"NORMAL"},
};

TEST(StringTables, EveryStringOfBothTablesToTheCharacter) {
  ASSERT_EQ(std::size(kTable), 49u);
  std::int32_t id = 101;
  for (const Expected& e : kTable) {
    ASSERT_EQ(e.id, id++) << "the copy has a gap";
    EXPECT_EQ(CatalogueText(UiLanguage::German, e.id), e.german) << e.id;
    EXPECT_EQ(CatalogueText(UiLanguage::English, e.id), e.english) << e.id;
    Catalogue german(UiLanguage::German);
    Catalogue english(UiLanguage::English);
    EXPECT_EQ(german.LoadResString(e.id), e.german) << e.id;
    EXPECT_EQ(english.LoadResString(e.id), e.english) << e.id;
  }
  EXPECT_EQ(kFirstStringId, 101);
  EXPECT_EQ(kLastStringId, 149);
}

TEST(StringTables, UmlautsAreSingleUtf16Units) {
  const Text charging = CatalogueText(UiLanguage::German, str::kCharging);
  ASSERT_EQ(charging.size(), 8u);
  EXPECT_EQ(charging[1], u'\u00C4');
  EXPECT_EQ(CatalogueText(UiLanguage::German, str::kScreenResolution).size(), 20u);
}

TEST(StringTables, RowLabelsEndWithAColon) {
  for (std::int32_t id : {101, 102, 103, 104, 105, 106, 113, 114, 115, 116, 117, 118, 121, 122, 123,
                          124, 125, 128, 129, 130, 131, 132, 133, 134, 135, 136, 138, 139, 147, 148}) {
    for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
      EXPECT_EQ(CatalogueText(language, id).back(), u':') << id;
    }
  }
}

TEST(StringTables, UnknownIdsRaise326) {
  for (std::int32_t id : {100, 150, 0, -1, 30000}) {
    for (UiLanguage language : {UiLanguage::German, UiLanguage::English}) {
      try {
        Catalogue(language).LoadResString(id);
        ADD_FAILURE() << id;
      } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 326);
        EXPECT_NE(error.description().find(Decimal(id)), Text::npos);
      }
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
}

TEST(StringTables, CatalogueKeepsItsLanguage) {
  EXPECT_EQ(Catalogue(UiLanguage::German).language(), UiLanguage::German);
  EXPECT_EQ(Catalogue(UiLanguage::English).language(), UiLanguage::English);
}

TEST(VersionRecord, Is2108) {
  EXPECT_EQ(kVersion.major, 2);
  EXPECT_EQ(kVersion.minor, 1);
  EXPECT_EQ(kVersion.build, 0);
  EXPECT_EQ(kVersion.revision, 8);
}

}  // namespace
}  // namespace bsi::test
