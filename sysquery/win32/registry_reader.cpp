// SPDX-License-Identifier: MIT
// RegistryReader: one registry value, selected by Root, KeyPath and ValueName; the settings persist between reads.
#include <string>

#include "query_object.h"
#include "runtime/error.h"

namespace bsq {
namespace {

// The predefined keys, as 32-bit numbers (HKEY_CLASSES_ROOT 0x80000000 to HKEY_CURRENT_CONFIG 0x80000005).
constexpr long kFirstRoot = static_cast<long>(0x80000000UL);
constexpr long kLastRoot = static_cast<long>(0x80000005UL);
constexpr long kLastValueType = REG_QWORD;

std::wstring FromBstr(BSTR text) {
  return text == nullptr ? std::wstring() : std::wstring(text, SysStringLen(text));
}

class RegistryReaderObject final : public QueryObject<RegistryReaderObject, IRegistryReader> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.RegistryReader";

  STDMETHODIMP get_Exists(VARIANT_BOOL* value) noexcept override {
    return Plain(value, [&] { return ToVariantBool(Read().exists); });
  }
  STDMETHODIMP get_Value(VARIANT* value) noexcept override {
    return Variant(value, [this](VARIANT* out) {
      BSTR text = bsi::win32::AllocBstr(Read().text);
      V_VT(out) = VT_BSTR;
      V_BSTR(out) = text;
    });
  }
  // The value type is kept for the caller; Value reads whatever type the value has.
  STDMETHODIMP get_ValueType(long* value) noexcept override {
    return Plain(value, [&] { return value_type_; });
  }
  STDMETHODIMP put_ValueType(long value) noexcept override {
    return Guard([&] {
      if (value < REG_NONE || value > kLastValueType) bsi::Raise(bsi::err::kInvalidPropertyValue);
      value_type_ = value;
    });
  }
  STDMETHODIMP get_Root(long* value) noexcept override {
    return Plain(value, [&] { return root_; });
  }
  STDMETHODIMP put_Root(long value) noexcept override {
    // Any other number would be taken for a handle of this process.
    return Guard([&] {
      if (value < kFirstRoot || value > kLastRoot) bsi::Raise(bsi::err::kInvalidPropertyValue);
      root_ = value;
    });
  }
  STDMETHODIMP get_KeyPath(BSTR* value) noexcept override {
    return Text(value, [&] { return key_path_; });
  }
  STDMETHODIMP put_KeyPath(BSTR value) noexcept override {
    return Guard([&] { key_path_ = FromBstr(value); });
  }
  STDMETHODIMP get_ValueName(BSTR* value) noexcept override {
    return Text(value, [&] { return value_name_; });
  }
  STDMETHODIMP put_ValueName(BSTR value) noexcept override {
    return Guard([&] { value_name_ = FromBstr(value); });
  }

 private:
  RegistryValue Read() const {
    // Predefined keys are sign-extended to the width of a handle.
    const HKEY root = reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root_));
    return ReadRegistryValue(root, key_path_, value_name_);
  }

  long root_ = static_cast<long>(0x80000002UL);  // HKEY_LOCAL_MACHINE
  long value_type_ = REG_SZ;
  std::wstring key_path_;
  std::wstring value_name_;
};

}  // namespace

HRESULT CreateRegistryReader(REFIID riid, void** object) noexcept {
  return RegistryReaderObject::Create(riid, object);
}

}  // namespace bsq
