// SPDX-License-Identifier: MIT
// DriveInfo: the available drives, one text each, as a collection.
#include "drive_collection.h"
#include "query_object.h"
#include "ui_language.h"

namespace bsq {
namespace {

class DriveInfoObject final : public QueryObject<DriveInfoObject, IDriveInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.DriveInfo";

  STDMETHODIMP get_Drives(IDispatch** drives) noexcept override {
    if (drives == nullptr) return E_POINTER;
    *drives = nullptr;
    return Guard([&] {
      const HRESULT hr = CreateDriveCollection(DriveTexts(bsi::win32::UserUiLanguage()), drives);
      if (FAILED(hr)) throw bsi::win32::com::ComError(hr, bsi::win32::com::SystemMessage(hr));
    });
  }
};

}  // namespace

HRESULT CreateDriveInfo(REFIID riid, void** object) noexcept {
  return DriveInfoObject::Create(riid, object);
}

}  // namespace bsq
