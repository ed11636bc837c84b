// SPDX-License-Identifier: MIT
#include <oaidl.h>
#include <wrl/client.h>

#include "com_error.h"
#include "query_client.h"
#include "runtime/error.h"
#include "unique_handle.h"

namespace bsi::win32 {

using Microsoft::WRL::ComPtr;

void RaiseHresult(HRESULT hr, IUnknown* object, REFIID iid) {
  // GetErrorInfo hands out the thread's error object and clears it, so a stale one never describes a later call.
  ComPtr<IErrorInfo> info;
  const bool has_info = GetErrorInfo(0, &info) == S_OK && info;
  bool declared = false;
  ComPtr<ISupportErrorInfo> support;
  if (object != nullptr && SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&support)))) {
    declared = support->InterfaceSupportsErrorInfo(iid) == S_OK;
  }
  Text description;
  if (has_info && declared) {
    UniqueBstr text;
    if (SUCCEEDED(info->GetDescription(text.put())) && text) {
      description.assign(text.get(), text.get() + SysStringLen(text.get()));
    }
  }
  const std::int32_t number = RuntimeErrorNumber(static_cast<std::int32_t>(hr));
  if (number != 0) {
    Raise(number, description.empty() ? StandardDescription(number) : std::move(description));
  }
  if (description.empty()) {
    const std::wstring message = com::SystemMessage(hr);
    description = message.empty() ? Text(u"Automation error") : Text(message.begin(), message.end());
  }
  Raise(static_cast<std::int32_t>(hr), std::move(description));
}

}  // namespace bsi::win32
