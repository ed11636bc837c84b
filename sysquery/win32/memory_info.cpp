// SPDX-License-Identifier: MIT
// MemoryInfo: memory sizes in bytes, as plain decimal digits.
#include "query_object.h"

#include <cstdint>
#include <string>

namespace bsq {
namespace {

class MemoryInfoObject final : public QueryObject<MemoryInfoObject, IMemoryInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.MemoryInfo";

  STDMETHODIMP get_PhysicalTotal(BSTR* value) noexcept override {
    return Amount(value, &MemoryFigures::physical_total);
  }
  STDMETHODIMP get_PhysicalFree(BSTR* value) noexcept override { return Amount(value, &MemoryFigures::physical_free); }
  STDMETHODIMP get_PageFileTotal(BSTR* value) noexcept override {
    return Amount(value, &MemoryFigures::page_file_total);
  }
  STDMETHODIMP get_PageFileFree(BSTR* value) noexcept override { return Amount(value, &MemoryFigures::page_file_free); }
  STDMETHODIMP get_VirtualTotal(BSTR* value) noexcept override { return Amount(value, &MemoryFigures::virtual_total); }
  STDMETHODIMP get_VirtualFree(BSTR* value) noexcept override { return Amount(value, &MemoryFigures::virtual_free); }

 private:
  // std::to_wstring writes plain digits whatever the locale: no separators, no sign.
  static HRESULT Amount(BSTR* value, std::uint64_t MemoryFigures::*figure) noexcept {
    return Text(value, [&] { return std::to_wstring(ReadMemory().*figure); });
  }
};

}  // namespace

HRESULT CreateMemoryInfo(REFIID riid, void** object) noexcept {
  return MemoryInfoObject::Create(riid, object);
}

}  // namespace bsq
