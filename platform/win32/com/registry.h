// SPDX-License-Identifier: MIT
// Registry keys as the module's registration writes and removes them.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace bsi::win32::com {

/// Owns one open registry key.
class UniqueHkey {
 public:
  UniqueHkey() = default;
  UniqueHkey(const UniqueHkey&) = delete;
  UniqueHkey& operator=(const UniqueHkey&) = delete;
  UniqueHkey(UniqueHkey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  ~UniqueHkey() { reset(); }

  HKEY get() const noexcept { return key_; }
  HKEY* put() noexcept {
    reset();
    return &key_;
  }
  void reset() noexcept {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

/// Creates (or opens) `root\path` and sets its value `name` (nullptr for the default value) to `value`.
LSTATUS WriteString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) noexcept;

/// Creates `root\path` without a value.
LSTATUS WriteKey(HKEY root, const std::wstring& path) noexcept;

/// The string value `name` of `root\path`, or false when the key or value is missing or no string.
bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring& value);

/// Deletes `root\path` with everything below it; a missing key is no failure.
LSTATUS DeleteTree(HKEY root, const std::wstring& path) noexcept;

/// A GUID in registry notation, {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.
std::wstring GuidText(REFGUID guid);

}  // namespace bsi::win32::com
