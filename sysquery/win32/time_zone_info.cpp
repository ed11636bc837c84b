// SPDX-License-Identifier: MIT
// TimeZoneInfo: the current time zone; the list shows only its name.
#include "query_object.h"

namespace bsq {
namespace {

class TimeZoneInfoObject final : public QueryObject<TimeZoneInfoObject, ITimeZoneInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.TimeZoneInfo";

  STDMETHODIMP get_Bias(long* value) noexcept override {
    return Plain(value, [this] { return long{Read().bias}; });
  }
  STDMETHODIMP get_StandardName(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().standard_name; });
  }
  STDMETHODIMP get_StandardBias(long* value) noexcept override {
    return Plain(value, [this] { return long{Read().standard_bias}; });
  }
  STDMETHODIMP get_DaylightName(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().daylight_name; });
  }
  STDMETHODIMP get_DaylightBias(long* value) noexcept override {
    return Plain(value, [this] { return long{Read().daylight_bias}; });
  }
  STDMETHODIMP get_DaylightActive(VARIANT_BOOL* value) noexcept override {
    return Plain(value, [this] { return ToVariantBool(Read().daylight_active); });
  }
  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().name; });
  }

 private:
  const TimeZoneFacts& Read() {
    return facts_.Get([this] { return ReadTimeZone(); });
  }
  FreshFacts<TimeZoneFacts> facts_;
};

}  // namespace

HRESULT CreateTimeZoneInfo(REFIID riid, void** object) noexcept {
  return TimeZoneInfoObject::Create(riid, object);
}

}  // namespace bsq
