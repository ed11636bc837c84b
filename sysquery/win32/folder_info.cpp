// SPDX-License-Identifier: MIT
// FolderInfo: the Windows folder and the system folder.
#include "query_object.h"

namespace bsq {
namespace {

class FolderInfoObject final : public QueryObject<FolderInfoObject, IFolderInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.FolderInfo";

  STDMETHODIMP get_WindowsFolder(BSTR* value) noexcept override {
    return Text(value, [] { return bsq::WindowsFolder(); });
  }
  STDMETHODIMP get_SystemFolder(BSTR* value) noexcept override {
    return Text(value, [] { return bsq::SystemFolder(); });
  }
};

}  // namespace

HRESULT CreateFolderInfo(REFIID riid, void** object) noexcept {
  return FolderInfoObject::Create(riid, object);
}

}  // namespace bsq
