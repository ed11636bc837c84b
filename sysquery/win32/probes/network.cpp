// SPDX-License-Identifier: MIT
// Addresses, masks, MAC address and dial-up state from GetAdaptersAddresses (IPv4 only).
//   network: the first IPv4 address of the adapter that carries the default route, the one the machine reaches
//            other networks through; its MAC address is the one shown.
//   local:   the machine's address in its own private network (10/8, 172.16/12, 192.168/16, 169.254/16), taken
//            from the default-route adapter first, then from any other adapter that is up; without one, the
//            loopback address 127.0.0.1/255.0.0.0.
// An adapter that is up and of the point-to-point type (PPP) is an active dial-up connection.
// winsock2.h must come before iphlpapi.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>

#include <cstdint>
#include <string>
#include <vector>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

using Adapter = IP_ADAPTER_ADDRESSES;

std::vector<std::uint64_t> AdapterBuffer() {
  constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  ULONG size = 16 * 1024;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::vector<std::uint64_t> buffer((size + 7) / 8);  // 8-byte alignment for the structures
    ULONG length = static_cast<ULONG>(buffer.size() * 8);
    const ULONG status =
        GetAdaptersAddresses(AF_INET, kFlags, nullptr, reinterpret_cast<Adapter*>(buffer.data()), &length);
    if (status == ERROR_SUCCESS) return buffer;
    if (status == ERROR_NO_DATA) return {};
    if (status != ERROR_BUFFER_OVERFLOW) detail::ThrowWin32(status, "cannot list the network adapters");
    size = length > size ? length : size * 2;
  }
  detail::ThrowWin32(ERROR_BUFFER_OVERFLOW, "cannot list the network adapters");
}

const sockaddr_in* Ipv4(const IP_ADAPTER_UNICAST_ADDRESS* unicast) {
  const SOCKET_ADDRESS& address = unicast->Address;
  if (address.lpSockaddr == nullptr || address.iSockaddrLength < static_cast<INT>(sizeof(sockaddr_in))) return nullptr;
  if (address.lpSockaddr->sa_family != AF_INET) return nullptr;
  return reinterpret_cast<const sockaddr_in*>(address.lpSockaddr);
}

std::wstring AddressText(const sockaddr_in* address) {
  const auto* b = reinterpret_cast<const unsigned char*>(&address->sin_addr);
  return std::to_wstring(b[0]) + L"." + std::to_wstring(b[1]) + L"." + std::to_wstring(b[2]) + L"." +
         std::to_wstring(b[3]);
}

bool IsPrivate(const sockaddr_in* address) {
  const auto* b = reinterpret_cast<const unsigned char*>(&address->sin_addr);
  return b[0] == 10 || (b[0] == 172 && (b[1] & 0xF0) == 16) || (b[0] == 192 && b[1] == 168) ||
         (b[0] == 169 && b[1] == 254);
}

bool IsUsable(const Adapter* adapter) {
  return adapter->OperStatus == IfOperStatusUp && adapter->IfType != IF_TYPE_SOFTWARE_LOOPBACK;
}

/// The first IPv4 address of an adapter matching the filter, with its mask; false when there is none.
template <typename Filter>
bool Pick(const Adapter* adapter, Filter filter, std::wstring& ip, std::wstring& mask) {
  for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr; unicast = unicast->Next) {
    const sockaddr_in* address = Ipv4(unicast);
    if (address == nullptr || !filter(address)) continue;
    ip = AddressText(address);
    mask = Ipv4MaskText(unicast->OnLinkPrefixLength);
    return true;
  }
  return false;
}

DWORD DefaultRouteInterface() {
  // Any address outside the machine's own networks takes the default route; nothing is sent (TEST-NET-2).
  DWORD index = 0;
  if (GetBestInterface(inet_addr("198.51.100.1"), &index) != NO_ERROR) return 0;
  return index;
}

}  // namespace

std::wstring Ipv4MaskText(ULONG prefix_length) {
  if (prefix_length > 32) return {};
  const std::uint32_t mask = prefix_length == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix_length);
  return std::to_wstring(mask >> 24) + L"." + std::to_wstring((mask >> 16) & 0xFF) + L"." +
         std::to_wstring((mask >> 8) & 0xFF) + L"." + std::to_wstring(mask & 0xFF);
}

std::wstring MacAddressText(const BYTE* bytes, std::size_t length) {
  static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring text;
  for (std::size_t i = 0; bytes != nullptr && i < length; ++i) {
    if (i > 0) text.push_back(L'-');
    text.push_back(kHex[bytes[i] >> 4]);
    text.push_back(kHex[bytes[i] & 0x0F]);
  }
  return text;
}

NetworkFacts ReadNetwork() {
  const std::vector<std::uint64_t> buffer = AdapterBuffer();
  const Adapter* first = buffer.empty() ? nullptr : reinterpret_cast<const Adapter*>(buffer.data());
  const DWORD route_index = DefaultRouteInterface();
  const auto any = [](const sockaddr_in*) { return true; };

  NetworkFacts facts;
  const Adapter* route = nullptr;
  for (const Adapter* a = first; a != nullptr; a = a->Next) {
    if (a->OperStatus == IfOperStatusUp && a->IfType == IF_TYPE_PPP) facts.dial_up_active = true;
    if (route == nullptr && route_index != 0 && a->IfIndex == route_index && IsUsable(a)) route = a;
  }
  if (route != nullptr) {
    Pick(route, any, facts.network_ip, facts.network_mask);
    if (route->PhysicalAddressLength <= MAX_ADAPTER_ADDRESS_LENGTH) {
      facts.mac = MacAddressText(route->PhysicalAddress, route->PhysicalAddressLength);
    }
    Pick(route, IsPrivate, facts.local_ip, facts.local_mask);
  }
  for (const Adapter* a = first; a != nullptr && facts.local_ip.empty(); a = a->Next) {
    if (IsUsable(a)) Pick(a, IsPrivate, facts.local_ip, facts.local_mask);
  }
  if (facts.local_ip.empty()) {
    facts.local_ip = L"127.0.0.1";
    facts.local_mask = L"255.0.0.0";
  }
  return facts;
}

}  // namespace bsq
