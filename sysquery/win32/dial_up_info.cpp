// SPDX-License-Identifier: MIT
// DialUpInfo: whether a point-to-point adapter is up.
#include "query_object.h"

namespace bsq {
namespace {

class DialUpInfoObject final : public QueryObject<DialUpInfoObject, IDialUpInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DialUpInfo";

  STDMETHODIMP get_Active(VARIANT_BOOL* value) noexcept override {
    return Plain(value, [] { return ToVariantBool(ReadNetwork().dial_up_active); });
  }
};

}  // namespace

HRESULT CreateDialUpInfo(REFIID riid, void** object) noexcept {
  return DialUpInfoObject::Create(riid, object);
}

}  // namespace bsq
