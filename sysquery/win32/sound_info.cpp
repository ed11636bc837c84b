// SPDX-License-Identifier: MIT
// SoundInfo: whether a wave-out device exists, as a VARIANT that holds a Boolean.
#include "query_object.h"

namespace bsq {
namespace {

class SoundInfoObject final : public QueryObject<SoundInfoObject, ISoundInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.SoundInfo";

  STDMETHODIMP get_Installed(VARIANT* value) noexcept override {
    return Variant(value, [](VARIANT* out) {
      const bool installed = SoundInstalled();
      V_VT(out) = VT_BOOL;
      V_BOOL(out) = ToVariantBool(installed);
    });
  }
};

}  // namespace

HRESULT CreateSoundInfo(REFIID riid, void** object) noexcept {
  return SoundInfoObject::Create(riid, object);
}

}  // namespace bsq
