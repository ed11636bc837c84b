// SPDX-License-Identifier: MIT
#include "query_object.h"

namespace bsq {

HRESULT ReportProbeError(const ProbeError& error, REFIID iid, const wchar_t* source) noexcept {
  // A probe that throws with a success code still failed.
  const HRESULT hr = FAILED(error.hr()) ? error.hr() : E_FAIL;
  try {
    std::wstring text = bsi::win32::com::SystemMessage(hr);
    const std::string what = error.what();
    if (!what.empty()) {
      // The probe names the call that failed in ASCII.
      const std::wstring call(what.begin(), what.end());
      text = text.empty() ? call : text + L" (" + call + L")";
    }
    return bsi::win32::com::ReportError(hr, text, iid, source);
  } catch (...) {
    return hr;
  }
}

}  // namespace bsq
