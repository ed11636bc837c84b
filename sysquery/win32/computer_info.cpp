// SPDX-License-Identifier: MIT
// ComputerInfo: the computer's name, handed out as a VARIANT that holds a BSTR.
#include "query_object.h"

namespace bsq {
namespace {

class ComputerInfoObject final : public QueryObject<ComputerInfoObject, IComputerInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.ComputerInfo";

  STDMETHODIMP get_ComputerName(VARIANT* value) noexcept override {
    return Variant(value, [](VARIANT* out) {
      BSTR name = bsi::win32::AllocBstr(bsq::ComputerName());
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = name;
    });
  }
};

}  // namespace

HRESULT CreateComputerInfo(REFIID riid, void** object) noexcept {
  return ComputerInfoObject::Create(riid, object);
}

}  // namespace bsq
