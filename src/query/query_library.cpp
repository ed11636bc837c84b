// SPDX-License-Identifier: MIT
#include "query/query_library.h"

#include <array>

namespace bsi {

std::string_view QueryClassName(QueryClass cls) {
  static constexpr std::array<std::string_view, kQueryClassCount> kNames = {
      "RegistryReader",     "OSVersionInfo", "ProcessorInfo", "MemoryInfo",         "ComputerInfo", "UserInfo",
      "AdminRightsInfo",    "NetworkInfo",   "DialUpInfo",    "DefaultBrowserInfo", "FolderInfo",   "DisplayInfo",
      "DefaultPrinterInfo", "SoundInfo",     "UptimeInfo",    "TimeZoneInfo",       "DriveInfo",    "ProgressBarColors",
  };
  const auto index = static_cast<std::size_t>(cls);
  return index < kNames.size() ? kNames[index] : std::string_view("?");
}

}  // namespace bsi
