// SPDX-License-Identifier: MIT
// The Windows and system folders. GetSystemWindowsDirectoryW gives the shared Windows folder even on a terminal
// server, where GetWindowsDirectoryW may answer a per-user folder for older programs.
#include <string>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

using FolderFn = UINT(WINAPI*)(LPWSTR, UINT);

std::wstring Folder(FolderFn get, const char* what) {
  UINT size = MAX_PATH + 1;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::wstring buffer(size, L'\0');
    const UINT length = get(buffer.data(), size);
    if (length == 0) detail::ThrowLastError(what);
    if (length < size) return detail::FromBuffer(buffer.data(), length);
    size = length + 1;  // too small: length is the size needed, with the NUL
  }
  detail::ThrowWin32(ERROR_INSUFFICIENT_BUFFER, what);
}

}  // namespace

std::wstring WindowsFolder() {
  return Folder(&GetSystemWindowsDirectoryW, "cannot read the Windows folder");
}
std::wstring SystemFolder() {
  return Folder(&GetSystemDirectoryW, "cannot read the system folder");
}

}  // namespace bsq
