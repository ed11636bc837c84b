// SPDX-License-Identifier: MIT
// UserInfo: the name of the signed-on user.
#include "query_object.h"

namespace bsq {
namespace {

class UserInfoObject final : public QueryObject<UserInfoObject, IUserInfo> {
 public:
  static constexpr const wchar_t* kProgId = L"BrindtSysQuery.UserInfo";

  STDMETHODIMP get_UserName(BSTR* value) noexcept override {
    return Text(value, [] { return bsq::UserName(); });
  }
};

}  // namespace

HRESULT CreateUserInfo(REFIID riid, void** object) noexcept {
  return UserInfoObject::Create(riid, object);
}

}  // namespace bsq
