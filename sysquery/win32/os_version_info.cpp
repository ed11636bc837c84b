// SPDX-License-Identifier: MIT
// OSVersionInfo: the product name and version numbers of the running system.
#include "query_object.h"

namespace bsq {
namespace {

class OSVersionInfoObject final : public QueryObject<OSVersionInfoObject, IOSVersionInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.OSVersionInfo";

  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().name; });
  }
  STDMETHODIMP get_MajorVersion(long* value) noexcept override {
    return Plain(value, [this] { return static_cast<long>(Read().major); });
  }
  STDMETHODIMP get_MinorVersion(long* value) noexcept override {
    return Plain(value, [this] { return static_cast<long>(Read().minor); });
  }
  STDMETHODIMP get_BuildNumber(long* value) noexcept override {
    return Plain(value, [this] { return static_cast<long>(Read().build); });
  }

 private:
  const OsVersion& Read() { return facts_.Get(ReadOsVersion); }
  FreshFacts<OsVersion> facts_;
};

}  // namespace

HRESULT CreateOSVersionInfo(REFIID riid, void** object) noexcept {
  return OSVersionInfoObject::Create(riid, object);
}

}  // namespace bsq
