// SPDX-License-Identifier: MIT
#include "registry.h"

#include <objbase.h>

#include <vector>

#include "common/owners.h"

namespace bsi::win32::com {

using bsi::com::UniqueHkey;

LSTATUS WriteString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) noexcept {
  UniqueHkey key;
  LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (status != ERROR_SUCCESS) return status;
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

LSTATUS WriteKey(HKEY root, const std::wstring& path) noexcept {
  UniqueHkey key;
  return RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
}

bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring& value) {
  UniqueHkey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) {
    return false;
  }
  // One unit more than asked for, so that a value stored without its terminating zero still ends in one.
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
      ERROR_SUCCESS) {
    return false;
  }
  value.assign(buffer.data());
  return true;
}

LSTATUS DeleteTree(HKEY root, const std::wstring& path) noexcept {
  const LSTATUS status = RegDeleteTreeW(root, path.c_str());
  if (status == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
  if (status != ERROR_SUCCESS) return status;
  // Some systems only empty the key named by a subkey path; then it goes here.
  const LSTATUS removed = RegDeleteKeyW(root, path.c_str());
  return removed == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : removed;
}

std::wstring GuidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

}  // namespace bsi::win32::com
