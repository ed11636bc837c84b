// SPDX-License-Identifier: MIT
// OSVersionInfo: the product name and version numbers of the running system.
#include "query_object.h"

namespace bsq {
namespace {

class OSVersionInfoObject final : public QueryObject<OSVersionInfoObject, IOSVersionInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.OSVersionInfo";

  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [] { return ReadOsVersion().name; });
  }
  STDMETHODIMP get_MajorVersion(long* value) noexcept override {
    return Plain(value, [] { return static_cast<long>(ReadOsVersion().major); });
  }
  STDMETHODIMP get_MinorVersion(long* value) noexcept override {
    return Plain(value, [] { return static_cast<long>(ReadOsVersion().minor); });
  }
  STDMETHODIMP get_BuildNumber(long* value) noexcept override {
    return Plain(value, [] { return static_cast<long>(ReadOsVersion().build); });
  }
};

}  // namespace

HRESULT CreateOSVersionInfo(REFIID riid, void** object) noexcept {
  return OSVersionInfoObject::Create(riid, object);
}

}  // namespace bsq
