// SPDX-License-Identifier: MIT
// ProcessorInfo: the processor's name string.
#include "query_object.h"

namespace bsq {
namespace {

class ProcessorInfoObject final : public QueryObject<ProcessorInfoObject, IProcessorInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.ProcessorInfo";

  STDMETHODIMP get_Description(BSTR* value) noexcept override {
    return Text(value, [] { return ProcessorDescription(); });
  }
};

}  // namespace

HRESULT CreateProcessorInfo(REFIID riid, void** object) noexcept {
  return ProcessorInfoObject::Create(riid, object);
}

}  // namespace bsq
