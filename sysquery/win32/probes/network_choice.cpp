// SPDX-License-Identifier: MIT
// Which address the list calls local and which network, among the adapters that are up:
//   network: the first IPv4 address of the adapter that carries the default route, the one the machine reaches
//            other networks through; that adapter's MAC address is the one shown.
//   local:   the machine's address in its own private network (10/8, 172.16/12, 192.168/16, 169.254/16), taken
//            from the default-route adapter first, then from the other adapters in their order; without one, the
//            loopback address 127.0.0.1/255.0.0.0.
// An adapter that is up and of the point-to-point type (PPP) is an active dial-up connection.
#include <windows.h>

#include <ipifcons.h>

#include <string>

#include "probes.h"

namespace bsq {
namespace {

std::wstring Ipv4Text(std::uint32_t address) {
  return std::to_wstring(address >> 24) + L"." + std::to_wstring((address >> 16) & 0xFF) + L"." +
         std::to_wstring((address >> 8) & 0xFF) + L"." + std::to_wstring(address & 0xFF);
}

bool IsPrivate(std::uint32_t address) {
  return (address >> 24) == 10 || (address >> 20) == 0xAC1 || (address >> 16) == 0xC0A8 || (address >> 16) == 0xA9FE;
}

/// The first address of the adapter that passes the filter, with its mask; false when there is none.
template <typename Filter>
bool Pick(const AdapterFacts& adapter, Filter filter, std::wstring& ip, std::wstring& mask) {
  for (const auto& [address, prefix] : adapter.addresses) {
    if (!filter(address)) continue;
    ip = Ipv4Text(address);
    mask = Ipv4MaskText(prefix);
    return true;
  }
  return false;
}

}  // namespace

std::wstring Ipv4MaskText(ULONG prefix_length) {
  if (prefix_length > 32) return {};
  return Ipv4Text(prefix_length == 0 ? 0 : 0xFFFFFFFFu << (32 - prefix_length));
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

NetworkFacts ChooseNetworkFacts(const std::vector<AdapterFacts>& adapters, DWORD default_route_index) {
  NetworkFacts facts;
  const AdapterFacts* route = nullptr;
  for (const AdapterFacts& adapter : adapters) {
    if (!adapter.up) continue;
    if (adapter.type == IF_TYPE_PPP) facts.dial_up_active = true;
    if (route == nullptr && default_route_index != 0 && adapter.index == default_route_index) route = &adapter;
  }
  const auto any = [](std::uint32_t) { return true; };
  if (route != nullptr) {
    Pick(*route, any, facts.network_ip, facts.network_mask);
    facts.mac = MacAddressText(route->mac.data(), route->mac.size());
    Pick(*route, IsPrivate, facts.local_ip, facts.local_mask);
  }
  for (const AdapterFacts& adapter : adapters) {
    if (!facts.local_ip.empty()) break;
    if (adapter.up && adapter.type != IF_TYPE_SOFTWARE_LOOPBACK)
      Pick(adapter, IsPrivate, facts.local_ip, facts.local_mask);
  }
  if (facts.local_ip.empty()) {
    facts.local_ip = L"127.0.0.1";
    facts.local_mask = L"255.0.0.0";
  }
  return facts;
}

}  // namespace bsq
