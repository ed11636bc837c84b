// SPDX-License-Identifier: MIT
// What every class of the library reads from: the tree below the folder that stands for "/", and the few facts
// of the running process that no file holds (environment, user id, interface addresses, language). The library
// made by CreateQueryLibrary(root) uses the process's own; tests hand in their own.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "query/query_library.h"
#include "resources/strings.h"
#include "sysquery/linux/system_tree.h"

namespace bsi::sysquery_linux {

/// One IPv4 address of a network interface.
struct InterfaceAddress {
  std::string name;           // "eth0"
  std::uint32_t address = 0;  // host byte order: 192.168.1.2 is 0xC0A80102
  std::uint32_t prefix = 0;   // on-link prefix length
  bool up = false;
  bool loopback = false;
};

struct Host {
  SystemTree tree;
  /// The value of an environment variable; empty when unset.
  std::function<std::string(const char*)> env;
  std::uint32_t uid = 0;
  /// The language of the texts the library writes (running time, drives).
  UiLanguage language = UiLanguage::English;
  /// The IPv4 addresses of the interfaces, in interface order.
  std::function<std::vector<InterfaceAddress>()> addresses;
};

/// The running process's view of the system below `root`: its environment, user id and language; the interface
/// addresses from getifaddrs when `root` is "/", none over any other tree.
Host ProcessHost(const std::string& root, UiLanguage language);
/// The addresses getifaddrs reports.
std::vector<InterfaceAddress> SystemInterfaceAddresses();

/// The library over `host`.
std::unique_ptr<QueryLibrary> CreateQueryLibrary(std::shared_ptr<const Host> host);

using HostPtr = std::shared_ptr<const Host>;
// One factory per class, each in the class's own file.
std::unique_ptr<QueryObject> NewRegistryReader(HostPtr host);
std::unique_ptr<QueryObject> NewOSVersionInfo(HostPtr host);
std::unique_ptr<QueryObject> NewProcessorInfo(HostPtr host);
std::unique_ptr<QueryObject> NewMemoryInfo(HostPtr host);
std::unique_ptr<QueryObject> NewComputerInfo(HostPtr host);
std::unique_ptr<QueryObject> NewUserInfo(HostPtr host);
std::unique_ptr<QueryObject> NewAdminRightsInfo(HostPtr host);
std::unique_ptr<QueryObject> NewNetworkInfo(HostPtr host);
std::unique_ptr<QueryObject> NewDialUpInfo(HostPtr host);
std::unique_ptr<QueryObject> NewDefaultBrowserInfo(HostPtr host);
std::unique_ptr<QueryObject> NewFolderInfo(HostPtr host);
std::unique_ptr<QueryObject> NewDisplayInfo(HostPtr host);
std::unique_ptr<QueryObject> NewDefaultPrinterInfo(HostPtr host);
std::unique_ptr<QueryObject> NewSoundInfo(HostPtr host);
std::unique_ptr<QueryObject> NewUptimeInfo(HostPtr host);
std::unique_ptr<QueryObject> NewTimeZoneInfo(HostPtr host);
std::unique_ptr<QueryObject> NewDriveInfo(HostPtr host);
std::unique_ptr<QueryObject> NewProgressBarColors(HostPtr host);

}  // namespace bsi::sysquery_linux
