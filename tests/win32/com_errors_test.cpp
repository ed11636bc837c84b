// SPDX-License-Identifier: MIT
// Failures across COM, both ends: what a server method returns for each kind of exception (a probe's failure,
// a run-time error, exhausted memory, anything else) with its IErrorInfo, and that the query client turns the
// HRESULT back into the same run-time error.
#include <windows.h>
// After windows.h:
#include <objbase.h>
#include <oleauto.h>

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

using com_test::TakeErrorInfo;
using wine_test::Narrow;

namespace {

const wchar_t kSource[] = L"BrindtSysQuery.MemoryInfo";

template <class Throw>
HRESULT ServerSide(Throw&& raise) {
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
  HRESULT hr = ServerSide([] { throw bsq::ProbeError(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), "RegOpenKeyExW"); });
  ok(hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), "probe: hr %#lx\n", hr);
  com_test::ErrorText error = TakeErrorInfo();
  const std::wstring message = bsi::win32::com::SystemMessage(hr);
  ok(!message.empty() && error.description == message + L" (RegOpenKeyExW)", "probe: description %s\n",
     Narrow(error.description).c_str());
  ok(error.source == kSource, "probe: source %s\n", Narrow(error.source).c_str());

  // A probe that throws with a success code still fails.
  hr = ServerSide([] { throw bsq::ProbeError(S_OK, "odd"); });
  ok(hr == E_FAIL, "success-code probe: hr %#lx\n", hr);
  TakeErrorInfo();

  hr = ServerSide([] { throw bsi::RuntimeError(35600, u"Index außerhalb des Bereichs"); });
  error = TakeErrorInfo();
  ok(hr == static_cast<HRESULT>(0x800A8B10) && error.description == L"Index außerhalb des Bereichs",
     "run-time error: hr %#lx description %s\n", hr, Narrow(error.description).c_str());

  hr = ServerSide([] { throw bsi::win32::com::ComError(DISP_E_BADINDEX, L"no such drive"); });
  error = TakeErrorInfo();
  ok(hr == DISP_E_BADINDEX && error.description == L"no such drive", "ComError: hr %#lx\n", hr);

  hr = ServerSide([] { throw std::bad_alloc(); });
  ok(hr == E_OUTOFMEMORY, "bad_alloc: hr %#lx\n", hr);
  ok(!TakeErrorInfo().description.empty(), "bad_alloc: no description\n");
  hr = ServerSide([] { throw std::logic_error("bug"); });
  ok(hr == E_UNEXPECTED, "other exception: hr %#lx\n", hr);
  TakeErrorInfo();
}

/// Declares error information for IMemoryInfo, as the library's objects do.
class Declaring final : public bsi::win32::com::ComObject<Declaring, ISupportErrorInfo> {
 public:
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override { return riid == IID_IMemoryInfo ? S_OK : S_FALSE; }
};

void test_round_trip() {
  IUnknown* object = nullptr;
  Declaring::Create(IID_IUnknown, reinterpret_cast<void**>(&object));
  struct Case {
    bsi::RuntimeError thrown;
    std::int32_t number;
  };
  const Case cases[] = {
      {bsi::RuntimeError(9, u"Subscript out of range"), 9},
      {bsi::RuntimeError(380, u"Ungültiger Eigenschaftswert"), 380},
      {bsi::RuntimeError(static_cast<std::int32_t>(E_ACCESSDENIED), u"Zugriff verweigert"),
       static_cast<std::int32_t>(E_ACCESSDENIED)},
  };
  for (const Case& c : cases) {
    const HRESULT hr = ServerSide([&] { throw c.thrown; });
    std::int32_t number = 0;
    bsi::Text description;
    try {
      bsi::win32::RaiseHresult(hr, object, IID_IMemoryInfo);
    } catch (const bsi::RuntimeError& error) {
      number = error.number();
      description = error.description();
    }
    ok(number == c.number && description == c.thrown.description(), "%d came back as %d %s\n", c.thrown.number(),
       number, bsi::ToUtf8(description).c_str());
  }
  ok(object->Release() == 0, "last Release did not return 0\n");
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  test_server_side_failures();
  test_round_trip();
  CoUninitialize();
  return wine_test::Summary("com_errors");
}
