// SPDX-License-Identifier: MIT
// Saving and loading the control through each persistence interface: IPersistStreamInit on an HGLOBAL stream,
// IPersistStorage on a compound file (OleSave and OleLoad, as a document container does), IPersistPropertyBag
// on a bag of the test's. The control has no properties: it writes nothing, loads what it wrote and what others
// wrote, and is never dirty. The storage protocol's wrong orders get their errors.
#include <windows.h>

#include <ole2.h>
#include <wrl/client.h>

#include <map>
#include <string>

#include "ole_support.h"

using Microsoft::WRL::ComPtr;
using ole_test::ExpectLastRelease;

namespace {

DEFINE_EXPECT(OnSave);

// A property bag that keeps what is written and counts the calls.
class PropertyBag final : public IPropertyBag {
 public:
  ULONG refs = 1;
  int reads = 0;
  int writes = 0;
  std::map<std::wstring, std::wstring> values;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IPropertyBag) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    ++reads;
    const auto found = values.find(name);
    if (found == values.end()) return E_INVALIDARG;
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(found->second.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR name, VARIANT* value) override {
    ++writes;
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, value, 0, VT_BSTR))) return E_FAIL;
    values[name] = V_BSTR(&text);
    VariantClear(&text);
    return S_OK;
  }
};

class AdviseSink final : public IAdviseSink {
 public:
  ULONG refs = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid != IID_IUnknown && iid != IID_IAdviseSink) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs; }
  void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
  void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
  void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
  void STDMETHODCALLTYPE OnSave() override { CHECK_EXPECT2(OnSave); }
  void STDMETHODCALLTYPE OnClose() override {}
};

ULONGLONG StreamSize(IStream* stream) {
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  return stat.cbSize.QuadPart;
}

void ExpectClean(IUnknown* control, const char* when) {
  ComPtr<IPersistStreamInit> stream;
  ComPtr<IPersistStorage> storage;
  control->QueryInterface(IID_PPV_ARGS(&stream));
  control->QueryInterface(IID_PPV_ARGS(&storage));
  ok(stream && stream->IsDirty() == S_FALSE, "%s: dirty through IPersistStreamInit\n", when);
  ok(storage && storage->IsDirty() == S_FALSE, "%s: dirty through IPersistStorage\n", when);
  ComPtr<IOleObject> object;
  control->QueryInterface(IID_PPV_ARGS(&object));
  SIZEL extent{0, 0};
  ok(object && object->GetExtent(DVASPECT_CONTENT, &extent) == S_OK && extent.cx == 1058 && extent.cy == 1058,
     "%s: extent %ld x %ld\n", when, extent.cx, extent.cy);
}

void test_stream_round_trip() {
  ComPtr<IPersistStreamInit> saver = ole_test::CreateControl<IPersistStreamInit>();
  if (!saver) return;
  ok(saver->InitNew() == S_OK, "InitNew failed\n");
  ExpectClean(saver.Get(), "new");
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  // A form saves what comes before and after the control in the same stream.
  ULONG written = 0;
  stream->Write("head", 4, &written);
  HRESULT hr = saver->Save(stream.Get(), FALSE);
  ok(hr == S_OK && StreamSize(stream.Get()) == 4, "Save: hr %#lx, stream %llu bytes\n", hr, StreamSize(stream.Get()));
  stream->Write("tail", 4, &written);
  ExpectClean(saver.Get(), "saved");
  ok(saver->Save(nullptr, TRUE) == E_POINTER, "Save(NULL) accepted\n");
  ExpectLastRelease(saver, "saving control");

  ComPtr<IPersistStreamInit> loader = ole_test::CreateControl<IPersistStreamInit>();
  if (!loader) return;
  LARGE_INTEGER at{};
  at.QuadPart = 4;
  stream->Seek(at, STREAM_SEEK_SET, nullptr);
  hr = loader->Load(stream.Get());
  ok(hr == S_OK, "Load: hr %#lx\n", hr);
  // The control read only its own (empty) part: the container's data follows where it left off.
  char tail[5] = {};
  ULONG read = 0;
  stream->Read(tail, 4, &read);
  ok(read == 4 && std::string(tail) == "tail", "after Load the stream reads \"%s\"\n", tail);
  ExpectClean(loader.Get(), "loaded from a stream");
  ExpectLastRelease(loader, "loading control");
  ExpectLastRelease(stream, "stream");
}

void test_storage_round_trip() {
  ComPtr<IStorage> storage;
  HRESULT hr = StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                                &storage);
  ok(hr == S_OK, "StgCreateDocfile: hr %#lx\n", hr);
  if (!storage) return;

  ComPtr<IPersistStorage> saver = ole_test::CreateControl<IPersistStorage>();
  if (!saver) return;
  ComPtr<IOleObject> object;
  saver.As(&object);
  AdviseSink sink;
  DWORD connection = 0;
  object->Advise(&sink, &connection);

  ok(saver->InitNew(nullptr) == E_POINTER, "InitNew(NULL) accepted\n");
  ok(saver->SaveCompleted(nullptr) == E_UNEXPECTED, "SaveCompleted before any Save accepted\n");
  ok(saver->InitNew(storage.Get()) == S_OK, "InitNew failed\n");
  ok(saver->InitNew(storage.Get()) == CO_E_ALREADYINITIALIZED, "second InitNew accepted\n");
  ok(saver->Load(storage.Get()) == CO_E_ALREADYINITIALIZED, "Load after InitNew accepted\n");
  ok(saver->Save(nullptr, TRUE) == E_POINTER, "Save(NULL) accepted\n");

  // As a document container saves an embedded object: the class first, then the object's own data.
  hr = OleSave(saver.Get(), storage.Get(), TRUE);
  ok(hr == S_OK, "OleSave: hr %#lx\n", hr);
  SET_EXPECT(OnSave);
  hr = saver->SaveCompleted(nullptr);
  ok(hr == S_OK, "SaveCompleted: hr %#lx\n", hr);
  CHECK_CALLED(OnSave);
  ok(saver->SaveCompleted(nullptr) == E_UNEXPECTED, "second SaveCompleted accepted\n");
  // Hands off: the container has to give a storage back.
  ok(saver->HandsOffStorage() == S_OK, "HandsOffStorage failed\n");
  ok(saver->SaveCompleted(nullptr) == E_INVALIDARG, "SaveCompleted(NULL) after HandsOffStorage accepted\n");
  SET_EXPECT(OnSave);
  ok(saver->SaveCompleted(storage.Get()) == S_OK, "SaveCompleted(storage) after HandsOffStorage failed\n");
  CHECK_CALLED(OnSave);
  ExpectClean(saver.Get(), "saved to a storage");
  object->Unadvise(connection);
  ok(sink.refs == 1, "advise sink refs %lu\n", sink.refs);
  object.Reset();
  ExpectLastRelease(saver, "saving control");

  CLSID clsid = CLSID_NULL;
  hr = ReadClassStg(storage.Get(), &clsid);
  ok(hr == S_OK && clsid == CLSID_ctlBrindtSysInfo, "class in the storage: hr %#lx\n", hr);
  // The control wrote no streams of its own.
  ComPtr<IEnumSTATSTG> elements;
  storage->EnumElements(0, nullptr, 0, &elements);
  int own = 0;
  STATSTG element{};
  while (elements && elements->Next(1, &element, nullptr) == S_OK) {
    // OLE's own streams start with a control character.
    if (element.pwcsName && element.pwcsName[0] >= L' ') ++own;
    CoTaskMemFree(element.pwcsName);
  }
  ok(own == 0, "%d streams of the control's own\n", own);
  ExpectLastRelease(elements, "element enumerator");

  // As a container loads it: the class from the storage, then Load.
  ComPtr<IOleObject> loaded;
  hr = OleLoad(storage.Get(), IID_IOleObject, nullptr, reinterpret_cast<void**>(loaded.GetAddressOf()));
  ok(hr == S_OK && loaded, "OleLoad: hr %#lx\n", hr);
  if (loaded) {
    CLSID loaded_class = CLSID_NULL;
    loaded->GetUserClassID(&loaded_class);
    ok(loaded_class == CLSID_ctlBrindtSysInfo, "OleLoad made another class\n");
    ComPtr<IPersistStorage> again;
    loaded.As(&again);
    ok(again->Load(storage.Get()) == CO_E_ALREADYINITIALIZED, "Load after OleLoad accepted\n");
    again.Reset();
    ExpectClean(loaded.Get(), "loaded from a storage");
    ExpectLastRelease(loaded, "loaded control");
  }
  ExpectLastRelease(storage, "storage");
}

void test_property_bag_round_trip() {
  ComPtr<IPersistPropertyBag> saver = ole_test::CreateControl<IPersistPropertyBag>();
  if (!saver) return;
  PropertyBag bag;
  ok(saver->InitNew() == S_OK, "InitNew failed\n");
  for (BOOL all : {FALSE, TRUE}) {
    const HRESULT hr = saver->Save(&bag, TRUE, all);
    ok(hr == S_OK, "Save(all %d): hr %#lx\n", all, hr);
  }
  ok(bag.writes == 0 && bag.values.empty(), "%d properties written\n", bag.writes);
  ok(saver->Save(nullptr, TRUE, TRUE) == E_POINTER, "Save(NULL) accepted\n");
  ExpectLastRelease(saver, "saving control");

  // What it wrote, and a bag that another version or a page author filled: both load.
  PropertyBag foreign;
  foreign.values[L"Caption"] = L"LÄDT";
  foreign.values[L"_ExtentX"] = L"9999";
  for (PropertyBag* from : {&bag, &foreign}) {
    ComPtr<IPersistPropertyBag> loader = ole_test::CreateControl<IPersistPropertyBag>();
    if (!loader) return;
    const HRESULT hr = loader->Load(from, nullptr);
    ok(hr == S_OK, "Load: hr %#lx\n", hr);
    ok(from->writes == 0, "Load wrote into the bag\n");
    ExpectClean(loader.Get(), "loaded from a property bag");
    ok(loader->Load(nullptr, nullptr) == E_POINTER, "Load(NULL) accepted\n");
    ExpectLastRelease(loader, "loading control");
    ok(from->refs == 1, "bag refs %lu\n", from->refs);
  }
  ok(bag.refs == 1, "bag refs %lu\n", bag.refs);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  test_stream_round_trip();
  test_storage_round_trip();
  test_property_bag_round_trip();
  OleUninitialize();
  return wine_test::Summary("ole_persistence");
}
