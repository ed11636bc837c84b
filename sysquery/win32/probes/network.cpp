// SPDX-License-Identifier: MIT
// The network adapters from GetAdaptersAddresses (IPv4 only) and the default route from GetBestInterface; which
// of them the list shows is decided in network_choice.cpp. iphlpapi.dll is loaded on the first call, so that
// loading the library costs nothing for a host that never asks for the network.
// winsock2.h must come before iphlpapi.h.
#include <winsock2.h>

#include <iphlpapi.h>

#include <stdlib.h>

#include <cstdint>
#include <vector>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

using Adapter = IP_ADAPTER_ADDRESSES;

struct IpHelper {
  decltype(&GetAdaptersAddresses) adapters = nullptr;
  decltype(&GetBestInterface) best_interface = nullptr;
};

const IpHelper& TheIpHelper() {
  static const IpHelper helper = [] {
    const HMODULE module = detail::LoadSystemLibrary(L"iphlpapi.dll");
    IpHelper h;
    h.adapters = detail::ProcAddress<decltype(h.adapters)>(module, "GetAdaptersAddresses");
    h.best_interface = detail::ProcAddress<decltype(h.best_interface)>(module, "GetBestInterface");
    return h;
  }();
  if (helper.adapters == nullptr || helper.best_interface == nullptr) {
    detail::ThrowWin32(ERROR_DLL_NOT_FOUND, "the IP helper is not available");
  }
  return helper;
}

std::vector<std::uint64_t> AdapterBuffer() {
  constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
  ULONG size = 16 * 1024;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::vector<std::uint64_t> buffer((size + 7) / 8);  // 8-byte alignment for the structures
    ULONG length = static_cast<ULONG>(buffer.size() * 8);
    const ULONG status =
        TheIpHelper().adapters(AF_INET, kFlags, nullptr, reinterpret_cast<Adapter*>(buffer.data()), &length);
    if (status == ERROR_SUCCESS) return buffer;
    if (status == ERROR_NO_DATA) return {};
    if (status != ERROR_BUFFER_OVERFLOW) detail::ThrowWin32(status, "cannot list the network adapters");
    size = length > size ? length : size * 2;
  }
  detail::ThrowWin32(ERROR_BUFFER_OVERFLOW, "cannot list the network adapters");
}

AdapterFacts Facts(const Adapter& adapter) {
  AdapterFacts facts;
  facts.index = adapter.IfIndex;
  facts.type = adapter.IfType;
  facts.up = adapter.OperStatus == IfOperStatusUp;
  if (adapter.PhysicalAddressLength <= MAX_ADAPTER_ADDRESS_LENGTH) {
    facts.mac.assign(adapter.PhysicalAddress, adapter.PhysicalAddress + adapter.PhysicalAddressLength);
  }
  for (auto* unicast = adapter.FirstUnicastAddress; unicast != nullptr; unicast = unicast->Next) {
    const SOCKET_ADDRESS& address = unicast->Address;
    if (address.lpSockaddr == nullptr || address.iSockaddrLength < static_cast<INT>(sizeof(sockaddr_in))) continue;
    if (address.lpSockaddr->sa_family != AF_INET) continue;
    const auto* in = reinterpret_cast<const sockaddr_in*>(address.lpSockaddr);
    facts.addresses.emplace_back(_byteswap_ulong(in->sin_addr.s_addr),
                                 unicast->OnLinkPrefixLength);  // from network order
  }
  return facts;
}

DWORD DefaultRouteInterface() {
  // Any address outside the machine's own networks takes the default route; nothing is sent (TEST-NET-2).
  DWORD index = 0;
  if (TheIpHelper().best_interface(_byteswap_ulong(0xC6336401), &index) != NO_ERROR) return 0;  // 198.51.100.1
  return index;
}

}  // namespace

NetworkFacts ReadNetwork() {
  const std::vector<std::uint64_t> buffer = AdapterBuffer();
  std::vector<AdapterFacts> adapters;
  const auto* first = buffer.empty() ? nullptr : reinterpret_cast<const Adapter*>(buffer.data());
  for (const Adapter* adapter = first; adapter != nullptr; adapter = adapter->Next) adapters.push_back(Facts(*adapter));
  return ChooseNetworkFacts(adapters, DefaultRouteInterface());
}

}  // namespace bsq
