// SPDX-License-Identifier: MIT
// Resource strings by number, in the table of the user-interface language.
#pragma once

#include <cstdint>
#include <string_view>

#include "resources/version.h"
#include "runtime/locale.h"
#include "runtime/text.h"

namespace bsi {

namespace str {
#define BSI_STRING(id, name, de, en) inline constexpr std::int32_t name = id;
#include "resources/strings.def"
#undef BSI_STRING
}  // namespace str

inline constexpr std::int32_t kFirstStringId = 101;
inline constexpr std::int32_t kLastStringId = 149;

enum class UiLanguage { German, English };

/// German for a German language name ("de", "de_DE.UTF-8", "de-AT", "German_Germany.1252"), English otherwise.
UiLanguage LanguageForLocaleName(std::string_view name);

/// Where LoadResString finds its texts. A platform may supply its own (the Windows build loads real string
/// resources built from the same table).
class StringSource {
 public:
  virtual ~StringSource() = default;
  /// The text of string `id`; raises 326 for an id that no table holds.
  virtual Text LoadResString(std::int32_t id) = 0;
};

/// German when the first of LANGUAGE (its first entry), LC_ALL, LC_MESSAGES and LANG that is set and not empty
/// names German, English otherwise: the order in which gettext, and Wine, choose the user-interface language.
/// `getenv` is std::getenv outside tests.
UiLanguage LanguageFromEnvironment(const char* (*getenv)(const char*));

/// The number conventions of the first of LC_ALL, LC_NUMERIC and LANG that is set and not empty: German for a
/// German locale name, English otherwise.
Locale NumberLocaleFromEnvironment(const char* (*getenv)(const char*));

/// Which texts a catalogue holds. Linux differs in the two row labels that name Windows (the operating system's
/// folder and running time); every other id has the same text on every platform.
enum class Platform { Windows, Linux };

/// The built-in catalogue of both tables.
class Catalogue final : public StringSource {
 public:
  explicit Catalogue(UiLanguage language, Platform platform = Platform::Windows)
      : language_(language), platform_(platform) {}
  Text LoadResString(std::int32_t id) override;
  UiLanguage language() const { return language_; }

 private:
  UiLanguage language_;
  Platform platform_;
};

/// The text of string `id` in one table; raises 326 for an unknown id.
Text CatalogueText(UiLanguage language, std::int32_t id, Platform platform = Platform::Windows);

/// The module's version record, from the project's version (resources/version.h is generated).
struct VersionRecord {
  std::int16_t major;
  std::int16_t minor;
  std::int16_t build;
  std::int16_t revision;
};
inline constexpr VersionRecord kVersion{BSI_VERSION_MAJOR, BSI_VERSION_MINOR, BSI_VERSION_BUILD, BSI_VERSION_REVISION};

}  // namespace bsi
