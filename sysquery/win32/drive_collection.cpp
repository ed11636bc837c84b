// SPDX-License-Identifier: MIT
// The drive collection and its IEnumVARIANT. Items count from 1; an index outside 1..Count is run-time error 9,
// as a Collection raises it.
#include "drive_collection.h"

#include <memory>

#include "query_object.h"
#include "runtime/error.h"

namespace bsq {
namespace {

using Texts = std::shared_ptr<const std::vector<std::wstring>>;

HRESULT TextVariant(const std::wstring& text, VARIANT* out) noexcept {
  BSTR copy = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (copy == nullptr) return E_OUTOFMEMORY;
  V_VT(out) = VT_BSTR;
  V_BSTR(out) = copy;
  return S_OK;
}

class DriveEnumerator final : public bsi::win32::com::ComObject<DriveEnumerator, IEnumVARIANT> {
 public:
  DriveEnumerator(Texts texts, std::size_t next) noexcept : texts_(std::move(texts)), next_(next) {}

  STDMETHODIMP Next(ULONG count, VARIANT* items, ULONG* fetched) noexcept override {
    if (fetched != nullptr) *fetched = 0;
    if (items == nullptr) return E_POINTER;
    ULONG done = 0;
    while (done < count && next_ < texts_->size()) {
      VariantInit(&items[done]);
      const HRESULT hr = TextVariant((*texts_)[next_], &items[done]);
      if (FAILED(hr)) {
        for (ULONG i = 0; i < done; ++i) VariantClear(&items[i]);
        return hr;
      }
      ++done;
      ++next_;
    }
    if (fetched != nullptr) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    const std::size_t left = texts_->size() - next_;
    next_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() noexcept override {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumVARIANT** copy) noexcept override {
    return DriveEnumerator::Create(IID_IEnumVARIANT, reinterpret_cast<void**>(copy), texts_, next_);
  }

 private:
  Texts texts_;
  std::size_t next_;
};

class DriveCollectionObject final : public QueryObject<DriveCollectionObject, IDriveCollection> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DriveInfo";

  explicit DriveCollectionObject(Texts texts) noexcept : texts_(std::move(texts)) {}

  STDMETHODIMP get_Count(long* count) noexcept override {
    return Plain(count, [&] { return static_cast<long>(texts_->size()); });
  }
  STDMETHODIMP get_Item(VARIANT index, VARIANT* item) noexcept override {
    return Variant(item, [&](VARIANT* out) {
      // Scripts pass the index by reference or as text; anything that is no whole number is a type mismatch.
      bsi::win32::UniqueVariant number;
      if (FAILED(VariantChangeType(number.get(), &index, 0, VT_I4))) bsi::Raise(bsi::err::kTypeMismatch);
      const long position = V_I4(number.get());
      if (position < 1 || static_cast<std::size_t>(position) > texts_->size()) {
        bsi::Raise(bsi::err::kSubscriptOutOfRange);
      }
      const HRESULT hr = TextVariant((*texts_)[static_cast<std::size_t>(position) - 1], out);
      if (FAILED(hr)) throw bsi::win32::com::ComError(hr, bsi::win32::com::SystemMessage(hr));
    });
  }
  STDMETHODIMP get__NewEnum(IUnknown** enumerator) noexcept override {
    if (enumerator == nullptr) return E_POINTER;
    return DriveEnumerator::Create(IID_IUnknown, reinterpret_cast<void**>(enumerator), texts_, std::size_t{0});
  }

 private:
  Texts texts_;
};

}  // namespace

HRESULT CreateDriveCollection(std::vector<std::wstring> texts, IDispatch** collection) noexcept {
  if (collection == nullptr) return E_POINTER;
  *collection = nullptr;
  Texts shared;
  try {
    shared = std::make_shared<const std::vector<std::wstring>>(std::move(texts));
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return DriveCollectionObject::Create(IID_IDispatch, reinterpret_cast<void**>(collection), std::move(shared));
}

}  // namespace bsq
