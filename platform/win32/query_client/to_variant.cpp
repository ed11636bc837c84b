// SPDX-License-Identifier: MIT
#include "BrindtSysQuery.h"
#include "com_call.h"
#include "runtime/error.h"

namespace bsi::win32 {
namespace {

using Microsoft::WRL::ComPtr;

/// The library's drive collection as the core's Collection.
class DriveCollection final : public Collection {
 public:
  explicit DriveCollection(ComPtr<IDriveCollection> drives) : drives_(std::move(drives)) {}
  std::int32_t Count() override { return drives_.Get<long>(&IDriveCollection::get_Count); }
  Variant Item(std::int32_t index) override {
    VARIANT position;
    VariantInit(&position);
    V_VT(&position) = VT_I4;
    V_I4(&position) = index;
    UniqueVariant item;
    drives_.Call(&IDriveCollection::get_Item, position, item.put());
    return ToVariant(*item.get());
  }

 private:
  ComCaller<IDriveCollection> drives_;
};

/// Any other object: kept alive, opaque to the core.
class OtherObject final : public Object {
 public:
  explicit OtherObject(ComPtr<IUnknown> object) : object_(std::move(object)) {}

 private:
  ComPtr<IUnknown> object_;
};

Variant ObjectVariant(IUnknown* object) {
  if (object == nullptr) return Variant::FromObject(nullptr);
  ComPtr<IDriveCollection> drives;
  if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&drives)))) {
    return Variant::FromObject(std::make_shared<DriveCollection>(std::move(drives)));
  }
  return Variant::FromObject(std::make_shared<OtherObject>(ComPtr<IUnknown>(object)));
}

}  // namespace

Variant ToVariant(const VARIANT& value) {
  switch (V_VT(&value)) {
    case VT_EMPTY:
      return Variant();
    case VT_NULL:
      return Variant::Null();
    case VT_BOOL:
      return Variant::Boolean(V_BOOL(&value) != VARIANT_FALSE);
    case VT_I2:
      return Variant::Integer(V_I2(&value));
    case VT_I4:
      return Variant::Long(V_I4(&value));
    case VT_CY:
      return Variant::FromCurrency(Currency{V_CY(&value).int64});
    case VT_R8:
      return Variant::Double(V_R8(&value));
    case VT_BSTR:
      return Variant::String(ToText(V_BSTR(&value)));
    case VT_DISPATCH:
      return ObjectVariant(V_DISPATCH(&value));
    case VT_UNKNOWN:
      return ObjectVariant(V_UNKNOWN(&value));
    default:
      break;
  }
  // By-reference values, other widths of numbers, dates: whatever VARIANT can show as text.
  UniqueVariant copy;
  if (SUCCEEDED(VariantCopyInd(copy.get(), const_cast<VARIANT*>(&value))) && (V_VT(copy.get()) & VT_BYREF) == 0 &&
      V_VT(copy.get()) != V_VT(&value)) {
    return ToVariant(*copy.get());
  }
  UniqueVariant text;
  if (FAILED(VariantChangeType(text.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) Raise(err::kTypeMismatch);
  return Variant::String(ToText(V_BSTR(text.get())));
}

}  // namespace bsi::win32
