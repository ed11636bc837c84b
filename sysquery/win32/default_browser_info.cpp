// SPDX-License-Identifier: MIT
// DefaultBrowserInfo: the handler of http links: its name, the detail the list shows, its program.
#include "query_object.h"

namespace bsq {
namespace {

class DefaultBrowserInfoObject final : public QueryObject<DefaultBrowserInfoObject, IDefaultBrowserInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DefaultBrowserInfo";

  STDMETHODIMP get_Detail(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().detail; });
  }
  STDMETHODIMP get_Executable(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().executable; });
  }
  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().name; });
  }

 private:
  // Each association query takes milliseconds; the three texts come from one reading.
  const BrowserFacts& Read() { return facts_.Get(ReadDefaultBrowser); }
  FreshFacts<BrowserFacts> facts_;
};

}  // namespace

HRESULT CreateDefaultBrowserInfo(REFIID riid, void** object) noexcept {
  return DefaultBrowserInfoObject::Create(riid, object);
}

}  // namespace bsq
