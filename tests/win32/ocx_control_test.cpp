// SPDX-License-Identifier: MIT
// The control object through COM: creation and the class factory, its interfaces, ShowSysInfo closed by OK, F4
// and the close box, IDispatch by name, the second call while the window is shown, siting, persistence and the
// connection point of its source interface. A thread timer drives the modal window from inside its own loop.
#include <windows.h>

#include <commctrl.h>
#include <objsafe.h>
#include <oleauto.h>
#include <olectl.h>
#include <wrl/client.h>

#include <string>

#include "BrindtSysInfo.h"
#include "ocx_support.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "wine_test.h"

using Microsoft::WRL::ComPtr;
using ocx_test::Bstr;
using ocx_test::CloseBy;

namespace {

std::string Text(const std::wstring& text) {
  return wine_test::Narrow(text);
}

ComPtr<_ctlBrindtSysInfo> CreateControl() {
  ComPtr<_ctlBrindtSysInfo> control;
  const HRESULT hr = CoCreateInstance(CLSID_ctlBrindtSysInfo, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
  ok(hr == S_OK, "CoCreateInstance: hr %#lx\n", hr);
  return control;
}

// Ends a test's use of an object: the test's pointer is the last one.
template <typename I>
void ExpectLastRelease(ComPtr<I>& object, const char* what) {
  const ULONG left = object.Detach()->Release();
  ok(left == 0, "%s: last Release returned %lu\n", what, left);
}

// ---- driving the modal window from a thread timer ----

struct Visit {
  CloseBy how = CloseBy::Ok;
  _ctlBrindtSysInfo* reenter = nullptr;   // when set, calls ShowSysInfo again while the window is shown
  IDispatch* reenter_dispatch = nullptr;  // the same through IDispatch::Invoke
  bool spoil_list = false;                // when set, empties the list and leaves one stale row before closing
  HWND window = nullptr;
  int rows = -1;             // rows of the list when the window was found
  std::wstring first_label;  // its first label
  int ticks = 0;
  int ticks_after_close = -1;
  // What the second call saw.
  HRESULT reenter_hr = 0xdeadbeef;
  VARTYPE reenter_vt = 0xbeef;
  std::wstring reenter_description;
  std::wstring reenter_source;
  HRESULT dispatch_hr = 0xdeadbeef;
  SCODE dispatch_scode = 0xdeadbeef;
  std::wstring dispatch_description;
  HWND window_after = nullptr;
  int windows_after = -1;
};
Visit g_visit;

void SecondCall() {
  VARIANT result;
  V_VT(&result) = VT_I4;
  V_I4(&result) = static_cast<LONG>(0xdeadbeef);
  g_visit.reenter_hr = g_visit.reenter->ShowSysInfo(&result);
  g_visit.reenter_vt = V_VT(&result);
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, &info) == S_OK) {
    Bstr description, source;
    info->GetDescription(description.put());
    info->GetSource(source.put());
    g_visit.reenter_description = description.text();
    g_visit.reenter_source = source.text();
  }
  if (g_visit.reenter_dispatch) {
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXCEPINFO exception{};
    VariantInit(&result);
    g_visit.dispatch_hr = g_visit.reenter_dispatch->Invoke(0x60030001, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                                           &none, &result, &exception, nullptr);
    g_visit.dispatch_scode = exception.scode;
    if (exception.bstrDescription) g_visit.dispatch_description = exception.bstrDescription;
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    VariantClear(&result);
  }
  g_visit.window_after = ocx_test::FindInfoWindow(GetCurrentProcessId(), &g_visit.windows_after);
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_visit.ticks_after_close >= 0) {
    // The window should be gone by now; if it is not, end it so that the test goes on.
    if (++g_visit.ticks_after_close > 100 && IsWindow(g_visit.window)) {
      ok(false, "the window did not close after %s\n", ocx_test::Name(g_visit.how));
      KillTimer(nullptr, timer);
      DestroyWindow(g_visit.window);
    }
    return;
  }
  HWND window = ocx_test::FindInfoWindow(GetCurrentProcessId());
  if (!window) {
    if (++g_visit.ticks > 200) {
      ok(false, "the window did not appear\n");
      KillTimer(nullptr, timer);
    }
    return;
  }
  g_visit.window = window;
  if (HWND list = FindWindowExW(window, nullptr, WC_LISTVIEWW, nullptr)) {
    g_visit.rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    wchar_t label[256] = {};
    LVITEMW item{};
    item.pszText = label;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    g_visit.first_label = label;
    if (g_visit.spoil_list) {
      SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
      wchar_t stale[] = L"stale";
      item.pszText = stale;
      SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
  if (g_visit.reenter) SecondCall();
  g_visit.ticks_after_close = 0;
  ocx_test::CloseInfoWindow(window, g_visit.how);
}

// Calls `show` while a thread timer finds the window and acts as g_visit says; gives the call's HRESULT.
template <typename Show>
HRESULT ShowAndClose(Show show) {
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
  const HRESULT hr = show();
  KillTimer(nullptr, timer);
  return hr;
}

template <typename Show>
HRESULT ShowAndClose(CloseBy how, Show show) {
  g_visit = Visit{};
  g_visit.how = how;
  return ShowAndClose(show);
}

// ---- tests ----

void test_class_factory() {
  ComPtr<IClassFactory> factory;
  HRESULT hr = CoGetClassObject(CLSID_ctlBrindtSysInfo, CLSCTX_INPROC_SERVER, nullptr, IID_PPV_ARGS(&factory));
  ok(hr == S_OK, "CoGetClassObject: hr %#lx\n", hr);
  if (!factory) return;
  HMODULE module = GetModuleHandleW(L"BrindtSysInfo.ocx");
  ok(module != nullptr, "the module is not loaded\n");
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  using GetClass = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  auto can_unload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
  auto get_class = reinterpret_cast<GetClass>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
  ok(can_unload && get_class, "exports missing\n");
  if (!can_unload || !get_class) return;

  ok(can_unload() == S_FALSE, "DllCanUnloadNow with a factory alive: %#lx\n", can_unload());

  void* out = reinterpret_cast<void*>(0xdeadbeef);
  hr = get_class(IID_IStream, IID_IClassFactory, &out);
  ok(hr == CLASS_E_CLASSNOTAVAILABLE && out == nullptr, "DllGetClassObject(other class): hr %#lx out %p\n", hr, out);

  ComPtr<IUnknown> outer_object;
  out = reinterpret_cast<void*>(0xdeadbeef);
  hr = factory->CreateInstance(reinterpret_cast<IUnknown*>(factory.Get()), IID_IUnknown, &out);
  ok(hr == CLASS_E_NOAGGREGATION && out == nullptr, "aggregation: hr %#lx out %p\n", hr, out);
  out = reinterpret_cast<void*>(0xdeadbeef);
  hr = factory->CreateInstance(nullptr, IID_IStream, &out);
  ok(hr == E_NOINTERFACE && out == nullptr, "IStream: hr %#lx out %p\n", hr, out);

  ComPtr<IOleObject> object;
  hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
  ok(hr == S_OK, "CreateInstance: hr %#lx\n", hr);
  hr = factory->LockServer(TRUE);
  ok(hr == S_OK, "LockServer: hr %#lx\n", hr);
  ExpectLastRelease(factory, "class factory");
  ExpectLastRelease(object, "control");
  ok(can_unload() == S_FALSE, "DllCanUnloadNow while locked: %#lx\n", can_unload());

  // A lock alone keeps the module; without it and without objects it may go.
  hr = get_class(CLSID_ctlBrindtSysInfo, IID_PPV_ARGS(&factory));
  ok(hr == S_OK, "DllGetClassObject: hr %#lx\n", hr);
  factory->LockServer(FALSE);
  ExpectLastRelease(factory, "class factory");
  ok(can_unload() == S_OK, "DllCanUnloadNow with nothing alive: %#lx\n", can_unload());
}

void test_interfaces() {
  ComPtr<_ctlBrindtSysInfo> control = CreateControl();
  if (!control) return;
  ComPtr<IUnknown> identity;
  control.As(&identity);
  const struct {
    const IID* iid;
    const char* name;
  } offered[] = {
      {&IID__ctlBrindtSysInfo, "_ctlBrindtSysInfo"},
      {&IID_IDispatch, "IDispatch"},
      {&IID_IOleObject, "IOleObject"},
      {&IID_IOleWindow, "IOleWindow"},
      {&IID_IOleInPlaceObject, "IOleInPlaceObject"},
      {&IID_IOleInPlaceObjectWindowless, "IOleInPlaceObjectWindowless"},
      {&IID_IPersist, "IPersist"},
      {&IID_IPersistStreamInit, "IPersistStreamInit"},
      {&IID_IProvideClassInfo, "IProvideClassInfo"},
      {&IID_IProvideClassInfo2, "IProvideClassInfo2"},
      {&IID_IConnectionPointContainer, "IConnectionPointContainer"},
      {&IID_ISupportErrorInfo, "ISupportErrorInfo"},
  };
  for (const auto& entry : offered) {
    ComPtr<IUnknown> face;
    HRESULT hr = control->QueryInterface(*entry.iid, reinterpret_cast<void**>(face.GetAddressOf()));
    ok(hr == S_OK, "%s: hr %#lx\n", entry.name, hr);
    if (!face) continue;
    // Every face leads back to one identity.
    ComPtr<IUnknown> back;
    face.As(&back);
    ok(back.Get() == identity.Get(), "%s: IUnknown %p is not %p\n", entry.name, back.Get(), identity.Get());
  }
  // A base interface is answered by the derived one's table, so a windowless site's face is the same pointer.
  ComPtr<IOleWindow> window;
  ComPtr<IOleInPlaceObjectWindowless> windowless;
  control.As(&window);
  control.As(&windowless);
  ok(window && window.Get() == static_cast<IOleWindow*>(windowless.Get()), "IOleWindow %p is not the windowless %p\n",
     window.Get(), windowless.Get());
  window.Reset();
  windowless.Reset();
  // Meant for trusted hosts: the control does not declare itself safe for scripts or initialization.
  void* out = reinterpret_cast<void*>(0xdeadbeef);
  HRESULT hr = control->QueryInterface(IID_IObjectSafety, &out);
  ok(hr == E_NOINTERFACE && out == nullptr, "IObjectSafety: hr %#lx out %p\n", hr, out);
  ComPtr<ISupportErrorInfo> errors;
  control.As(&errors);
  ok(errors->InterfaceSupportsErrorInfo(IID__ctlBrindtSysInfo) == S_OK, "no error info for _ctlBrindtSysInfo\n");
  ok(errors->InterfaceSupportsErrorInfo(IID_IOleObject) == S_FALSE, "error info for IOleObject\n");
  errors.Reset();
  identity.Reset();
  ExpectLastRelease(control, "control");
}

void test_show_sysinfo_closes() {
  ComPtr<_ctlBrindtSysInfo> control = CreateControl();
  if (!control) return;
  for (CloseBy how : {CloseBy::Ok, CloseBy::F4, CloseBy::CloseBox}) {
    HWND first_window = nullptr;
    int first_rows = -1;
    for (int round = 1; round <= 2; ++round) {
      VARIANT result;
      V_VT(&result) = VT_I4;
      V_I4(&result) = static_cast<LONG>(0xdeadbeef);
      g_visit = Visit{};
      g_visit.how = how;
      g_visit.spoil_list = round == 1;
      const HRESULT hr = ShowAndClose([&] { return control->ShowSysInfo(&result); });
      ok(hr == S_OK, "%s, round %d: hr %#lx\n", ocx_test::Name(how), round, hr);
      ok(V_VT(&result) == VT_EMPTY, "%s, round %d: result type %u\n", ocx_test::Name(how), round, V_VT(&result));
      ok(g_visit.window != nullptr, "%s, round %d: no window\n", ocx_test::Name(how), round);
      // The window is unloaded when the call returns; the next call loads a new one.
      ok(!IsWindow(g_visit.window), "%s, round %d: the window outlives the call\n", ocx_test::Name(how), round);
      if (round == 1) {
        first_window = g_visit.window;
        first_rows = g_visit.rows;
        ok(first_rows > 1, "%s: %d rows in the list\n", ocx_test::Name(how), first_rows);
      } else {
        ok(!IsWindow(first_window), "%s: the first window survived\n", ocx_test::Name(how));
        // The first list was spoilt before it closed: the second call builds its own.
        ok(g_visit.rows == first_rows && g_visit.first_label != L"stale", "%s: second list %d rows, first \"%s\"\n",
           ocx_test::Name(how), g_visit.rows, Text(g_visit.first_label).c_str());
      }
    }
  }
  ExpectLastRelease(control, "control");
}

void test_invoke_by_name() {
  ComPtr<_ctlBrindtSysInfo> control = CreateControl();
  if (!control) return;
  ComPtr<IDispatch> dispatch;
  control.As(&dispatch);
  UINT count = 0xdeadbeef;
  ok(dispatch->GetTypeInfoCount(&count) == S_OK && count == 1, "type info count %u\n", count);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(0xdeadbeef);
  HRESULT hr = dispatch->GetTypeInfo(1, 0, &info);
  ok(hr == DISP_E_BADINDEX && info == nullptr, "GetTypeInfo(1): hr %#lx\n", hr);

  wchar_t name[] = L"ShowSysInfo";
  wchar_t lower[] = L"showsysinfo";
  wchar_t unknown[] = L"Refresh";
  for (wchar_t* text : {name, lower}) {
    DISPID id = static_cast<DISPID>(0xdeadbeef);
    hr = dispatch->GetIDsOfNames(IID_NULL, &text, 1, LOCALE_USER_DEFAULT, &id);
    ok(hr == S_OK && id == 0x60030001, "GetIDsOfNames(%s): hr %#lx id %#lx\n", Text(text).c_str(), hr, id);
  }
  DISPID id = static_cast<DISPID>(0xdeadbeef);
  wchar_t* refresh = unknown;
  hr = dispatch->GetIDsOfNames(IID_NULL, &refresh, 1, LOCALE_USER_DEFAULT, &id);
  ok(hr == DISP_E_UNKNOWNNAME && id == DISPID_UNKNOWN, "GetIDsOfNames(Refresh): hr %#lx id %#lx\n", hr, id);
  wchar_t* show = name;
  hr = dispatch->GetIDsOfNames(IID_IOleObject, &show, 1, LOCALE_USER_DEFAULT, &id);
  ok(hr == DISP_E_UNKNOWNINTERFACE, "GetIDsOfNames with an IID: hr %#lx\n", hr);

  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  VARIANT result;
  V_VT(&result) = VT_I4;
  hr = dispatch->Invoke(0x60030001, IID_IOleObject, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
  ok(hr == DISP_E_UNKNOWNINTERFACE, "Invoke with an IID: hr %#lx\n", hr);
  hr = dispatch->Invoke(0x60030002, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr);
  ok(hr == DISP_E_MEMBERNOTFOUND, "Invoke of an unknown member: hr %#lx\n", hr);

  V_VT(&result) = VT_I4;
  V_I4(&result) = static_cast<LONG>(0xdeadbeef);
  hr = ShowAndClose(CloseBy::Ok, [&] {
    return dispatch->Invoke(0x60030001, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, nullptr,
                            nullptr);
  });
  ok(hr == S_OK && V_VT(&result) == VT_EMPTY, "Invoke(ShowSysInfo): hr %#lx type %u\n", hr, V_VT(&result));
  dispatch.Reset();
  ExpectLastRelease(control, "control");
}

void test_second_call_while_shown() {
  ComPtr<_ctlBrindtSysInfo> control = CreateControl();
  // Another control of the same thread shares its window: it is refused too.
  ComPtr<_ctlBrindtSysInfo> other = CreateControl();
  if (!control || !other) return;
  ComPtr<IDispatch> dispatch;
  control.As(&dispatch);
  g_visit = Visit{};
  g_visit.how = CloseBy::Ok;
  g_visit.reenter = other.Get();
  g_visit.reenter_dispatch = dispatch.Get();
  VARIANT result;
  V_VT(&result) = VT_I4;
  const HRESULT hr = ShowAndClose([&] { return control->ShowSysInfo(&result); });
  ok(hr == S_OK && V_VT(&result) == VT_EMPTY, "first call: hr %#lx type %u\n", hr, V_VT(&result));

  // Run-time error 400 as 0x800A0000 + 400, with its text for a script to show.
  const std::wstring expected = reinterpret_cast<const wchar_t*>(bsi::StandardDescription(400).c_str());
  ok(g_visit.reenter_hr == static_cast<HRESULT>(0x800A0190), "second call: hr %#lx\n", g_visit.reenter_hr);
  ok(g_visit.reenter_vt == VT_EMPTY, "second call: result type %u\n", g_visit.reenter_vt);
  ok(g_visit.reenter_description == expected, "second call: description \"%s\", expected \"%s\"\n",
     Text(g_visit.reenter_description).c_str(), Text(expected).c_str());
  ok(g_visit.reenter_source == L"BrindtSysInfo", "second call: source \"%s\"\n", Text(g_visit.reenter_source).c_str());
  ok(g_visit.dispatch_hr == DISP_E_EXCEPTION && g_visit.dispatch_scode == static_cast<SCODE>(0x800A0190),
     "through Invoke: hr %#lx scode %#lx\n", g_visit.dispatch_hr, g_visit.dispatch_scode);
  ok(g_visit.dispatch_description == expected, "through Invoke: description \"%s\"\n",
     Text(g_visit.dispatch_description).c_str());
  // The shown window stays as it was: the same one, and only one.
  ok(g_visit.window_after == g_visit.window && g_visit.windows_after == 1,
     "after the second call: window %p (was %p), %d windows\n", g_visit.window_after, g_visit.window,
     g_visit.windows_after);

  // Once it is closed, the next call shows it again.
  V_VT(&result) = VT_I4;
  const HRESULT again = ShowAndClose(CloseBy::CloseBox, [&] { return control->ShowSysInfo(&result); });
  ok(again == S_OK && V_VT(&result) == VT_EMPTY, "call after the failure: hr %#lx type %u\n", again, V_VT(&result));
  dispatch.Reset();
  ExpectLastRelease(control, "control");
  ExpectLastRelease(other, "other control");
}

void test_persistence_and_class_info() {
  ComPtr<_ctlBrindtSysInfo> control = CreateControl();
  if (!control) return;
  ComPtr<IPersistStreamInit> persist;
  control.As(&persist);
  CLSID clsid = {};
  HRESULT hr = persist->GetClassID(&clsid);
  ok(hr == S_OK && clsid == CLSID_ctlBrindtSysInfo, "GetClassID: hr %#lx\n", hr);
  ok(persist->InitNew() == S_OK, "InitNew failed\n");
  ok(persist->IsDirty() == S_FALSE, "dirty without properties\n");
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  hr = persist->Save(stream.Get(), TRUE);
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  ok(hr == S_OK && stat.cbSize.QuadPart == 0, "Save: hr %#lx, %llu bytes\n", hr,
     static_cast<unsigned long long>(stat.cbSize.QuadPart));
  const LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  ok(persist->Load(stream.Get()) == S_OK, "Load of the saved state failed\n");
  ok(persist->Load(nullptr) == E_POINTER, "Load(NULL) accepted\n");
  ULARGE_INTEGER size;
  size.QuadPart = 0xdeadbeef;
  ok(persist->GetSizeMax(&size) == S_OK && size.QuadPart == 0, "GetSizeMax %llu\n",
     static_cast<unsigned long long>(size.QuadPart));
  ExpectLastRelease(stream, "stream");

  ComPtr<IProvideClassInfo2> class_info;
  control.As(&class_info);
  ComPtr<ITypeInfo> info;
  hr = class_info->GetClassInfo(&info);
  TYPEATTR* attr = nullptr;
  if (info) info->GetTypeAttr(&attr);
  ok(hr == S_OK && attr && attr->guid == CLSID_ctlBrindtSysInfo && attr->typekind == TKIND_COCLASS,
     "GetClassInfo: hr %#lx\n", hr);
  if (attr) info->ReleaseTypeAttr(attr);
  GUID guid = {};
  hr = class_info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid);
  ok(hr == S_OK && guid == DIID___ctlBrindtSysInfo, "GetGUID: hr %#lx %s\n", hr,
     Text(ocx_test::GuidText(guid)).c_str());
  hr = class_info->GetGUID(99, &guid);
  ok(hr == E_INVALIDARG, "GetGUID(99): hr %#lx\n", hr);
  info.Reset();
  class_info.Reset();
  persist.Reset();
  ExpectLastRelease(control, "control");
}

// A sink of the source interface: a dispinterface with no members, so it is never called.
class Sink final : public IDispatch {
 public:
  explicit Sink(bool answers) : answers_(answers) {}
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || (answers_ && (iid == IID_IDispatch || iid == DIID___ctlBrindtSysInfo))) {
      *out = this;
      AddRef();
      return S_OK;
    }
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    ok(false, "an event was fired\n");
    return E_NOTIMPL;
  }

 private:
  bool answers_;
};

void test_connection_point() {
  ComPtr<_ctlBrindtSysInfo> control = CreateControl();
  if (!control) return;
  ComPtr<IConnectionPointContainer> container;
  control.As(&container);
  IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(0xdeadbeef);
  HRESULT hr = container->FindConnectionPoint(IID_IPropertyNotifySink, &none);
  ok(hr == CONNECT_E_NOCONNECTION && none == nullptr, "other interface: hr %#lx %p\n", hr, none);

  ComPtr<IConnectionPoint> point;
  hr = container->FindConnectionPoint(DIID___ctlBrindtSysInfo, &point);
  ok(hr == S_OK, "FindConnectionPoint: hr %#lx\n", hr);
  if (!point) return;
  IID iid = {};
  ok(point->GetConnectionInterface(&iid) == S_OK && iid == DIID___ctlBrindtSysInfo, "connection interface %s\n",
     Text(ocx_test::GuidText(iid)).c_str());
  ComPtr<IConnectionPointContainer> back;
  point->GetConnectionPointContainer(&back);
  ok(back.Get() == container.Get(), "container %p is not %p\n", back.Get(), container.Get());
  back.Reset();

  Sink sink(true), first(true), stranger(false);
  DWORD cookie = 0xdeadbeef, other = 0xdeadbeef, refused = 0xdeadbeef;
  hr = point->Advise(&first, &other);
  ok(hr == S_OK && other != 0 && first.refs == 2, "Advise: hr %#lx cookie %lu refs %lu\n", hr, other, first.refs);
  hr = point->Advise(&sink, &cookie);
  ok(hr == S_OK && cookie != 0 && cookie != other && sink.refs == 2, "second Advise: hr %#lx cookie %lu refs %lu\n", hr,
     cookie, sink.refs);
  hr = point->Advise(&stranger, &refused);
  ok(hr == CONNECT_E_CANNOTCONNECT && refused == 0 && stranger.refs == 1, "stranger: hr %#lx cookie %lu refs %lu\n", hr,
     refused, stranger.refs);
  hr = point->Unadvise(cookie);
  ok(hr == S_OK && sink.refs == 1 && first.refs == 2, "Unadvise: hr %#lx refs %lu/%lu\n", hr, sink.refs, first.refs);
  hr = point->Unadvise(cookie);
  ok(hr == CONNECT_E_NOCONNECTION, "second Unadvise: hr %#lx\n", hr);
  hr = point->Unadvise(0);
  ok(hr == CONNECT_E_NOCONNECTION, "Unadvise(0): hr %#lx\n", hr);

  ComPtr<IEnumConnectionPoints> points;
  hr = container->EnumConnectionPoints(&points);
  ok(hr == S_OK, "EnumConnectionPoints: hr %#lx\n", hr);
  if (points) {
    IConnectionPoint* fetched[2] = {nullptr, nullptr};
    ULONG count = 0xdeadbeef;
    hr = points->Next(2, fetched, &count);
    ok(hr == S_FALSE && count == 1 && fetched[0] && !fetched[1], "Next(2): hr %#lx count %lu\n", hr, count);
    if (fetched[0]) {
      iid = IID_NULL;
      fetched[0]->GetConnectionInterface(&iid);
      ok(iid == DIID___ctlBrindtSysInfo, "enumerated point for %s\n", Text(ocx_test::GuidText(iid)).c_str());
      fetched[0]->Release();
    }
    ExpectLastRelease(points, "connection point enumerator");
  }
  ExpectLastRelease(point, "connection point");
  container.Reset();
  // The control lets go of the sinks still advised when it goes.
  ExpectLastRelease(control, "control");
  ok(first.refs == 1, "a sink kept after the control went: refs %lu\n", first.refs);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_class_factory();
  test_interfaces();
  test_show_sysinfo_closes();
  test_invoke_by_name();
  test_second_call_while_shown();
  test_persistence_and_class_info();
  test_connection_point();
  OleUninitialize();
  return wine_test::Summary("ocx_control");
}
