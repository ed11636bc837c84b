// SPDX-License-Identifier: MIT
// NetworkInfo: addresses of the adapter that carries the default route.
#include "query_object.h"

namespace bsq {
namespace {

class NetworkInfoObject final : public QueryObject<NetworkInfoObject, INetworkInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.NetworkInfo";

  STDMETHODIMP get_LocalIP(BSTR* value) noexcept override { return Fact(value, &NetworkFacts::local_ip); }
  STDMETHODIMP get_NetworkIP(BSTR* value) noexcept override { return Fact(value, &NetworkFacts::network_ip); }
  STDMETHODIMP get_LocalSubnetMask(BSTR* value) noexcept override { return Fact(value, &NetworkFacts::local_mask); }
  STDMETHODIMP get_NetworkSubnetMask(BSTR* value) noexcept override { return Fact(value, &NetworkFacts::network_mask); }
  STDMETHODIMP get_MACAddress(BSTR* value) noexcept override { return Fact(value, &NetworkFacts::mac); }

 private:
  // GetAdaptersAddresses takes milliseconds: the five addresses of one list build share one read.
  HRESULT Fact(BSTR* value, std::wstring NetworkFacts::*fact) noexcept {
    return Text(value, [&] { return facts_.Get(ReadNetwork).*fact; });
  }
  FreshFacts<NetworkFacts> facts_;
};

}  // namespace

HRESULT CreateNetworkInfo(REFIID riid, void** object) noexcept {
  return NetworkInfoObject::Create(riid, object);
}

}  // namespace bsq
