// SPDX-License-Identifier: MIT
// The font count without a widget library: the distinct families that fontconfig lists, at most 32767 (the
// count is a 16-bit integer). Without a usable fontconfig configuration the count is 0.
#include <fontconfig/fontconfig.h>

#include <memory>
#include <set>
#include <string>

#include "sysquery/linux/linux_query_library.h"

namespace bsi::sysquery_linux {
namespace {

std::int16_t CountFamilies() {
  // A private configuration: FcInit's global one would stay allocated for the life of the process.
  const std::unique_ptr<FcConfig, void (*)(FcConfig*)> config(FcInitLoadConfigAndFonts(), &FcConfigDestroy);
  if (!config) return 0;
  const std::unique_ptr<FcPattern, void (*)(FcPattern*)> pattern(FcPatternCreate(), &FcPatternDestroy);
  const std::unique_ptr<FcObjectSet, void (*)(FcObjectSet*)> objects(FcObjectSetBuild(FC_FAMILY, nullptr),
                                                                     &FcObjectSetDestroy);
  if (!pattern || !objects) return 0;
  const std::unique_ptr<FcFontSet, void (*)(FcFontSet*)> fonts(FcFontList(config.get(), pattern.get(), objects.get()),
                                                               &FcFontSetDestroy);
  if (!fonts) return 0;
  // A font may name several families (its localized names); the first is its own.
  std::set<std::string> families;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family != nullptr) {
      families.emplace(reinterpret_cast<const char*>(family));
    }
  }
  return static_cast<std::int16_t>(std::min<std::size_t>(families.size(), 32767));
}

class FontconfigScreen final : public Screen {
 public:
  std::int16_t FontCount() override { return CountFamilies(); }
};

}  // namespace

std::unique_ptr<Screen> CreateScreen() {
  return std::make_unique<FontconfigScreen>();
}

}  // namespace bsi::sysquery_linux
