// SPDX-License-Identifier: MIT
// The network adapters that hold IPv4 addresses, from the address table (GetIpAddrTable) and one interface entry
// each (GetIfEntry), and the default route from GetBestInterface; which of them the list shows is decided in
// network_choice.cpp. Under Wine these take about half the time of GetAdaptersAddresses, which matters because
// the window asks for the addresses on every refresh. iphlpapi.dll is loaded on the first call.
// winsock2.h must come before iphlpapi.h.
#include <winsock2.h>

#include <iphlpapi.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

struct IpHelper {
  decltype(&GetIpAddrTable) address_table = nullptr;
  decltype(&GetIfEntry) interface_entry = nullptr;
  decltype(&GetBestInterface) best_interface = nullptr;
};

const IpHelper& TheIpHelper() {
  static const IpHelper helper = [] {
    const HMODULE module = detail::LoadSystemLibrary(L"iphlpapi.dll");
    IpHelper h;
    h.address_table = detail::ProcAddress<decltype(h.address_table)>(module, "GetIpAddrTable");
    h.interface_entry = detail::ProcAddress<decltype(h.interface_entry)>(module, "GetIfEntry");
    h.best_interface = detail::ProcAddress<decltype(h.best_interface)>(module, "GetBestInterface");
    return h;
  }();
  if (!helper.address_table || !helper.interface_entry || !helper.best_interface) {
    detail::ThrowWin32(ERROR_DLL_NOT_FOUND, "the IP helper is not available");
  }
  return helper;
}

std::vector<MIB_IPADDRROW> AddressRows(const IpHelper& ip) {
  ULONG size = 4096;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::vector<std::uint64_t> buffer((size + 7) / 8);  // aligned for MIB_IPADDRTABLE
    ULONG length = static_cast<ULONG>(buffer.size() * 8);
    const DWORD status = ip.address_table(reinterpret_cast<MIB_IPADDRTABLE*>(buffer.data()), &length, FALSE);
    if (status == ERROR_NO_DATA) return {};
    if (status == NO_ERROR) {
      const auto* table = reinterpret_cast<const MIB_IPADDRTABLE*>(buffer.data());
      const std::size_t room = (buffer.size() * 8 - offsetof(MIB_IPADDRTABLE, table)) / sizeof(MIB_IPADDRROW);
      return {table->table, table->table + std::min<std::size_t>(table->dwNumEntries, room)};
    }
    if (status != ERROR_INSUFFICIENT_BUFFER) detail::ThrowWin32(status, "cannot list the IPv4 addresses");
    size = length > size ? length : size * 2;
  }
  detail::ThrowWin32(ERROR_INSUFFICIENT_BUFFER, "cannot list the IPv4 addresses");
}

/// The table holds addresses and masks in network byte order.
std::uint32_t HostOrder(DWORD network_order) {
  return _byteswap_ulong(network_order);
}

ULONG PrefixLength(DWORD mask) {
  const std::uint32_t bits = HostOrder(mask);
  ULONG length = 0;
  while (length < 32 && (bits & (0x80000000u >> length)) != 0) ++length;
  return length;
}

void ReadInterface(const IpHelper& ip, AdapterFacts& adapter) {
  const bool loopback = std::all_of(adapter.addresses.begin(), adapter.addresses.end(),
                                    [](const auto& a) { return (a.first >> 24) == 127; });
  if (loopback) {  // known without asking
    adapter.type = IF_TYPE_SOFTWARE_LOOPBACK;
    adapter.up = true;
    return;
  }
  MIB_IFROW row{};
  row.dwIndex = adapter.index;
  if (ip.interface_entry(&row) != NO_ERROR) return;  // vanished meanwhile: counts as down
  adapter.type = row.dwType;
  adapter.up = row.dwOperStatus == IF_OPER_STATUS_CONNECTED || row.dwOperStatus == IF_OPER_STATUS_OPERATIONAL;
  if (row.dwPhysAddrLen <= MAXLEN_PHYSADDR) adapter.mac.assign(row.bPhysAddr, row.bPhysAddr + row.dwPhysAddrLen);
}

DWORD DefaultRouteInterface(const IpHelper& ip) {
  // Any address outside the machine's own networks takes the default route; nothing is sent (TEST-NET-2).
  DWORD index = 0;
  if (ip.best_interface(_byteswap_ulong(0xC6336401), &index) != NO_ERROR) return 0;  // 198.51.100.1
  return index;
}

}  // namespace

NetworkFacts ReadNetwork() {
  const IpHelper& ip = TheIpHelper();
  std::vector<AdapterFacts> adapters;
  for (const MIB_IPADDRROW& row : AddressRows(ip)) {
    if ((row.wType & MIB_IPADDR_DELETED) != 0) continue;
    auto adapter =
        std::find_if(adapters.begin(), adapters.end(), [&](const auto& a) { return a.index == row.dwIndex; });
    if (adapter == adapters.end()) {
      adapters.emplace_back();
      adapter = adapters.end() - 1;
      adapter->index = row.dwIndex;
    }
    adapter->addresses.emplace_back(HostOrder(row.dwAddr), PrefixLength(row.dwMask));
  }
  // Interface order is the order the other adapters are searched for a local address in.
  std::sort(adapters.begin(), adapters.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
  for (AdapterFacts& adapter : adapters) ReadInterface(ip, adapter);
  return ChooseNetworkFacts(adapters, DefaultRouteInterface(ip));
}

}  // namespace bsq
