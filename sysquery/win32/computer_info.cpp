// SPDX-License-Identifier: MIT
// ComputerInfo: the computer's name, handed out as a VARIANT that holds a BSTR.
#include "query_object.h"

namespace bsq {
namespace {

class ComputerInfoObject final : public QueryObject<ComputerInfoObject, IComputerInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.ComputerInfo";

  STDMETHODIMP get_ComputerName(VARIANT* value) noexcept override {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    return Guard([&] {
      BSTR name = bsi::win32::AllocBstr(bsq::ComputerName());
      V_VT(value) = VT_BSTR;
      V_BSTR(value) = name;
    });
  }
};

}  // namespace

HRESULT CreateComputerInfo(REFIID riid, void** object) noexcept {
  return ComputerInfoObject::Create(riid, object);
}

}  // namespace bsq
