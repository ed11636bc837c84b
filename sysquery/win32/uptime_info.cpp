// SPDX-License-Identifier: MIT
// UptimeInfo: how long the system has been running, in words of the user's language.
#include "query_object.h"
#include "ui_language.h"

namespace bsq {
namespace {

class UptimeInfoObject final : public QueryObject<UptimeInfoObject, IUptimeInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.UptimeInfo";

  STDMETHODIMP get_RunningTime(BSTR* value) noexcept override {
    return Text(value, [] { return RunningTimeText(RunningMilliseconds(), bsi::win32::UserUiLanguage()); });
  }
};

}  // namespace

HRESULT CreateUptimeInfo(REFIID riid, void** object) noexcept {
  return UptimeInfoObject::Create(riid, object);
}

}  // namespace bsq
