// SPDX-License-Identifier: MIT
// The default web browser: the handler of the http protocol. Since Windows 8 the user's choice lives in
// UrlAssociations\http\UserChoice as a ProgId; the classic association of "http" is the fallback. shlwapi.dll is
// loaded on the first call (see LoadSystemLibrary).
#include <windows.h>

#include <shlwapi.h>

#include <string>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

using AssocQueryStringFn = decltype(&AssocQueryStringW);

AssocQueryStringFn TheAssocQuery() {
  static const auto query =
      detail::ProcAddress<AssocQueryStringFn>(detail::LoadSystemLibrary(L"shlwapi.dll"), "AssocQueryStringW");
  if (query == nullptr) detail::ThrowWin32(ERROR_DLL_NOT_FOUND, "the shell's association functions are not available");
  return query;
}

/// One association string; empty when there is no association or no such string. The first try uses a buffer
/// that fits every real path: the friendly name is read from the program's version resource, and asking for the
/// size first would read it twice.
std::wstring AssocText(ASSOCSTR what, const std::wstring& key) {
  const AssocQueryStringFn query = TheAssocQuery();
  DWORD length = MAX_PATH * 2;
  for (int attempt = 0; attempt < 2 && length > 0 && length <= 32768; ++attempt) {
    std::wstring buffer(length, L'\0');
    const HRESULT hr = query(ASSOCF_NOTRUNCATE, what, key.c_str(), L"open", buffer.data(), &length);
    if (SUCCEEDED(hr)) return detail::FromBuffer(buffer.data(), buffer.size());
    if (hr != E_POINTER) return {};  // too small: length now holds the size needed
  }
  return {};
}

}  // namespace

BrowserFacts ReadDefaultBrowser() {
  std::wstring key =
      ReadRegistryValue(HKEY_CURRENT_USER,
                        L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice",
                        L"ProgId")
          .text;
  BrowserFacts facts;
  if (!key.empty()) facts.executable = AssocText(ASSOCSTR_EXECUTABLE, key);
  if (facts.executable.empty()) {  // no choice, or one whose ProgId was uninstalled
    key = L"http";
    facts.executable = AssocText(ASSOCSTR_EXECUTABLE, key);
  }
  facts.name = AssocText(ASSOCSTR_FRIENDLYAPPNAME, key);
  facts.detail = facts.executable;
  return facts;
}

}  // namespace bsq
