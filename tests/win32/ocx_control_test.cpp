// SPDX-License-Identifier: MIT
// The control through COM: factory and module lifetime, interfaces, ShowSysInfo closed every way, by name and from
// a script, the second call while shown (error 400), class info and the connection point of its events.
#include <windows.h>

#include <objsafe.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "BrindtSysInfo.h"
#include "ocx_support.h"
#include "ole_support.h"
#include "runtime/error.h"

using Microsoft::WRL::ComPtr;
using ocx_test::CloseBy;
using ole_test::ExpectLastRelease;
using wine_test::Narrow;

namespace {

constexpr DISPID kShowSysInfo = 0x60030001;
constexpr HRESULT kError400 = static_cast<HRESULT>(0x800A0190);

HRESULT Show(_ctlBrindtSysInfo* control) {
  VARIANT result;
  V_VT(&result) = VT_I4;
  const HRESULT hr = control->ShowSysInfo(&result);
  ok(V_VT(&result) == VT_EMPTY, "expected an Empty result, got type %u\n", V_VT(&result));
  return hr;
}

HRESULT InvokeShow(IDispatch* dispatch, EXCEPINFO* exception = nullptr) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VARIANT result;
  V_VT(&result) = VT_I4;
  const HRESULT hr = dispatch->Invoke(kShowSysInfo, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result,
                                      exception, nullptr);
  ok(V_VT(&result) == VT_EMPTY, "Invoke: expected an Empty result, got type %u\n", V_VT(&result));
  return hr;
}

void test_class_factory() {
  ComPtr<IClassFactory> factory;
  HRESULT hr = CoGetClassObject(CLSID_ctlBrindtSysInfo, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory));
  HMODULE module = GetModuleHandleW(L"BrindtSysInfo.ocx");
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  auto can_unload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  ok(hr == S_OK && can_unload, "expected the factory and DllCanUnloadNow, got hr %#lx %p\n", hr,
     reinterpret_cast<void*>(can_unload));
  if (!factory || !can_unload) return;
  auto expect_unload = [&](HRESULT expected, const char* when) {
    const HRESULT got = can_unload();
    ok(got == expected, "DllCanUnloadNow %s: expected %#lx, got %#lx\n", when, expected, got);
  };
  expect_unload(S_FALSE, "with a factory alive");

  void* out = reinterpret_cast<void*>(0xdeadbeef);
  hr = factory->CreateInstance(factory.Get(), IID_IUnknown, &out);
  ok(hr == CLASS_E_NOAGGREGATION && !out, "aggregation: expected CLASS_E_NOAGGREGATION, got %#lx %p\n", hr, out);

  ComPtr<IOleObject> object;
  hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
  ok(hr == S_OK && factory->LockServer(TRUE) == S_OK, "CreateInstance and LockServer: expected S_OK, got %#lx\n", hr);
  ExpectLastRelease(factory, "class factory");
  ExpectLastRelease(object, "control");
  expect_unload(S_FALSE, "while locked");
  CoGetClassObject(CLSID_ctlBrindtSysInfo, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory));
  factory->LockServer(FALSE);
  // An unlock without a lock is ignored: the count must not go below zero, or the module never unloads again.
  factory->LockServer(FALSE);
  ExpectLastRelease(factory, "class factory");
  expect_unload(S_OK, "after an unmatched unlock");
}

void test_interfaces() {
  ComPtr<_ctlBrindtSysInfo> control = ole_test::CreateControl<_ctlBrindtSysInfo>();
  if (!control) return;
  ComPtr<IUnknown> identity;
  control.As(&identity);
  for (const IID* face :
       {&IID__ctlBrindtSysInfo, &IID_IDispatch, &IID_IOleObject, &IID_IOleWindow, &IID_IOleInPlaceObject,
        &IID_IOleInPlaceObjectWindowless, &IID_IPersist, &IID_IPersistStreamInit, &IID_IProvideClassInfo2,
        &IID_IConnectionPointContainer, &IID_ISupportErrorInfo, &IID_IViewObject2, &IID_IOleInPlaceActiveObject,
        &IID_IQuickActivate, &IID_IOleControl}) {
    ComPtr<IUnknown> got, back;
    const HRESULT hr = control->QueryInterface(*face, reinterpret_cast<void**>(got.GetAddressOf()));
    if (got) got.As(&back);
    // Every face leads back to one identity.
    ok(hr == S_OK && back.Get() == identity.Get(), "%s: expected S_OK and IUnknown %p, got %#lx and %p\n",
       Narrow(ocx_test::GuidText(*face)).c_str(), identity.Get(), hr, back.Get());
  }
  // Meant for trusted hosts: no IObjectSafety, and no safe-for-scripting category in the registry.
  void* out = reinterpret_cast<void*>(0xdeadbeef);
  HRESULT hr = control->QueryInterface(IID_IObjectSafety, &out);
  ok(hr == E_NOINTERFACE && !out, "IObjectSafety: expected E_NOINTERFACE, got %#lx %p\n", hr, out);
  for (const wchar_t* category :
       {L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}", L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}"}) {
    const std::wstring key =
        L"CLSID\\" + ocx_test::GuidText(CLSID_ctlBrindtSysInfo) + L"\\Implemented Categories\\" + category;
    ok(!ocx_test::ClassesKeyExists(key), "expected no category %s, got it registered\n", Narrow(category).c_str());
  }
  ComPtr<ISupportErrorInfo> errors;
  control.As(&errors);
  ok(errors->InterfaceSupportsErrorInfo(IID__ctlBrindtSysInfo) == S_OK &&
         errors->InterfaceSupportsErrorInfo(IID_IOleObject) == S_FALSE,
     "expected error info for _ctlBrindtSysInfo only\n");
  errors.Reset();
  identity.Reset();
  ExpectLastRelease(control, "control");
}

// Every way to close, twice: the window is gone with the call, and the next builds its own list (the first loses a
// row).
void test_show_sysinfo_closes() {
  ComPtr<_ctlBrindtSysInfo> control = ole_test::CreateControl<_ctlBrindtSysInfo>();
  if (!control) return;
  for (CloseBy how : ocx_test::kCloseWays) {
    ocx_test::Shown first, second;
    HRESULT hr = ocx_test::ShowAndClose(
        how, [&] { return Show(control.Get()); },
        [](HWND window) { SendMessageW(GetDlgItem(window, BSI_ID_LIST), LVM_DELETEITEM, 0, 0); }, &first);
    ok(hr == S_OK && first.rows > 30, "%s: expected S_OK and the whole list, got %#lx, %d rows\n", ocx_test::Name(how),
       hr, first.rows);
    hr = ocx_test::ShowAndClose(
        how, [&] { return Show(control.Get()); }, {}, &second);
    ok(hr == S_OK && second.rows == first.rows, "%s again: expected a new window of %d rows, got %#lx, %d rows\n",
       ocx_test::Name(how), first.rows, hr, second.rows);
  }
  ExpectLastRelease(control, "control");
}

void test_invoke_by_name() {
  ComPtr<IDispatch> dispatch = ole_test::CreateControl<IDispatch>();
  if (!dispatch) return;
  HRESULT hr = S_OK;
  for (const wchar_t* name : {L"ShowSysInfo", L"showsysinfo", L"Refresh"}) {
    std::wstring text = name;
    LPOLESTR pointer = text.data();
    DISPID id = DISPID_UNKNOWN;
    hr = dispatch->GetIDsOfNames(IID_NULL, &pointer, 1, LOCALE_USER_DEFAULT, &id);
    const bool known = text != L"Refresh";
    ok(hr == (known ? S_OK : DISP_E_UNKNOWNNAME) && id == (known ? kShowSysInfo : DISPID_UNKNOWN),
       "GetIDsOfNames(%s): expected %s, got %#lx id %#lx\n", Narrow(name).c_str(),
       known ? "the method's id" : "DISP_E_UNKNOWNNAME", hr, id);
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  hr = dispatch->Invoke(kShowSysInfo + 1, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
  ok(hr == DISP_E_MEMBERNOTFOUND, "Invoke of another member: expected DISP_E_MEMBERNOTFOUND, got %#lx\n", hr);
  hr = ocx_test::ShowAndClose(CloseBy::Ok, [&] { return InvokeShow(dispatch.Get()); });
  ok(hr == S_OK, "Invoke(ShowSysInfo): expected S_OK, got %#lx\n", hr);
  ExpectLastRelease(dispatch, "control");
}

// While shown, a second call (another control of the thread) raises 400 by vtable and Invoke; the window stays alone.
void test_second_call_while_shown() {
  ComPtr<_ctlBrindtSysInfo> control = ole_test::CreateControl<_ctlBrindtSysInfo>();
  ComPtr<_ctlBrindtSysInfo> other = ole_test::CreateControl<_ctlBrindtSysInfo>();
  ComPtr<IDispatch> dispatch;
  if (!control || !other || FAILED(control.As(&dispatch))) return;
  const std::wstring expected = reinterpret_cast<const wchar_t*>(bsi::StandardDescription(400).c_str());
  HRESULT second = S_OK, invoked = S_OK;
  std::wstring description, source;
  EXCEPINFO exception{};
  HWND after = nullptr;
  int windows = -1;
  ocx_test::Shown shown;
  const HRESULT hr = ocx_test::ShowAndClose(
      CloseBy::Ok, [&] { return Show(control.Get()); },
      [&](HWND) {
        second = Show(other.Get());
        ComPtr<IErrorInfo> info;
        BSTR text = nullptr, from = nullptr;
        if (GetErrorInfo(0, &info) == S_OK && SUCCEEDED(info->GetDescription(&text))) info->GetSource(&from);
        description = ocx_test::TakeBstr(text);
        source = ocx_test::TakeBstr(from);
        invoked = InvokeShow(dispatch.Get(), &exception);
        after = ocx_test::FindInfoWindow(GetCurrentProcessId(), &windows);
      },
      &shown);
  ok(hr == S_OK, "first call: expected S_OK, got %#lx\n", hr);
  ok(second == kError400 && description == expected && source == L"BrindtSysInfo",
     "second call: expected %#lx \"%s\" from BrindtSysInfo, got %#lx \"%s\" from \"%s\"\n", kError400,
     Narrow(expected).c_str(), second, Narrow(description).c_str(), Narrow(source).c_str());
  const std::wstring through_invoke = ocx_test::TakeBstr(exception.bstrDescription);
  ok(invoked == DISP_E_EXCEPTION && exception.scode == kError400 && through_invoke == expected,
     "through Invoke: expected DISP_E_EXCEPTION with %#lx \"%s\", got %#lx with %#lx \"%s\"\n", kError400,
     Narrow(expected).c_str(), invoked, exception.scode, Narrow(through_invoke).c_str());
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  ok(after == shown.window && windows == 1, "expected the shown window %p alone, got %p of %d windows\n",
     static_cast<void*>(shown.window), static_cast<void*>(after), windows);
  // Once it is closed, the next call shows it again.
  ok(ocx_test::ShowAndClose(CloseBy::CloseBox, [&] { return Show(other.Get()); }) == S_OK,
     "expected S_OK for the call after the failure\n");
  dispatch.Reset();
  ExpectLastRelease(control, "control");
  ExpectLastRelease(other, "other control");
}

// The class info names the coclass and its source interface, whose point takes sinks of that interface alone.
void test_class_info_and_events() {
  ComPtr<IProvideClassInfo2> class_info = ole_test::CreateControl<IProvideClassInfo2>();
  ComPtr<IConnectionPointContainer> container;
  if (!class_info || FAILED(class_info.As(&container))) return;
  ComPtr<ITypeInfo> info;
  HRESULT hr = class_info->GetClassInfo(&info);
  TYPEATTR* attr = nullptr;
  if (info) info->GetTypeAttr(&attr);
  GUID guid = {};
  const HRESULT source = class_info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid);
  ok(hr == S_OK && attr && attr->guid == CLSID_ctlBrindtSysInfo && attr->typekind == TKIND_COCLASS && source == S_OK &&
         guid == DIID___ctlBrindtSysInfo,
     "expected the coclass and the source interface, got hr %#lx %#lx %s\n", hr, source,
     Narrow(ocx_test::GuidText(guid)).c_str());
  if (attr) info->ReleaseTypeAttr(attr);
  info.Reset();
  class_info.Reset();
  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(DIID___ctlBrindtSysInfo, &point);
  ok(hr == S_OK, "FindConnectionPoint: expected S_OK, got %#lx\n", hr);
  if (!point) return;
  ole_test::EventSink sink, first, stranger(false);
  DWORD cookie = 0, other = 0, refused = 0xdeadbeef;
  ok(point->Advise(&first, &other) == S_OK && point->Advise(&sink, &cookie) == S_OK && other && cookie != other &&
         first.refs == 2 && sink.refs == 2,
     "expected two connections with their own cookies, got %lu %lu refs %lu %lu\n", other, cookie, first.refs,
     sink.refs);
  hr = point->Advise(&stranger, &refused);
  ok(hr == CONNECT_E_CANNOTCONNECT && refused == 0 && stranger.refs == 1,
     "a sink of another interface: expected CONNECT_E_CANNOTCONNECT, got %#lx cookie %lu refs %lu\n", hr, refused,
     stranger.refs);
  hr = point->Unadvise(cookie);
  ok(hr == S_OK && sink.refs == 1 && first.refs == 2, "Unadvise: expected S_OK, refs 1/2, got %#lx %lu/%lu\n", hr,
     sink.refs, first.refs);
  for (DWORD gone : {cookie, DWORD{0}}) {
    hr = point->Unadvise(gone);
    ok(hr == CONNECT_E_NOCONNECTION, "Unadvise(%lu): expected CONNECT_E_NOCONNECTION, got %#lx\n", gone, hr);
  }
  ExpectLastRelease(point, "connection point");
  // The control lets go of the sinks still advised when it goes.
  ExpectLastRelease(container, "control");
  ok(first.refs == 1, "expected the sink let go with the control, got refs %lu\n", first.refs);
}

// A VBScript client under cscript while this program closes the window; its exit code tells what it saw.
void test_script_gets_empty() {
  std::wstring command = L"cscript.exe //nologo \"" + ocx_test::BinDir() + L"ocx_client.vbs\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return (void)ok(false, "expected cscript to start, got error %lu\n", GetLastError());
  }
  // The window belongs to the cscript process, and to no other test; its list is whole once it is there.
  HWND window = nullptr;
  int rows = 0;
  for (int i = 0; i < 300 && rows < 30 && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT; ++i) {
    window = ocx_test::FindInfoWindow(process.dwProcessId);
    rows = window ? ocx_test::RowCount(window) : 0;
  }
  ok(rows >= 30, "expected the script's window with the whole list (30 rows or more), got %p with %d rows\n",
     static_cast<void*>(window), rows);
  // cscript has this program's bitness (syswow64 for a 32-bit one): the control came from this registry view.
  BOOL ours = FALSE, scripts = FALSE;
  IsWow64Process(GetCurrentProcess(), &ours);
  IsWow64Process(process.hProcess, &scripts);
  ok(ours == scripts, "expected cscript under WoW64 %d like this program, got %d\n", ours, scripts);
  if (window) ocx_test::CloseInfoWindow(window, CloseBy::CloseBox);
  DWORD code = 0xdeadbeef;
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
  GetExitCodeProcess(process.hProcess, &code);
  ok(code == 0, "expected the script to end with 0, got %lu\n", code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace

// `--script` runs the script client alone: the packaging tests use it in beds where the modules were installed or
// signed rather than built here.
int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--script") {
    test_script_gets_empty();
    return wine_test::Summary("ocx_control --script");
  }
  OleInitialize(nullptr);
  test_class_factory();
  test_interfaces();
  test_show_sysinfo_closes();
  test_invoke_by_name();
  test_second_call_while_shown();
  test_class_info_and_events();
  OleUninitialize();
  test_script_gets_empty();
  return wine_test::Summary("ocx_control");
}
