// SPDX-License-Identifier: MIT
// Registry values as text. RegQueryValueExW hands back the bytes as stored: a string need not end in NUL, its
// byte count may be odd, and a value may change size between the size query and the read.
#include <cstring>
#include <string>
#include <vector>

#include "probe_util.h"
#include "probes.h"
#include "unique_handle.h"

namespace bsq {
namespace {

// Values beyond this are refused instead of allocated; real ones stay far below (Microsoft advises files for
// anything over a few kilobytes).
constexpr DWORD kMaxValueBytes = 1024 * 1024;
constexpr int kReadAttempts = 8;

std::wstring WideChars(const BYTE* data, std::size_t size) {
  std::wstring text(size / sizeof(wchar_t), L'\0');  // an odd last byte is no character
  if (!text.empty()) std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
  return text;
}

std::wstring MultiStringJoined(const std::wstring& chars) {
  std::wstring joined;
  std::size_t start = 0;
  while (start < chars.size()) {
    std::size_t end = chars.find(L'\0', start);
    if (end == std::wstring::npos) end = chars.size();
    if (end == start) break;  // the empty string that ends the list
    if (!joined.empty()) joined.push_back(L'\0');
    joined.append(chars, start, end - start);
    start = end + 1;
  }
  return joined;
}

template <typename T>
std::wstring LittleEndianDecimal(const BYTE* data, std::size_t size) {
  if (size < sizeof(T)) return {};
  T value = 0;
  std::memcpy(&value, data, sizeof(T));
  return std::to_wstring(value);
}

bool IsAbsent(LSTATUS status) {
  // An unreadable value is reported like a missing one: the caller can do nothing else with it.
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND || status == ERROR_ACCESS_DENIED;
}

}  // namespace

RegistryValue DecodeRegistryData(DWORD type, const BYTE* data, std::size_t size) {
  RegistryValue value;
  value.exists = true;
  if (data == nullptr) size = 0;
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      value.text = WideChars(data, size);
      if (!value.text.empty() && value.text.back() == L'\0') value.text.pop_back();
      break;
    case REG_MULTI_SZ:
      value.text = MultiStringJoined(WideChars(data, size));
      break;
    case REG_DWORD:
      value.text = LittleEndianDecimal<std::uint32_t>(data, size);
      break;
    case REG_QWORD:
      value.text = LittleEndianDecimal<std::uint64_t>(data, size);
      break;
    default:
      break;
  }
  return value;
}

RegistryValue ReadRegistryValue(HKEY root, const std::wstring& key_path, const std::wstring& value_name) {
  // The Win32 calls take NUL-terminated names: an inner NUL would silently name another key or value.
  if (key_path.find(L'\0') != std::wstring::npos || value_name.find(L'\0') != std::wstring::npos) {
    throw ProbeError(E_INVALIDARG, "registry key or value name contains a NUL character");
  }
  bsi::win32::UniqueHkey key;
  LSTATUS status = RegOpenKeyExW(root, key_path.c_str(), 0, KEY_QUERY_VALUE, key.put());
  if (IsAbsent(status)) return {};
  if (status != ERROR_SUCCESS) detail::ThrowWin32(status, "cannot open registry key");

  std::vector<BYTE> data;
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    status = RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, nullptr, &size);
    if (IsAbsent(status)) return {};
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) detail::ThrowWin32(status, "cannot read registry value");
    if (size > kMaxValueBytes) detail::ThrowWin32(ERROR_FILE_TOO_LARGE, "registry value too large");
    // Room for growth between the two calls; a value that grew beyond it is asked for again.
    data.assign(static_cast<std::size_t>(size) + 64, 0);
    DWORD read = static_cast<DWORD>(data.size());
    status = RegQueryValueExW(key.get(), value_name.c_str(), nullptr, &type, data.data(), &read);
    if (status == ERROR_SUCCESS) return DecodeRegistryData(type, data.data(), read <= data.size() ? read : 0);
    if (IsAbsent(status)) return {};
    if (status != ERROR_MORE_DATA) detail::ThrowWin32(status, "cannot read registry value");
  }
  detail::ThrowWin32(ERROR_MORE_DATA, "registry value keeps changing size");
}

}  // namespace bsq
