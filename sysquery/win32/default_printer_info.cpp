// SPDX-License-Identifier: MIT
// DefaultPrinterInfo: the default printer, its driver and its port; empty texts without one.
#include "query_object.h"

namespace bsq {
namespace {

class DefaultPrinterInfoObject final : public QueryObject<DefaultPrinterInfoObject, IDefaultPrinterInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DefaultPrinterInfo";

  STDMETHODIMP get_Name(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().name; });
  }
  STDMETHODIMP get_Detail1(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().detail1; });
  }
  STDMETHODIMP get_Detail2(BSTR* value) noexcept override {
    return Text(value, [this] { return Read().detail2; });
  }

 private:
  const PrinterFacts& Read() { return facts_.Get(ReadDefaultPrinter); }
  FreshFacts<PrinterFacts> facts_;
};

}  // namespace

HRESULT CreateDefaultPrinterInfo(REFIID riid, void** object) noexcept {
  return DefaultPrinterInfoObject::Create(riid, object);
}

}  // namespace bsq
