// SPDX-License-Identifier: MIT
// AdminRightsInfo: whether the process token belongs to the Administrators group.
#include "query_object.h"

namespace bsq {
namespace {

class AdminRightsInfoObject final : public QueryObject<AdminRightsInfoObject, IAdminRightsInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.AdminRightsInfo";

  STDMETHODIMP get_IsAdmin(VARIANT_BOOL* value) noexcept override {
    return Plain(value, [] { return ToVariantBool(IsAdministrator()); });
  }
};

}  // namespace

HRESULT CreateAdminRightsInfo(REFIID riid, void** object) noexcept {
  return AdminRightsInfoObject::Create(riid, object);
}

}  // namespace bsq
