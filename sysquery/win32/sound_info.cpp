// SPDX-License-Identifier: MIT
// SoundInfo: whether a wave-out device exists, as a VARIANT that holds a Boolean.
#include "query_object.h"

namespace bsq {
namespace {

class SoundInfoObject final : public QueryObject<SoundInfoObject, ISoundInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.SoundInfo";

  STDMETHODIMP get_Installed(VARIANT* value) noexcept override {
    if (value == nullptr) return E_POINTER;
    VariantInit(value);
    return Guard([&] {
      const bool installed = SoundInstalled();
      V_VT(value) = VT_BOOL;
      V_BOOL(value) = ToVariantBool(installed);
    });
  }
};

}  // namespace

HRESULT CreateSoundInfo(REFIID riid, void** object) noexcept {
  return SoundInfoObject::Create(riid, object);
}

}  // namespace bsq
