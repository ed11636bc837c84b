// SPDX-License-Identifier: MIT
// Resource strings by number, in the table of the user-interface language.
#pragma once

#include <cstdint>
#include <string_view>

#include "resources/version.h"
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

/// The built-in catalogue of both tables.
class Catalogue final : public StringSource {
 public:
  explicit Catalogue(UiLanguage language) : language_(language) {}
  Text LoadResString(std::int32_t id) override;
  UiLanguage language() const { return language_; }

 private:
  UiLanguage language_;
};

/// The text of string `id` in one table; raises 326 for an unknown id.
Text CatalogueText(UiLanguage language, std::int32_t id);

/// The module's version record, from the project's version (resources/version.h is generated).
struct VersionRecord {
  std::int16_t major;
  std::int16_t minor;
  std::int16_t build;
  std::int16_t revision;
};
inline constexpr VersionRecord kVersion{BSI_VERSION_MAJOR, BSI_VERSION_MINOR, BSI_VERSION_BUILD, BSI_VERSION_REVISION};

}  // namespace bsi
