// SPDX-License-Identifier: MIT
// The control module through COM: its identity (type library and resources), factory and module lifetime,
// interfaces, ShowSysInfo building its list anew and from a script, the second call while shown (error 400).
#include <windows.h>

#include <objsafe.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdarg>
#include <cstring>
#include <string>
#include <vector>

#include "BrindtSysInfo.h"
#include "com_test.h"
#include "runtime/error.h"
#include "support/golden.h"

using com_test::ExpectLastRelease;
using Microsoft::WRL::ComPtr;
using ocx_test::CloseBy;
using wine_test::Narrow;

namespace {

std::string out;

void Line(const char* format, ...) {
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  out += text;
  out += '\n';
}

std::string Guid(REFGUID guid) {
  return Narrow(wine_test::GuidText(guid));
}

std::string TypeName(ITypeInfo* info, MEMBERID id = MEMBERID_NIL) {
  BSTR name = nullptr;
  info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
  return Narrow(wine_test::TakeBstr(name));
}

void DescribeType(ITypeInfo* info, const char* indent) {
  TYPEATTR* attr = nullptr;
  if (FAILED(info->GetTypeAttr(&attr))) return Line("%s<no attributes>", indent);
  Line("%skind %d %s %s flags %#x version %u.%u functions %u variables %u implements %u", indent, attr->typekind,
       TypeName(info).c_str(), Guid(attr->guid).c_str(), attr->wTypeFlags, attr->wMajorVerNum, attr->wMinorVerNum,
       attr->cFuncs, attr->cVars, attr->cImplTypes);
  for (UINT i = 0; i < attr->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    ComPtr<ITypeInfo> implemented;
    info->GetImplTypeFlags(i, &flags);
    if (SUCCEEDED(info->GetRefTypeOfImplType(i, &ref))) info->GetRefTypeInfo(ref, &implemented);
    Line("%s  implements %s (flags %#x)", indent, implemented ? TypeName(implemented.Get()).c_str() : "?", flags);
  }
  for (UINT i = 0; i < attr->cFuncs; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    std::string parameters;
    for (SHORT p = 0; p < function->cParams; ++p) {
      const ELEMDESC& parameter = function->lprgelemdescParam[p];
      const TYPEDESC& type = parameter.tdesc;
      parameters += " vt " + std::to_string(type.vt) +
                    (type.vt == VT_PTR ? "->" + std::to_string(type.lptdesc->vt) : "") + " flags " +
                    std::to_string(parameter.paramdesc.wParamFlags);
    }
    Line("%s  function %s id %#lx invoke %d kind %d slot %d returns vt %u%s", indent,
         TypeName(info, function->memid).c_str(), function->memid, function->invkind, function->funckind,
         function->oVft / static_cast<int>(sizeof(void*)), function->elemdescFunc.tdesc.vt, parameters.c_str());
    info->ReleaseFuncDesc(function);
  }
  // A dual interface is looked up as its dispatch face; its vtable face follows.
  HREFTYPE vtable_ref = 0;
  ComPtr<ITypeInfo> vtable;
  if ((attr->wTypeFlags & TYPEFLAG_FDUAL) && attr->typekind == TKIND_DISPATCH &&
      SUCCEEDED(info->GetRefTypeOfImplType(-1, &vtable_ref)) && SUCCEEDED(info->GetRefTypeInfo(vtable_ref, &vtable))) {
    DescribeType(vtable.Get(), "  ");
  }
  info->ReleaseTypeAttr(attr);
}

void DescribeLibrary() {
  ComPtr<ITypeLib> library;
  // Registered under the library's own locale, 1033.
  const HRESULT hr = LoadRegTypeLib(LIBID_BrindtSysInfo, 1, 0, 1033, &library);
  if (FAILED(hr)) return Line("LoadRegTypeLib: %#lx", hr);
  TLIBATTR* attr = nullptr;
  library->GetLibAttr(&attr);
  BSTR name = nullptr, help = nullptr;
  library->GetDocumentation(-1, &name, &help, nullptr, nullptr);
  // The loader adds LIBFLAG_FHASDISKIMAGE for a library read from a file.
  Line("library %s \"%s\" %s lcid %lu version %u.%u flags %#x %s, %u types", Narrow(wine_test::TakeBstr(name)).c_str(),
       Narrow(wine_test::TakeBstr(help)).c_str(), Guid(attr->guid).c_str(), attr->lcid, attr->wMajorVerNum,
       attr->wMinorVerNum, attr->wLibFlags & ~LIBFLAG_FHASDISKIMAGE,
       attr->syskind == (sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32) ? "of this bitness" : "of another bitness",
       library->GetTypeInfoCount());
  library->ReleaseTLibAttr(attr);
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(library->GetTypeInfo(i, &info))) DescribeType(info.Get(), "");
  }
}

std::vector<BYTE> Resource(HMODULE module, const wchar_t* type, const wchar_t* name, WORD language) {
  HRSRC found = FindResourceExW(module, type, name, language);
  if (!found) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  return data ? std::vector<BYTE>(data, data + SizeofResource(module, found)) : std::vector<BYTE>{};
}

void DescribeResources(HMODULE module) {
  const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
  std::vector<BYTE> block =
      Resource(module, MAKEINTRESOURCEW(16), MAKEINTRESOURCEW(1), MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
  VS_FIXEDFILEINFO* fixed = nullptr;
  DWORD* translation = nullptr;
  UINT length = 0;
  if (!block.empty() && VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) &&
      VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length)) {
    Line("version 1031: file %#lx.%#lx product %#lx.%#lx translation %#lx", fixed->dwFileVersionMS,
         fixed->dwFileVersionLS, fixed->dwProductVersionMS, fixed->dwProductVersionLS, *translation);
    for (const wchar_t* name : {L"FileVersion", L"ProductVersion", L"OLESelfRegister"}) {
      void* value = nullptr;
      const bool found =
          VerQueryValueW(block.data(), (std::wstring(L"\\StringFileInfo\\040704B0\\") + name).c_str(), &value, &length);
      Line("  %s: %s", Narrow(name).c_str(), found ? Narrow(static_cast<const wchar_t*>(value)).c_str() : "<none>");
    }
  } else {
    Line("version 1031: <none>");
  }
  // A 32-bit little-endian 16, then the GUID byte for byte as it is stored.
  for (const wchar_t* type : {L"_IID_CTLBRINDTSYSINFO", L"_SRCIID_CTLBRINDTSYSINFO"}) {
    const std::vector<BYTE> data = Resource(module, type, MAKEINTRESOURCEW(1), neutral);
    GUID stored{};
    if (data.size() == 20) std::memcpy(&stored, data.data() + 4, 16);
    Line("%s 1: %zu bytes, length %u, %s", Narrow(type).c_str(), data.size(), data.size() == 20 ? data[0] : 0u,
         Guid(stored).c_str());
  }
  const std::vector<BYTE> bitmap = Resource(module, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(30000), neutral);
  BITMAPINFOHEADER header{};
  if (bitmap.size() >= sizeof(header)) std::memcpy(&header, bitmap.data(), sizeof(header));
  Line("bitmap 30000: %ldx%ld at %u bits", header.biWidth, header.biHeight, header.biBitCount);
}

// The type library type by type (vtable slots in pointers) and the module's resources (version, interface records,
// toolbox bitmap), as a client reads them: tests/data/win32/ocx_identity.txt (the icon: ole_test, pixel for pixel).
void test_identity() {
  DescribeLibrary();
  const std::wstring path = wine_test::BinDir() + L"BrindtSysInfo.ocx";
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ok(module != nullptr, "expected to load %s, got error %lu\n", Narrow(path).c_str(), GetLastError());
  if (module) DescribeResources(module);
  const std::string difference = bsi::test::CompareGolden("win32/ocx_identity.txt", out);
  ok(difference.empty(), "expected the golden identity, got %s", difference.c_str());
  if (module) FreeLibrary(module);
}

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
  ComPtr<_ctlBrindtSysInfo> control = com_test::Create<_ctlBrindtSysInfo>(CLSID_ctlBrindtSysInfo);
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
       Narrow(wine_test::GuidText(*face)).c_str(), identity.Get(), hr, back.Get());
  }
  // Meant for trusted hosts: no IObjectSafety, and no safe-for-scripting category in the registry.
  void* out = reinterpret_cast<void*>(0xdeadbeef);
  HRESULT hr = control->QueryInterface(IID_IObjectSafety, &out);
  ok(hr == E_NOINTERFACE && !out, "IObjectSafety: expected E_NOINTERFACE, got %#lx %p\n", hr, out);
  for (const wchar_t* category :
       {L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}", L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}"}) {
    const std::wstring key =
        L"CLSID\\" + wine_test::GuidText(CLSID_ctlBrindtSysInfo) + L"\\Implemented Categories\\" + category;
    HKEY found = nullptr;
    ok(RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &found) != ERROR_SUCCESS,
       "expected no category %s, got it registered\n", Narrow(category).c_str());
    if (found) RegCloseKey(found);
  }
  // Early-bound callers ask before they take the error information.
  ComPtr<ISupportErrorInfo> errors;
  control.As(&errors);
  ok(errors->InterfaceSupportsErrorInfo(IID__ctlBrindtSysInfo) == S_OK &&
         errors->InterfaceSupportsErrorInfo(IID_IOleObject) == S_FALSE,
     "expected error info for _ctlBrindtSysInfo only\n");
  errors.Reset();
  identity.Reset();
  ExpectLastRelease(control, "control");
}

// The next call builds its own list: the first visit deletes a row of the one it sees (every way to close the
// window: ui_test).
void test_show_sysinfo_rebuilds() {
  ComPtr<_ctlBrindtSysInfo> control = com_test::Create<_ctlBrindtSysInfo>(CLSID_ctlBrindtSysInfo);
  if (!control) return;
  ocx_test::Shown first, second;
  ocx_test::ShowAndClose(
      CloseBy::F4, [&] { return Show(control.Get()); },
      [](HWND window) { SendMessageW(GetDlgItem(window, BSI_ID_LIST), LVM_DELETEITEM, 0, 0); }, &first);
  const HRESULT hr = ocx_test::ShowAndClose(
      CloseBy::Escape, [&] { return Show(control.Get()); }, {}, &second);
  ok(hr == S_OK && first.rows > 30 && second.rows == first.rows,
     "expected S_OK and the whole list of %d rows again, got %#lx, %d rows\n", first.rows, hr, second.rows);
  ExpectLastRelease(control, "control");
}

// While shown, a second call (another control of the thread) raises 400 by vtable and Invoke; the window stays alone.
void test_second_call_while_shown() {
  ComPtr<_ctlBrindtSysInfo> control = com_test::Create<_ctlBrindtSysInfo>(CLSID_ctlBrindtSysInfo);
  ComPtr<_ctlBrindtSysInfo> other = com_test::Create<_ctlBrindtSysInfo>(CLSID_ctlBrindtSysInfo);
  ComPtr<IDispatch> dispatch;
  if (!control || !other || FAILED(control.As(&dispatch))) return;
  const std::wstring expected = reinterpret_cast<const wchar_t*>(bsi::StandardDescription(400).c_str());
  HRESULT second = S_OK, invoked = S_OK;
  com_test::ErrorText error;
  EXCEPINFO exception{};
  HWND after = nullptr;
  int windows = -1;
  ocx_test::Shown shown;
  const HRESULT hr = ocx_test::ShowAndClose(
      CloseBy::Ok, [&] { return Show(control.Get()); },
      [&](HWND) {
        second = Show(other.Get());
        error = com_test::TakeErrorInfo();
        invoked = InvokeShow(dispatch.Get(), &exception);
        after = ocx_test::FindInfoWindow(GetCurrentProcessId(), &windows);
      },
      &shown);
  ok(hr == S_OK, "first call: expected S_OK, got %#lx\n", hr);
  ok(second == kError400 && error.description == expected && error.source == L"BrindtSysInfo",
     "second call: expected %#lx \"%s\" from BrindtSysInfo, got %#lx \"%s\" from \"%s\"\n", kError400,
     Narrow(expected).c_str(), second, Narrow(error.description).c_str(), Narrow(error.source).c_str());
  const std::wstring through_invoke = wine_test::TakeBstr(exception.bstrDescription);
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

// A VBScript client under cscript while this program closes the window; its exit code tells what it saw.
void test_script_gets_empty() {
  std::wstring command = L"cscript.exe //nologo \"" + wine_test::BinDir() + L"ocx_client.vbs\"";
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
  test_identity();
  test_class_factory();
  test_interfaces();
  test_show_sysinfo_rebuilds();
  test_second_call_while_shown();
  OleUninitialize();
  test_script_gets_empty();
  return wine_test::Summary("ocx_control");
}
