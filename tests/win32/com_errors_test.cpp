// SPDX-License-Identifier: MIT
// Failures across COM, both ends: what a server method returns for each kind of exception (a probe's failure,
// a run-time error, exhausted memory, anything else) with its IErrorInfo, and that the query client turns the
// HRESULT back into the same run-time error.
#include <windows.h>
// After windows.h:
#include <objbase.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "BrindtSysQuery.h"
#include "com_error.h"
#include "com_object.h"
#include "com_test.h"
#include "probes.h"
#include "query_client.h"
#include "query_object.h"
#include "runtime/error.h"
#include "wine_test.h"

using com_test::ErrorHresult;
using wine_test::Narrow;

namespace {

const wchar_t kSource[] = L"BrindtSysQuery.MemoryInfo";

HRESULT ServerSide(const std::function<void()>& raise) {
  try {
    raise();
  } catch (const bsq::ProbeError& error) {
    return bsq::ReportProbeError(error, IID_IMemoryInfo, kSource);
  } catch (...) {
    return bsi::win32::com::CurrentExceptionHresult(IID_IMemoryInfo, kSource);
  }
  return S_OK;
}

void test_server_side_failures() {
  const HRESULT denied = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  const std::wstring probe_text = bsi::win32::com::SystemMessage(denied) + L" (RegOpenKeyExW)";
  const std::wstring out_of_memory = bsi::win32::com::SystemMessage(E_OUTOFMEMORY);
  const struct {
    const char* what;
    std::function<void()> raise;
    HRESULT expected;
    const wchar_t* description;  // nullptr: not checked
  } cases[] = {
      {"probe", [] { throw bsq::ProbeError(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), "RegOpenKeyExW"); }, denied,
       probe_text.c_str()},
      // A probe that throws with a success code still fails.
      {"probe with S_OK", [] { throw bsq::ProbeError(S_OK, "odd"); }, E_FAIL, nullptr},
      {"error 35600", [] { throw bsi::RuntimeError(35600, u"Index außerhalb des Bereichs"); }, ErrorHresult(35600),
       L"Index außerhalb des Bereichs"},
      // Numbers beyond the facility's 16 bits have no HRESULT of their own; negative numbers are HRESULTs.
      {"error 70000", [] { throw bsi::RuntimeError(70000, u"zu groß"); }, E_FAIL, L"zu groß"},
      {"error E_ACCESSDENIED", [] { throw bsi::RuntimeError(static_cast<std::int32_t>(E_ACCESSDENIED), u"nein"); },
       E_ACCESSDENIED, L"nein"},
      {"ComError", [] { throw bsi::win32::com::ComError(DISP_E_BADINDEX, L"no such drive"); }, DISP_E_BADINDEX,
       L"no such drive"},
      {"bad_alloc", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, out_of_memory.c_str()},
      {"logic_error", [] { throw std::logic_error("bug"); }, E_UNEXPECTED, nullptr},
  };
  ok(!out_of_memory.empty() && probe_text.size() > 16, "expected system messages, got \"%s\" and \"%s\"\n",
     Narrow(out_of_memory).c_str(), Narrow(probe_text).c_str());
  for (const auto& c : cases) {
    const HRESULT hr = ServerSide(c.raise);
    const com_test::ErrorText error = com_test::TakeErrorInfo();
    const std::wstring description = c.description ? c.description : error.description;
    ok(hr == c.expected && error.source == kSource && error.description == description,
       "%s: expected hr %#lx from %s \"%s\", got %#lx from %s \"%s\"\n", c.what, static_cast<unsigned long>(c.expected),
       Narrow(kSource).c_str(), Narrow(description).c_str(), static_cast<unsigned long>(hr),
       Narrow(error.source).c_str(), Narrow(error.description).c_str());
  }
}

/// Declares error information for IMemoryInfo, as the library's objects do.
class Declaring final : public bsi::win32::com::ComObject<Declaring, ISupportErrorInfo> {
 public:
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override { return riid == IID_IMemoryInfo ? S_OK : S_FALSE; }
};

// The client turns the server's HRESULT back into the number and description that were thrown.
void test_round_trip() {
  IUnknown* object = nullptr;
  Declaring::Create(IID_IUnknown, reinterpret_cast<void**>(&object));
  const bsi::RuntimeError cases[] = {
      bsi::RuntimeError(9, u"Subscript out of range"),
      bsi::RuntimeError(380, u"Ungültiger Eigenschaftswert"),
      bsi::RuntimeError(static_cast<std::int32_t>(E_ACCESSDENIED), u"Zugriff verweigert"),
  };
  for (const bsi::RuntimeError& thrown : cases) {
    const HRESULT hr = ServerSide([&] { throw thrown; });
    com_test::ExpectRaises([&] { bsi::win32::RaiseHresult(hr, object, IID_IMemoryInfo); }, thrown.number(),
                           thrown.description().c_str(), "round trip");
  }
  const ULONG left = object->Release();
  ok(left == 0, "expected the last Release to give 0, got %lu\n", left);
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  test_server_side_failures();
  test_round_trip();
  CoUninitialize();
  return wine_test::Summary("com_errors");
}
