// SPDX-License-Identifier: MIT
// NetworkInfo: the addresses the Windows library shows, chosen the same way.
//   network IP / mask  the first IPv4 address of the interface that carries the default route (proc/net/route:
//                      destination and mask 0, flag UP, the lowest metric); empty without a default route
//   local IP / mask    the machine's address in a private network (10/8, 172.16/12, 192.168/16, 169.254/16): from
//                      the default-route interface first, then from the other interfaces that are up, in their
//                      order; without one 127.0.0.1 / 255.0.0.0
//   MAC address        sys/class/net/<default-route interface>/address, as 00-1A-2B-3C-4D-5E
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <bit>
#include <optional>

#include "sysquery/linux/host.h"
#include "sysquery/linux/text_forms.h"

namespace bsi::sysquery_linux {
namespace {

constexpr unsigned kRouteUp = 0x1;  // RTF_UP

bool IsPrivate(std::uint32_t address) {
  return (address >> 24) == 10 || (address >> 20) == 0xAC1 || (address >> 16) == 0xC0A8 || (address >> 16) == 0xA9FE;
}

// An interface name that names one folder below sys/class/net and nothing else.
bool IsInterfaceName(std::string_view name) {
  return !name.empty() && name.size() < 64 && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

std::optional<std::uint32_t> Hex32(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    const int digit = c >= '0' && c <= '9'   ? c - '0'
                      : c >= 'A' && c <= 'F' ? c - 'A' + 10
                      : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                             : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

struct Facts {
  Text local_ip, local_mask, network_ip, network_mask, mac;
};

class LinuxNetworkInfo final : public NetworkInfo {
 public:
  explicit LinuxNetworkInfo(HostPtr host) : host_(std::move(host)) {}

  Text LocalIP() override { return Read().local_ip; }
  Text NetworkIP() override { return Read().network_ip; }
  Text LocalSubnetMask() override { return Read().local_mask; }
  Text NetworkSubnetMask() override { return Read().network_mask; }
  Text MACAddress() override { return Read().mac; }

 private:
  // One snapshot per object: the rows of one list build agree with each other.
  const Facts& Read() {
    if (!facts_) facts_ = Choose(DefaultRouteInterface(), host_->addresses());
    return *facts_;
  }

  // The interface of the default route with the lowest metric; empty when there is none. Without the routing
  // table (no IPv4 in the kernel) there is no default route either.
  std::string DefaultRouteInterface() const {
    const auto table = host_->tree.ReadIfPresent("proc/net/route");
    if (!table) return {};
    std::string best;
    std::uint64_t best_metric = UINT64_MAX;
    for (const std::string_view line : Lines(*table)) {
      // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
      const auto words = Words(line);
      if (words.size() < 8 || !IsInterfaceName(words[0])) continue;
      const auto destination = Hex32(words[1]);
      const auto flags = Hex32(words[3]);
      const auto metric = ParseWhole(words[6]);
      const auto mask = Hex32(words[7]);
      if (!destination || !flags || !metric || !mask) continue;
      if (*destination != 0 || *mask != 0 || (*flags & kRouteUp) == 0 || *metric >= best_metric) continue;
      best = std::string(words[0]);
      best_metric = *metric;
    }
    return best;
  }

  Facts Choose(const std::string& route, const std::vector<InterfaceAddress>& addresses) const {
    Facts facts;
    const auto pick = [&](const InterfaceAddress& entry, Text& ip, Text& mask) {
      ip = Ipv4Text(entry.address);
      mask = Ipv4MaskText(entry.prefix);
    };
    if (!route.empty()) {
      for (const InterfaceAddress& entry : addresses) {
        if (entry.name != route) continue;
        if (facts.network_ip.empty()) pick(entry, facts.network_ip, facts.network_mask);
        if (facts.local_ip.empty() && IsPrivate(entry.address)) pick(entry, facts.local_ip, facts.local_mask);
      }
      facts.mac = MacAddressText(host_->tree.FirstLine("sys/class/net/" + route + "/address").value_or(""));
    }
    for (const InterfaceAddress& entry : addresses) {
      if (!facts.local_ip.empty()) break;
      if (entry.up && !entry.loopback && IsPrivate(entry.address)) pick(entry, facts.local_ip, facts.local_mask);
    }
    if (facts.local_ip.empty()) {
      facts.local_ip = u"127.0.0.1";
      facts.local_mask = u"255.0.0.0";
    }
    return facts;
  }

  HostPtr host_;
  std::optional<Facts> facts_;
};

}  // namespace

std::vector<InterfaceAddress> SystemInterfaceAddresses() {
  std::vector<InterfaceAddress> result;
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return result;
  for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
    if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET || entry->ifa_name == nullptr) continue;
    InterfaceAddress address;
    address.name = entry->ifa_name;
    address.address = ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
    if (entry->ifa_netmask != nullptr) {
      address.prefix = static_cast<std::uint32_t>(
          std::popcount(ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_netmask)->sin_addr.s_addr)));
    }
    address.up = (entry->ifa_flags & IFF_UP) != 0;
    address.loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
    result.push_back(std::move(address));
  }
  ::freeifaddrs(list);
  return result;
}

std::unique_ptr<QueryObject> NewNetworkInfo(HostPtr host) {
  return std::make_unique<LinuxNetworkInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
