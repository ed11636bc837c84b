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

/// Declares error information for IMemoryInfo, as the library's objects do, or for nothing.
class Declaring final : public bsi::win32::com::ComObject<Declaring, ISupportErrorInfo> {
 public:
  explicit Declaring(bool declares) : declares_(declares) {}
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override {
    return declares_ && riid == IID_IMemoryInfo ? S_OK : S_FALSE;
  }

 private:
  bool declares_;
};

// The client turns the server's HRESULT back into the number and description that were thrown, and takes the
// error information. What the object does not declare is stale: the system's message stands instead. An HRESULT
// without error information gets its run-time error's standard text, or a generic one.
void test_client_side() {
  IUnknown* declares = nullptr;
  IUnknown* silent = nullptr;
  Declaring::Create(IID_IUnknown, reinterpret_cast<void**>(&declares), true);
  Declaring::Create(IID_IUnknown, reinterpret_cast<void**>(&silent), false);
  const std::wstring denied = bsi::win32::com::SystemMessage(E_ACCESSDENIED);
  ok(!denied.empty() && denied.back() != L'\n', "expected a system message of one line, got \"%s\"\n",
     Narrow(denied).c_str());
  auto thrown = [](std::int32_t number, const char16_t* text) {
    return [=] { return ServerSide([&] { throw bsi::RuntimeError(number, text); }); };
  };
  auto returned = [](HRESULT hr) { return [hr] { return hr; }; };
  const auto access = static_cast<std::int32_t>(E_ACCESSDENIED);
  const struct {
    IUnknown* object;
    std::function<HRESULT()> fail;
    std::int32_t number;
    bsi::Text description;
  } cases[] = {
      {declares, thrown(9, u"Subscript out of range"), 9, u"Subscript out of range"},
      {declares, thrown(380, u"Ungültiger Eigenschaftswert"), 380, u"Ungültiger Eigenschaftswert"},
      {declares, thrown(access, u"Zugriff verweigert"), access, u"Zugriff verweigert"},
      {silent, thrown(access, u"stale"), access, bsi::Text(denied.begin(), denied.end())},
      {nullptr, returned(static_cast<HRESULT>(0x800A0009)), 9, u"Subscript out of range"},
      {nullptr, returned(static_cast<HRESULT>(0x8004F123)), static_cast<std::int32_t>(0x8004F123), u"Automation error"},
  };
  for (const auto& c : cases) {
    const HRESULT hr = c.fail();
    const std::string what = "error " + std::to_string(c.number);
    com_test::ExpectRaises([&] { bsi::win32::RaiseHresult(hr, c.object, IID_IMemoryInfo); }, c.number,
                           c.description.c_str(), what.c_str());
    IErrorInfo* left = nullptr;
    ok(GetErrorInfo(0, &left) == S_FALSE, "%s: expected the error information taken, got it left behind\n",
       what.c_str());
    if (left != nullptr) left->Release();
  }
  ok(declares->Release() == 0 && silent->Release() == 0, "expected the last Releases to give 0\n");
}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  test_server_side_failures();
  test_client_side();
  CoUninitialize();
  return wine_test::Summary("com_errors");
}
