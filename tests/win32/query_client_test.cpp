// SPDX-License-Identifier: MIT
// The core's query library over BrindtSysQuery.dll: every class created and its results converted, one object per
// class and session, everything released at the session's end, and failing calls as run-time errors.
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>

#include <array>
#include <string>

#include "com_object.h"
#include "com_test.h"
#include "probes.h"
#include "query/query_session.h"
#include "query_client.h"
#include "runtime/error.h"
#include "ui_language.h"
#include "wine_test.h"

using wine_test::Narrow;

namespace {

std::wstring Wide(const bsi::Text& text) {
  return std::wstring(text.begin(), text.end());
}
std::string Utf8(const bsi::Text& text) {
  return bsi::ToUtf8(text);
}

template <class Body>
bsi::RuntimeError ErrorOf(Body&& body) {
  try {
    body();
  } catch (const bsi::RuntimeError& error) {
    return error;
  } catch (...) {
    return bsi::RuntimeError(-1, u"not a RuntimeError");
  }
  return bsi::RuntimeError(0, u"no error");
}

/// Counts creations per class and passes them on.
class CountingLibrary final : public bsi::QueryLibrary {
 public:
  explicit CountingLibrary(bsi::QueryLibrary& inner) : inner_(inner) {}
  std::unique_ptr<bsi::QueryObject> Create(bsi::QueryClass cls) override {
    ++created[static_cast<std::size_t>(cls)];
    return inner_.Create(cls);
  }
  std::array<int, bsi::kQueryClassCount> created{};

 private:
  bsi::QueryLibrary& inner_;
};

using CanUnloadNow = HRESULT(WINAPI*)();
CanUnloadNow ServerCanUnloadNow() {
  // The module CoCreateInstance loads is this one: the same path, the same module state.
  HMODULE module = GetModuleHandleW(L"BrindtSysQuery.dll");
  if (module == nullptr) return nullptr;
  return reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
}

void test_every_class_created_once_per_session() {
  auto com_library = bsi::win32::CreateComQueryLibrary();
  CountingLibrary library(*com_library);
  {
    bsi::QuerySession session(library);
    for (int round = 0; round < 2; ++round) {
      session.Get<bsi::RegistryReader>();
      session.Get<bsi::OSVersionInfo>();
      session.Get<bsi::ProcessorInfo>();
      session.Get<bsi::MemoryInfo>();
      session.Get<bsi::ComputerInfo>();
      session.Get<bsi::UserInfo>();
      session.Get<bsi::AdminRightsInfo>();
      session.Get<bsi::NetworkInfo>();
      session.Get<bsi::DialUpInfo>();
      session.Get<bsi::DefaultBrowserInfo>();
      session.Get<bsi::FolderInfo>();
      session.Get<bsi::DisplayInfo>();
      session.Get<bsi::DefaultPrinterInfo>();
      session.Get<bsi::SoundInfo>();
      session.Get<bsi::UptimeInfo>();
      session.Get<bsi::TimeZoneInfo>();
      session.Get<bsi::DriveInfo>();
      session.Get<bsi::ProgressBarColors>();
    }
    for (int i = 0; i < bsi::kQueryClassCount; ++i) {
      ok(library.created[i] == 1, "%s created %d times\n",
         std::string(bsi::QueryClassName(static_cast<bsi::QueryClass>(i))).c_str(), library.created[i]);
    }
    const CanUnloadNow can_unload = ServerCanUnloadNow();
    ok(can_unload != nullptr && can_unload() == S_FALSE, "server unloadable while the session holds objects\n");
  }
  const CanUnloadNow can_unload = ServerCanUnloadNow();
  ok(can_unload != nullptr && can_unload() == S_OK, "objects left alive after the session\n");
}

void test_values_converted() {
  auto library = bsi::win32::CreateComQueryLibrary();
  bsi::QuerySession session(*library);

  const bsi::Text total = session.Get<bsi::MemoryInfo>().PhysicalTotal();
  ok(Wide(total) == std::to_wstring(bsq::ReadMemory().physical_total), "PhysicalTotal %s\n", Utf8(total).c_str());

  const bsq::DisplayFacts display = bsq::ReadDisplay();
  auto& screen = session.Get<bsi::DisplayInfo>();
  const bsi::Currency depth = screen.BitsPerPixel();
  ok(depth == bsi::Currency::FromWhole(display.bits_per_pixel), "BitsPerPixel scaled %lld\n",
     static_cast<long long>(depth.scaled));
  ok(screen.Width() == display.width && screen.Height() == display.height, "screen %dx%d\n", screen.Width(),
     screen.Height());

  const bsi::Variant name = session.Get<bsi::ComputerInfo>().ComputerName();
  ok(name.kind() == bsi::VariantKind::String && Wide(name.AsString()) == bsq::ComputerName(), "ComputerName kind %d\n",
     static_cast<int>(name.kind()));
  const bsi::Variant sound = session.Get<bsi::SoundInfo>().Installed();
  ok(sound.kind() == bsi::VariantKind::Boolean && sound.AsBoolean() == bsq::SoundInstalled(), "Installed kind %d\n",
     static_cast<int>(sound.kind()));

  // Texts in the UI language of this run.
  const bsi::Text zone = session.Get<bsi::TimeZoneInfo>().Name();
  ok(Wide(zone) == bsq::ReadTimeZone().name, "time zone %s\n", Utf8(zone).c_str());

  const bsq::OsVersion os = bsq::ReadOsVersion();
  auto& version = session.Get<bsi::OSVersionInfo>();
  ok(version.MajorVersion() == static_cast<std::int32_t>(os.major) &&
         version.BuildNumber() == static_cast<std::int32_t>(os.build),
     "version %d build %d\n", version.MajorVersion(), version.BuildNumber());

  const auto drives = session.Get<bsi::DriveInfo>().Drives();
  auto* collection = dynamic_cast<bsi::Collection*>(drives.get());
  ok(collection != nullptr, "Drives is no Collection\n");
  if (collection != nullptr) {
    const std::vector<std::wstring> texts = bsq::DriveTexts(bsi::win32::UserUiLanguage());
    ok(collection->Count() == static_cast<std::int32_t>(texts.size()), "Count %d\n", collection->Count());
    for (std::int32_t i = 1; i <= collection->Count() && i <= static_cast<std::int32_t>(texts.size()); ++i) {
      const bsi::Variant item = collection->Item(i);
      ok(item.kind() == bsi::VariantKind::String && Wide(item.AsString()) == texts[i - 1], "Item(%d)\n", i);
    }
    const bsi::RuntimeError error = ErrorOf([&] { collection->Item(0); });
    ok(error.number() == 9 && error.description() == u"Subscript out of range", "Item(0): %d %s\n", error.number(),
       Utf8(error.description()).c_str());
  }
}

const std::wstring kTestKey = wine_test::OwnKeyName(L"Software\\BrindtSysQuery client test");

void test_registry_reader() {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
  const wchar_t text[] = L"LÄDT ÖL";
  RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
  RegCloseKey(key);

  auto library = bsi::win32::CreateComQueryLibrary();
  bsi::QuerySession session(*library);
  auto& reader = session.Get<bsi::RegistryReader>();
  reader.SetRoot(static_cast<std::int32_t>(0x80000001u));
  reader.SetKeyPath(std::u16string(kTestKey.begin(), kTestKey.end()));
  reader.SetValueName(u"Text");
  reader.SetValueType(bsi::RegistryReader::kRegSz);
  const bsi::Variant value = reader.Value();
  ok(value.kind() == bsi::VariantKind::String && value.AsString() == u"LÄDT ÖL", "Value kind %d\n",
     static_cast<int>(value.kind()));
  ok(reader.Exists(), "Exists false\n");

  // Error 380 comes back as 380 with the server's description.
  const bsi::RuntimeError error = ErrorOf([&] { reader.SetRoot(12345); });
  ok(error.number() == 380 && error.description() == u"Invalid property value", "SetRoot(12345): %d %s\n",
     error.number(), Utf8(error.description()).c_str());
  ok(reader.Exists(), "a refused setting changed the reader\n");
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey.c_str());
}

void test_set_colors() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr, nullptr, nullptr);
  auto library = bsi::win32::CreateComQueryLibrary();
  bsi::QuerySession session(*library);
  auto& colors = session.Get<bsi::ProgressBarColors>();
  colors.SetColors(reinterpret_cast<bsi::WindowHandle>(bar), 0x00FF00, 0x0000FF);
  ok(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0) == 0x00FF00, "bar colour %#Ix\n",
     SendMessageW(bar, PBM_GETBARCOLOR, 0, 0));
  DestroyWindow(bar);
  const bsi::RuntimeError error = ErrorOf([&] { colors.SetColors(reinterpret_cast<bsi::WindowHandle>(bar), 0, 0); });
  ok(error.number() == 5 && error.description() == u"Invalid procedure call or argument", "destroyed bar: %d %s\n",
     error.number(), Utf8(error.description()).c_str());
}

/// An object that declares error information for IUnknown only, or for nothing.
class Failing final : public bsi::win32::com::ComObject<Failing, ISupportErrorInfo> {
 public:
  explicit Failing(bool declares) : declares_(declares) {}
  STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override {
    return declares_ && riid == IID_IUnknown ? S_OK : S_FALSE;
  }

 private:
  bool declares_;
};

void SetThreadError(const wchar_t* description) {
  ICreateErrorInfo* create = nullptr;
  CreateErrorInfo(&create);
  BSTR text = SysAllocString(description);
  create->SetDescription(text);
  SysFreeString(text);
  IErrorInfo* info = nullptr;
  create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info));
  SetErrorInfo(0, info);
  info->Release();
  create->Release();
}

void test_hresult_mapping() {
  IUnknown* declares = nullptr;
  Failing::Create(IID_IUnknown, reinterpret_cast<void**>(&declares), true);
  IUnknown* silent = nullptr;
  Failing::Create(IID_IUnknown, reinterpret_cast<void**>(&silent), false);

  // Another HRESULT keeps its value, negative, with the object's description.
  SetThreadError(L"Gerät nicht bereit");
  bsi::RuntimeError error = ErrorOf([&] { bsi::win32::RaiseHresult(E_ACCESSDENIED, declares, IID_IUnknown); });
  ok(error.number() == static_cast<std::int32_t>(E_ACCESSDENIED) && error.description() == u"Gerät nicht bereit",
     "declared: %d %s\n", error.number(), Utf8(error.description()).c_str());

  // Error information the object does not declare is stale: the system's message stands instead.
  SetThreadError(L"stale");
  error = ErrorOf([&] { bsi::win32::RaiseHresult(E_ACCESSDENIED, silent, IID_IUnknown); });
  ok(error.number() == -2147024891 && !error.description().empty() && error.description() != u"stale" &&
         error.description().back() != u'\n',
     "undeclared: %d %s\n", error.number(), Utf8(error.description()).c_str());
  IErrorInfo* left = nullptr;
  ok(GetErrorInfo(0, &left) == S_FALSE, "the stale error information was left behind\n");
  if (left != nullptr) left->Release();

  // A run-time error without description gets its standard text; one without a system message a generic text.
  error = ErrorOf([&] { bsi::win32::RaiseHresult(static_cast<HRESULT>(0x800A0009), nullptr, IID_IUnknown); });
  ok(error.number() == 9 && error.description() == u"Subscript out of range", "0x800A0009: %d %s\n", error.number(),
     Utf8(error.description()).c_str());
  error = ErrorOf([&] { bsi::win32::RaiseHresult(static_cast<HRESULT>(0x8004F123), nullptr, IID_IUnknown); });
  ok(error.number() == static_cast<std::int32_t>(0x8004F123) && error.description() == u"Automation error",
     "0x8004F123: %d %s\n", error.number(), Utf8(error.description()).c_str());

  ok(declares->Release() == 0 && silent->Release() == 0, "last Release did not return 0\n");
}

}  // namespace

int main() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ok(hr == S_OK, "CoInitializeEx hr %#lx\n", hr);
  test_every_class_created_once_per_session();
  test_values_converted();
  test_registry_reader();
  test_set_colors();
  test_hresult_mapping();
  CoUninitialize();
  return wine_test::Summary("query_client");
}
