// SPDX-License-Identifier: MIT
#include "owners.h"

#include <new>

namespace bsi::com {

BSTR AllocBstr(std::wstring_view text) {
  if (text.size() > 0x7FFFFFF0u) throw std::bad_alloc();
  BSTR result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (result == nullptr) throw std::bad_alloc();
  return result;
}

}  // namespace bsi::com
