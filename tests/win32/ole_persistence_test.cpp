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

// A property bag that keeps what is written.
class PropertyBag final : public ole_test::Counted<IPropertyBag> {
 public:
  int writes = 0;
  std::map<std::wstring, std::wstring> values;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    return iid == IID_IUnknown || iid == IID_IPropertyBag ? Answer(this, out) : E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
    const auto found = values.find(name);
    if (found == values.end()) return E_INVALIDARG;
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = SysAllocString(found->second.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Write(LPCOLESTR, VARIANT*) override {
    ++writes;
    return S_OK;
  }
};

ULONGLONG StreamSize(IStream* stream) {
  STATSTG stat{};
  stream->Stat(&stat, STATFLAG_NONAME);
  return stat.cbSize.QuadPart;
}

// Never dirty through either interface, and still the square.
template <typename I>
void ExpectClean(const ComPtr<I>& control, const char* when, wine_test::Where where = wine_test::Where::current()) {
  ComPtr<IPersistStreamInit> stream;
  ComPtr<IPersistStorage> storage;
  ComPtr<IOleObject> object;
  control.As(&stream);
  control.As(&storage);
  control.As(&object);
  SIZEL extent{0, 0};
  object->GetExtent(DVASPECT_CONTENT, &extent);
  const HRESULT stream_dirty = stream->IsDirty(), storage_dirty = storage->IsDirty();
  ok_at(where, stream_dirty == S_FALSE && storage_dirty == S_FALSE && extent.cx == 1058 && extent.cy == 1058,
        "%s: expected clean (S_FALSE twice) at 1058 x 1058, got %#lx %#lx at %ld x %ld\n", when, stream_dirty,
        storage_dirty, extent.cx, extent.cy);
}

void test_stream_round_trip() {
  ComPtr<IPersistStreamInit> saver = ole_test::CreateControl<IPersistStreamInit>();
  if (!saver) return;
  ok(saver->InitNew() == S_OK, "InitNew: expected S_OK\n");
  ExpectClean(saver, "new");
  ComPtr<IStream> stream;
  CreateStreamOnHGlobal(nullptr, TRUE, &stream);
  // A form saves what comes before and after the control in the same stream.
  stream->Write("head", 4, nullptr);
  HRESULT hr = saver->Save(stream.Get(), FALSE);
  ok(hr == S_OK && StreamSize(stream.Get()) == 4, "Save: expected S_OK and nothing written, got %#lx, %llu bytes\n", hr,
     StreamSize(stream.Get()) - 4);
  stream->Write("tail", 4, nullptr);
  ULARGE_INTEGER size;
  size.QuadPart = 0xdeadbeef;
  hr = saver->GetSizeMax(&size);
  ok(hr == S_OK && size.QuadPart == 0, "GetSizeMax: expected 0, got %#lx %llu\n", hr, size.QuadPart);
  ok(saver->Save(nullptr, TRUE) == E_POINTER, "Save(NULL): expected E_POINTER\n");
  ExpectClean(saver, "saved");
  ExpectLastRelease(saver, "saving control");

  ComPtr<IPersistStreamInit> loader = ole_test::CreateControl<IPersistStreamInit>();
  if (!loader) return;
  LARGE_INTEGER at{};
  at.QuadPart = 4;
  stream->Seek(at, STREAM_SEEK_SET, nullptr);
  hr = loader->Load(stream.Get());
  // The control read only its own (empty) part: the container's data follows where it left off.
  char tail[5] = {};
  stream->Read(tail, 4, nullptr);
  ok(hr == S_OK && std::string(tail) == "tail", "Load: expected S_OK and the stream at \"tail\", got %#lx \"%s\"\n", hr,
     tail);
  ok(loader->Load(nullptr) == E_POINTER, "Load(NULL): expected E_POINTER\n");
  ExpectClean(loader, "loaded from a stream");
  ExpectLastRelease(loader, "loading control");
  ExpectLastRelease(stream, "stream");
}

void test_storage_round_trip() {
  ComPtr<IStorage> storage;
  HRESULT hr = StgCreateDocfile(nullptr, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE | STGM_DELETEONRELEASE, 0,
                                &storage);
  ComPtr<IPersistStorage> saver = ole_test::CreateControl<IPersistStorage>();
  ComPtr<IOleObject> object;
  ok(hr == S_OK, "StgCreateDocfile: expected S_OK, got %#lx\n", hr);
  if (!storage || !saver || FAILED(saver.As(&object))) return;
  ole_test::AdviseSink sink;
  DWORD connection = 0;
  object->Advise(&sink, &connection);

  // The protocol in order, wrong steps included: a document container saves the class, then the object's data
  // (OleSave), and after HandsOffStorage has to give a storage back.
  IStorage* const own = storage.Get();
  const struct {
    const char* step;
    HRESULT (*call)(IPersistStorage*, IStorage*);
    HRESULT expected;
    const char* calls;
  } steps[] = {
      {"InitNew(NULL)", [](IPersistStorage* p, IStorage*) { return p->InitNew(nullptr); }, E_POINTER, ""},
      {"SaveCompleted first", [](IPersistStorage* p, IStorage*) { return p->SaveCompleted(nullptr); }, E_UNEXPECTED,
       ""},
      {"InitNew", [](IPersistStorage* p, IStorage* s) { return p->InitNew(s); }, S_OK, ""},
      {"InitNew again", [](IPersistStorage* p, IStorage* s) { return p->InitNew(s); }, CO_E_ALREADYINITIALIZED, ""},
      {"Load after InitNew", [](IPersistStorage* p, IStorage* s) { return p->Load(s); }, CO_E_ALREADYINITIALIZED, ""},
      {"Save(NULL)", [](IPersistStorage* p, IStorage*) { return p->Save(nullptr, TRUE); }, E_POINTER, ""},
      {"OleSave", [](IPersistStorage* p, IStorage* s) { return OleSave(p, s, TRUE); }, S_OK, ""},
      {"SaveCompleted", [](IPersistStorage* p, IStorage*) { return p->SaveCompleted(nullptr); }, S_OK, "OnSave "},
      {"SaveCompleted again", [](IPersistStorage* p, IStorage*) { return p->SaveCompleted(nullptr); }, E_UNEXPECTED,
       ""},
      {"HandsOffStorage", [](IPersistStorage* p, IStorage*) { return p->HandsOffStorage(); }, S_OK, ""},
      {"SaveCompleted(NULL) after hands off", [](IPersistStorage* p, IStorage*) { return p->SaveCompleted(nullptr); },
       E_INVALIDARG, ""},
      {"SaveCompleted(storage)", [](IPersistStorage* p, IStorage* s) { return p->SaveCompleted(s); }, S_OK, "OnSave "},
  };
  for (const auto& step : steps) {
    hr = step.call(saver.Get(), own);
    ok(hr == step.expected, "%s: expected %#lx, got %#lx\n", step.step, step.expected, hr);
    ole_test::ExpectCalls(step.step, step.calls);
  }
  ExpectClean(saver, "saved to a storage");
  object->Unadvise(connection);
  ok(sink.refs == 1, "expected the advise sink let go, got refs %lu\n", sink.refs);
  object.Reset();
  ExpectLastRelease(saver, "saving control");

  CLSID clsid = CLSID_NULL;
  hr = ReadClassStg(storage.Get(), &clsid);
  ok(hr == S_OK && clsid == CLSID_ctlBrindtSysInfo, "ReadClassStg: expected the control's class, got %#lx\n", hr);
  // The control wrote no streams of its own; OLE's own names start with a control character.
  ComPtr<IEnumSTATSTG> elements;
  storage->EnumElements(0, nullptr, 0, &elements);
  std::string names;
  for (STATSTG element{}; elements && elements->Next(1, &element, nullptr) == S_OK; CoTaskMemFree(element.pwcsName)) {
    if (element.pwcsName && element.pwcsName[0] >= L' ') names += wine_test::Narrow(element.pwcsName) + " ";
  }
  ok(names.empty(), "expected no streams of the control's own, got %s\n", names.c_str());
  ExpectLastRelease(elements, "element enumerator");

  // As a container loads it: the class from the storage, then Load.
  ComPtr<IOleObject> loaded;
  hr = OleLoad(storage.Get(), IID_IOleObject, nullptr, reinterpret_cast<void**>(loaded.GetAddressOf()));
  ComPtr<IPersistStorage> again;
  CLSID loaded_class = CLSID_NULL;
  if (loaded) loaded->GetUserClassID(&loaded_class);
  ok(hr == S_OK && loaded_class == CLSID_ctlBrindtSysInfo && SUCCEEDED(loaded.As(&again)),
     "OleLoad: expected the control, got %#lx\n", hr);
  if (!again) return;
  ok(again->Load(storage.Get()) == CO_E_ALREADYINITIALIZED, "Load after OleLoad: expected CO_E_ALREADYINITIALIZED\n");
  again.Reset();
  ExpectClean(loaded, "loaded from a storage");
  ExpectLastRelease(loaded, "loaded control");
  ExpectLastRelease(storage, "storage");
}

void test_property_bag_round_trip() {
  ComPtr<IPersistPropertyBag> saver = ole_test::CreateControl<IPersistPropertyBag>();
  if (!saver) return;
  PropertyBag bag;
  HRESULT hr = saver->InitNew();
  const HRESULT some = saver->Save(&bag, TRUE, FALSE), all = saver->Save(&bag, TRUE, TRUE);
  ok(hr == S_OK && some == S_OK && all == S_OK && bag.writes == 0,
     "InitNew and Save: expected S_OK and nothing written, got %#lx %#lx %#lx and %d writes\n", hr, some, all,
     bag.writes);
  ok(saver->Save(nullptr, TRUE, TRUE) == E_POINTER, "Save(NULL): expected E_POINTER\n");
  ExpectLastRelease(saver, "saving control");

  // What it wrote, and a bag that another version or a page author filled: both load.
  PropertyBag foreign;
  foreign.values[L"Caption"] = L"L\u00c4DT";
  foreign.values[L"_ExtentX"] = L"9999";
  for (PropertyBag* from : {&bag, &foreign}) {
    ComPtr<IPersistPropertyBag> loader = ole_test::CreateControl<IPersistPropertyBag>();
    if (!loader) return;
    hr = loader->Load(from, nullptr);
    ok(hr == S_OK && from->writes == 0, "Load: expected S_OK and nothing written, got %#lx and %d writes\n", hr,
       from->writes);
    ok(loader->Load(nullptr, nullptr) == E_POINTER, "Load(NULL): expected E_POINTER\n");
    ExpectClean(loader, "loaded from a property bag");
    ExpectLastRelease(loader, "loading control");
    ok(from->refs == 1, "expected the bag let go, got refs %lu\n", from->refs);
  }
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
