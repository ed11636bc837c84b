// SPDX-License-Identifier: MIT
// The default web browser: the handler of the http protocol. Since Windows 8 the user's choice lives in
// UrlAssociations\http\UserChoice as a ProgId; the classic association of "http" is the fallback.
#include <windows.h>

#include <shlwapi.h>

#include <string>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

/// One association string; empty when there is no association or no such string.
std::wstring AssocText(ASSOCSTR what, const std::wstring& key) {
  DWORD length = 0;
  HRESULT hr = AssocQueryStringW(ASSOCF_NOTRUNCATE, what, key.c_str(), L"open", nullptr, &length);
  if (hr != S_FALSE || length == 0 || length > 32768) return {};
  std::wstring buffer(length, L'\0');
  hr = AssocQueryStringW(ASSOCF_NOTRUNCATE, what, key.c_str(), L"open", buffer.data(), &length);
  if (FAILED(hr)) return {};
  return detail::FromBuffer(buffer.data(), buffer.size());
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
  if (facts.executable.empty()) key = L"http";  // no choice, or one whose ProgId was uninstalled
  if (facts.executable.empty()) facts.executable = AssocText(ASSOCSTR_EXECUTABLE, key);
  facts.name = AssocText(ASSOCSTR_FRIENDLYAPPNAME, key);
  facts.detail = facts.executable;
  return facts;
}

}  // namespace bsq
