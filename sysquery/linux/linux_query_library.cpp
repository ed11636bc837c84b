// SPDX-License-Identifier: MIT
// The library's factory: one object per class over a shared host.
#include "sysquery/linux/linux_query_library.h"

#include <unistd.h>

#include <array>
#include <cstdlib>

#include "runtime/error.h"
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

using Factory = std::unique_ptr<QueryObject> (*)(HostPtr);

// In the order of QueryClass.
constexpr std::array<Factory, kQueryClassCount> kFactories = {
    NewRegistryReader, NewOSVersionInfo,   NewProcessorInfo,      NewMemoryInfo, NewComputerInfo,
    NewUserInfo,       NewAdminRightsInfo, NewNetworkInfo,        NewDialUpInfo, NewDefaultBrowserInfo,
    NewFolderInfo,     NewDisplayInfo,     NewDefaultPrinterInfo, NewSoundInfo,  NewUptimeInfo,
    NewTimeZoneInfo,   NewDriveInfo,       NewProgressBarColors,
};

class Library final : public QueryLibrary {
 public:
  explicit Library(HostPtr host) : host_(std::move(host)) {}
  std::unique_ptr<QueryObject> Create(QueryClass cls) override {
    const auto index = static_cast<std::size_t>(cls);
    if (index >= kFactories.size()) Raise(err::kCannotCreateObject);
    return kFactories[index](host_);
  }

 private:
  HostPtr host_;
};

}  // namespace

Host ProcessHost(const std::string& root, UiLanguage language) {
  Host host{SystemTree(root), nullptr, static_cast<std::uint32_t>(::getuid()), language, nullptr};
  host.env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value == nullptr ? "" : value);
  };
  if (host.tree.root() == "/") {
    host.addresses = SystemInterfaceAddresses;
  } else {
    host.addresses = [] { return std::vector<InterfaceAddress>(); };
  }
  return host;
}

std::unique_ptr<QueryLibrary> CreateQueryLibrary(std::shared_ptr<const Host> host) {
  return std::make_unique<Library>(std::move(host));
}

std::unique_ptr<QueryLibrary> CreateQueryLibrary(const std::filesystem::path& root, UiLanguage language) {
  return CreateQueryLibrary(std::make_shared<const Host>(ProcessHost(root.string(), language)));
}

std::unique_ptr<QueryLibrary> CreateQueryLibrary(const std::filesystem::path& root) {
  return CreateQueryLibrary(root, LanguageFromEnvironment([](const char* n) -> const char* { return std::getenv(n); }));
}

}  // namespace bsi::sysquery_linux
