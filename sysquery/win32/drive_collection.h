// SPDX-License-Identifier: MIT
// The collection DriveInfo.Drives hands out: Count, Item(1..Count) and _NewEnum over a fixed list of texts.
#pragma once

#include <windows.h>
// After windows.h:
#include <oaidl.h>

#include <string>
#include <vector>

namespace bsq {

/// A new collection object of `texts` as IDispatch (count one, owned by the caller).
HRESULT CreateDriveCollection(std::vector<std::wstring> texts, IDispatch** collection) noexcept;

}  // namespace bsq
