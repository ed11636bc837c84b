// SPDX-License-Identifier: MIT
// DefaultBrowserInfo: the handler of http links: its name, the detail the list shows, its program.
#include "query_object.h"

namespace bsq {
namespace {

class DefaultBrowserInfoObject final : public QueryObject<DefaultBrowserInfoObject, IDefaultBrowserInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DefaultBrowserInfo";

  STDMETHODIMP get_Detail(BSTR* value) noexcept override {
    return Text(value, [] { return ReadDefaultBrowser().detail; });
  }
  STDMETHODIMP get_Executable(BSTR* value) noexcept override {
    return Text(value, [] { return ReadDefaultBrowser().executable; });
  }
  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [] { return ReadDefaultBrowser().name; });
  }
};

}  // namespace

HRESULT CreateDefaultBrowserInfo(REFIID riid, void** object) noexcept {
  return DefaultBrowserInfoObject::Create(riid, object);
}

}  // namespace bsq
