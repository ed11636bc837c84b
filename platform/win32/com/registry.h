// SPDX-License-Identifier: MIT
// Registry keys as the module's registration writes and removes them.
#pragma once

#include <windows.h>

#include <string>

namespace bsi::win32::com {

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
