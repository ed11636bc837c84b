// SPDX-License-Identifier: MIT
#include "com_error.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <new>

#include "runtime/error.h"
#include "unique_handle.h"

namespace bsi::win32::com {

using Microsoft::WRL::ComPtr;

std::wstring SystemMessage(HRESULT hr) {
  wchar_t* buffer = nullptr;
  const DWORD size =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (size != 0 && buffer != nullptr) text.assign(buffer, size);
  if (buffer != nullptr) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  return text;
}

HRESULT ReportError(HRESULT hr, std::wstring_view description, REFIID iid, std::wstring_view source) noexcept {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(&create))) return hr;
  UniqueBstr text(SysAllocStringLen(description.data(), static_cast<UINT>(description.size())));
  UniqueBstr from(SysAllocStringLen(source.data(), static_cast<UINT>(source.size())));
  create->SetGUID(iid);
  create->SetDescription(text.get());
  create->SetSource(from.get());
  ComPtr<IErrorInfo> info;
  if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
  return hr;
}

HRESULT CurrentExceptionHresult(REFIID iid, std::wstring_view source) noexcept {
  try {
    throw;
  } catch (const ComError& error) {
    return ReportError(error.hr(), error.description(), iid, source);
  } catch (const RuntimeError& error) {
    const std::wstring text(error.description().begin(), error.description().end());
    return ReportError(static_cast<HRESULT>(ErrorHResult(error)), text, iid, source);
  } catch (const std::bad_alloc&) {
    return ReportError(E_OUTOFMEMORY, SystemMessage(E_OUTOFMEMORY), iid, source);
  } catch (...) {
    return ReportError(E_UNEXPECTED, SystemMessage(E_UNEXPECTED), iid, source);
  }
}

}  // namespace bsi::win32::com
