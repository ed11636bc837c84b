// SPDX-License-Identifier: MIT
// TimeZoneInfo: the current time zone; the list shows only its name.
#include "query_object.h"

namespace bsq {
namespace {

class TimeZoneInfoObject final : public QueryObject<TimeZoneInfoObject, ITimeZoneInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.TimeZoneInfo";

  STDMETHODIMP get_Bias(long* value) noexcept override {
    return Plain(value, [] { return long{Read().bias}; });
  }
  STDMETHODIMP get_StandardName(BSTR* value) noexcept override {
    return Text(value, [] { return Read().standard_name; });
  }
  STDMETHODIMP get_StandardBias(long* value) noexcept override {
    return Plain(value, [] { return long{Read().standard_bias}; });
  }
  STDMETHODIMP get_DaylightName(BSTR* value) noexcept override {
    return Text(value, [] { return Read().daylight_name; });
  }
  STDMETHODIMP get_DaylightBias(long* value) noexcept override {
    return Plain(value, [] { return long{Read().daylight_bias}; });
  }
  STDMETHODIMP get_DaylightActive(VARIANT_BOOL* value) noexcept override {
    return Plain(value, [] { return ToVariantBool(Read().daylight_active); });
  }
  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [] { return Read().name; });
  }

 private:
  static TimeZoneFacts Read() { return ReadTimeZone(UiLanguage()); }
};

}  // namespace

HRESULT CreateTimeZoneInfo(REFIID riid, void** object) noexcept {
  return TimeZoneInfoObject::Create(riid, object);
}

}  // namespace bsq
