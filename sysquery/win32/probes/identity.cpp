// SPDX-License-Identifier: MIT
// Computer name, user name and membership of the Administrators group.
#include <string>

#include "probe_util.h"
#include "probes.h"
#include "unique_handle.h"

namespace bsq {
namespace {

/// GetComputerNameExW reports the size it needs (with the NUL) when the buffer is short.
bool TryComputerName(COMPUTER_NAME_FORMAT format, std::wstring& name) {
  DWORD size = 0;
  GetComputerNameExW(format, nullptr, &size);
  for (int attempt = 0; attempt < 4 && size > 0 && size < 65536; ++attempt) {
    std::wstring buffer(size, L'\0');
    DWORD length = size;
    if (GetComputerNameExW(format, buffer.data(), &length)) {
      name = detail::FromBuffer(buffer.data(), length < size ? length : size);
      return !name.empty();
    }
    if (GetLastError() != ERROR_MORE_DATA) return false;
    size = length > size ? length : size * 2;
  }
  return false;
}

}  // namespace

std::wstring ComputerName() {
  // The host name as the network knows it; NetBIOS (upper case, 15 characters) only when there is none.
  std::wstring name;
  if (TryComputerName(ComputerNameDnsHostname, name)) return name;
  if (TryComputerName(ComputerNameNetBIOS, name)) return name;
  detail::ThrowLastError("cannot read the computer name");
}

std::wstring UserName() {
  DWORD size = 257;  // UNLEN + 1
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::wstring buffer(size, L'\0');
    DWORD length = size;
    if (GetUserNameW(buffer.data(), &length)) return detail::FromBuffer(buffer.data(), buffer.size());
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) detail::ThrowLastError("cannot read the user name");
    size = length > size ? length : size * 2;
  }
  detail::ThrowWin32(ERROR_INSUFFICIENT_BUFFER, "cannot read the user name");
}

bool IsAdministrator() {
  SID_IDENTIFIER_AUTHORITY nt_authority = SECURITY_NT_AUTHORITY;
  bsi::win32::UniqueSid administrators;
  if (!AllocateAndInitializeSid(&nt_authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0,
                                0, administrators.put())) {
    detail::ThrowLastError("cannot build the Administrators SID");
  }
  // With a null token the call checks the thread's impersonation token or the process token; under UAC a
  // filtered token has the group for deny only and counts as not a member, which is what the user can do now.
  BOOL member = FALSE;
  if (!CheckTokenMembership(nullptr, administrators.get(), &member)) detail::ThrowLastError("cannot check the token");
  return member != FALSE;
}

}  // namespace bsq
