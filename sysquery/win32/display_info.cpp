// SPDX-License-Identifier: MIT
// DisplayInfo: the primary screen's size in pixels and its colour depth.
#include "query_object.h"

namespace bsq {
namespace {

class DisplayInfoObject final : public QueryObject<DisplayInfoObject, IDisplayInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DisplayInfo";

  STDMETHODIMP get_BitsPerPixel(CY* value) noexcept override {
    // Currency counts ten-thousandths.
    return Plain(value, [this] {
      CY depth{};
      depth.int64 = static_cast<LONGLONG>(Read().bits_per_pixel) * 10000;
      return depth;
    });
  }
  STDMETHODIMP get_Width(long* value) noexcept override {
    return Plain(value, [this] { return long{Read().width}; });
  }
  STDMETHODIMP get_Height(long* value) noexcept override {
    return Plain(value, [this] { return long{Read().height}; });
  }

 private:
  const DisplayFacts& Read() { return facts_.Get(ReadDisplay); }
  FreshFacts<DisplayFacts> facts_;
};

}  // namespace

HRESULT CreateDisplayInfo(REFIID riid, void** object) noexcept {
  return DisplayInfoObject::Create(riid, object);
}

}  // namespace bsq
