// SPDX-License-Identifier: MIT
// ProgressBarColors: draws a progress bar in two colours. The gauge comes as a window handle (any integer type)
// or as an object with an hWnd property, as a form's ProgressBar control is.
#include <olectl.h>
#include <wrl/client.h>

#include "query_object.h"
#include "runtime/error.h"

namespace bsq {
namespace {

HWND HandleOf(const VARIANT& value, bool nested = false) {
  bsi::win32::UniqueVariant plain;
  if (FAILED(VariantCopyInd(plain.get(), const_cast<VARIANT*>(&value)))) bsi::Raise(bsi::err::kTypeMismatch);
  if (V_VT(plain.get()) == VT_DISPATCH || V_VT(plain.get()) == VT_UNKNOWN) {
    // An hWnd property is a number; an object there is no handle.
    if (nested) bsi::Raise(bsi::err::kTypeMismatch);
    IUnknown* object = V_VT(plain.get()) == VT_DISPATCH ? V_DISPATCH(plain.get()) : V_UNKNOWN(plain.get());
    if (object == nullptr) bsi::Raise(bsi::err::kObjectNotSet);
    Microsoft::WRL::ComPtr<IDispatch> dispatch;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&dispatch)))) bsi::Raise(bsi::err::kInvalidProcedureCall);
    wchar_t name[] = L"hWnd";
    LPOLESTR names[] = {name};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
      bsi::Raise(bsi::err::kInvalidProcedureCall);
    }
    DISPPARAMS none{};
    bsi::win32::UniqueVariant result;
    const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.get(),
                                        nullptr, nullptr);
    if (FAILED(hr)) throw bsi::win32::com::ComError(hr, bsi::win32::com::SystemMessage(hr));
    return HandleOf(*result.get(), true);
  }
  bsi::win32::UniqueVariant number;
  if (FAILED(VariantChangeType(number.get(), plain.get(), 0, VT_I8))) bsi::Raise(bsi::err::kTypeMismatch);
  // A 32-bit handle from a Long sign-extends, as LongToHandle does.
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(V_I8(number.get())));
}

COLORREF ColourOf(long value) {
  // OLE colours: 0x00BBGGRR, or 0x800000nn for system colour nn.
  COLORREF colour = 0;
  if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(value), nullptr, &colour))) {
    bsi::Raise(bsi::err::kInvalidPropertyValue);
  }
  return colour;
}

class ProgressBarColorsObject final : public QueryObject<ProgressBarColorsObject, IProgressBarColors> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.ProgressBarColors";

  STDMETHODIMP SetColors(VARIANT gauge, long bar_color, long back_color) noexcept override {
    return Guard([&] {
      const HWND bar = HandleOf(gauge);
      if (bar == nullptr || !IsWindow(bar)) bsi::Raise(bsi::err::kInvalidProcedureCall);
      SetProgressBarColors(bar, ColourOf(bar_color), ColourOf(back_color));
    });
  }
};

}  // namespace

HRESULT CreateProgressBarColors(REFIID riid, void** object) noexcept {
  return ProgressBarColorsObject::Create(riid, object);
}

}  // namespace bsq
