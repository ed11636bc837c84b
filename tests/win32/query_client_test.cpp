// SPDX-License-Identifier: MIT
// The core's query library over BrindtSysQuery.dll: every class created and its results converted, one object per
// class and session, everything released at the session's end, and failing calls as run-time errors (their
// HRESULT mapping in com_errors_test).
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>

#include <array>
#include <string>

#include "com_test.h"
#include "probes.h"
#include "query/query_session.h"
#include "query_client.h"
#include "runtime/error.h"
#include "ui_language.h"
#include "wine_test.h"

using com_test::ExpectRaises;

namespace {

std::wstring Wide(const bsi::Text& text) {
  return std::wstring(text.begin(), text.end());
}
std::string Utf8(const bsi::Text& text) {
  return bsi::ToUtf8(text);
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

void ExpectUnloadable(HRESULT expected, const char* when, wine_test::Where where = wine_test::Where::current()) {
  // The module CoCreateInstance loads is this one: the same path, the same module state.
  HMODULE module = GetModuleHandleW(L"BrindtSysQuery.dll");
  using CanUnloadNow = HRESULT(WINAPI*)();
  const auto can_unload = reinterpret_cast<CanUnloadNow>(
      reinterpret_cast<void*>(module ? GetProcAddress(module, "DllCanUnloadNow") : nullptr));
  const HRESULT hr = can_unload ? can_unload() : E_FAIL;
  ok_at(where, hr == expected, "%s: expected DllCanUnloadNow %#lx, got %#lx\n", when,
        static_cast<unsigned long>(expected), static_cast<unsigned long>(hr));
}

template <class... Classes>
void GetAll(bsi::QuerySession& session) {
  (session.Get<Classes>(), ...);
}

void test_every_class_created_once_per_session() {
  auto com_library = bsi::win32::CreateComQueryLibrary();
  CountingLibrary library(*com_library);
  {
    bsi::QuerySession session(library);
    for (int round = 0; round < 2; ++round) {
      GetAll<bsi::RegistryReader, bsi::OSVersionInfo, bsi::ProcessorInfo, bsi::MemoryInfo, bsi::ComputerInfo,
             bsi::UserInfo, bsi::AdminRightsInfo, bsi::NetworkInfo, bsi::DialUpInfo, bsi::DefaultBrowserInfo,
             bsi::FolderInfo, bsi::DisplayInfo, bsi::DefaultPrinterInfo, bsi::SoundInfo, bsi::UptimeInfo,
             bsi::TimeZoneInfo, bsi::DriveInfo, bsi::ProgressBarColors>(session);
    }
    for (int i = 0; i < bsi::kQueryClassCount; ++i) {
      ok(library.created[i] == 1, "%s: expected one object, got %d\n",
         std::string(bsi::QueryClassName(static_cast<bsi::QueryClass>(i))).c_str(), library.created[i]);
    }
    ExpectUnloadable(S_FALSE, "while the session holds objects");
  }
  ExpectUnloadable(S_OK, "after the session");
}

void test_values_converted() {
  auto library = bsi::win32::CreateComQueryLibrary();
  bsi::QuerySession session(*library);
  const bsi::Text total = session.Get<bsi::MemoryInfo>().PhysicalTotal();
  const std::wstring expected_total = std::to_wstring(bsq::ReadMemory().physical_total);
  ok(Wide(total) == expected_total, "PhysicalTotal: expected %s, got %s\n", wine_test::Narrow(expected_total).c_str(),
     Utf8(total).c_str());

  const bsq::DisplayFacts display = bsq::ReadDisplay();
  auto& screen = session.Get<bsi::DisplayInfo>();
  const bsi::Currency depth = screen.BitsPerPixel();
  ok(depth == bsi::Currency::FromWhole(display.bits_per_pixel) && screen.Width() == display.width &&
         screen.Height() == display.height,
     "expected the screen %dx%dx%d, got %dx%d and %lld/10000 bits\n", display.width, display.height,
     display.bits_per_pixel, screen.Width(), screen.Height(), static_cast<long long>(depth.scaled));

  const bsi::Variant name = session.Get<bsi::ComputerInfo>().ComputerName();
  ok(name.kind() == bsi::VariantKind::String && Wide(name.AsString()) == bsq::ComputerName(),
     "ComputerName: expected the String %s, got kind %d\n", wine_test::Narrow(bsq::ComputerName()).c_str(),
     static_cast<int>(name.kind()));
  const bsi::Variant sound = session.Get<bsi::SoundInfo>().Installed();
  ok(sound.kind() == bsi::VariantKind::Boolean && sound.AsBoolean() == bsq::SoundInstalled(),
     "Installed: expected the Boolean %d, got kind %d\n", bsq::SoundInstalled(), static_cast<int>(sound.kind()));
  // Texts in the UI language of this run.
  const bsi::Text zone = session.Get<bsi::TimeZoneInfo>().Name();
  ok(Wide(zone) == bsq::ReadTimeZone().name, "time zone: expected %s, got %s\n",
     wine_test::Narrow(bsq::ReadTimeZone().name).c_str(), Utf8(zone).c_str());
  const bsq::OsVersion os = bsq::ReadOsVersion();
  auto& version = session.Get<bsi::OSVersionInfo>();
  ok(version.MajorVersion() == static_cast<std::int32_t>(os.major) &&
         version.BuildNumber() == static_cast<std::int32_t>(os.build),
     "expected version %lu build %lu, got %d build %d\n", os.major, os.build, version.MajorVersion(),
     version.BuildNumber());

  const auto drives = session.Get<bsi::DriveInfo>().Drives();
  auto* collection = dynamic_cast<bsi::Collection*>(drives.get());
  const std::vector<std::wstring> texts = bsq::DriveTexts(bsi::win32::UserUiLanguage());
  ok(collection != nullptr && collection->Count() == static_cast<std::int32_t>(texts.size()),
     "Drives: expected a Collection of %u, got %d\n", static_cast<unsigned>(texts.size()),
     collection ? collection->Count() : -1);
  if (collection == nullptr) return;
  for (std::int32_t i = 1; i <= collection->Count() && i <= static_cast<std::int32_t>(texts.size()); ++i) {
    const bsi::Variant item = collection->Item(i);
    ok(item.kind() == bsi::VariantKind::String && Wide(item.AsString()) == texts[i - 1],
       "Item(%d): expected the String %s, got kind %d\n", i, wine_test::Narrow(texts[i - 1]).c_str(),
       static_cast<int>(item.kind()));
  }
  ExpectRaises([&] { collection->Item(0); }, 9, u"Subscript out of range", "Item(0)");
}

const std::wstring kTestKey = wine_test::OwnKeyName(L"Software\\BrindtSysQuery client test");

void test_registry_reader_and_colors() {
  const wchar_t text[] = L"LÄDT ÖL";
  RegSetKeyValueW(HKEY_CURRENT_USER, kTestKey.c_str(), L"Text", REG_SZ, text, sizeof(text));
  auto library = bsi::win32::CreateComQueryLibrary();
  bsi::QuerySession session(*library);
  auto& reader = session.Get<bsi::RegistryReader>();
  reader.SetRoot(static_cast<std::int32_t>(0x80000001u));
  reader.SetKeyPath(std::u16string(kTestKey.begin(), kTestKey.end()));
  reader.SetValueName(u"Text");
  reader.SetValueType(bsi::RegistryReader::kRegSz);
  const bsi::Variant value = reader.Value();
  ok(value.kind() == bsi::VariantKind::String && value.AsString() == u"LÄDT ÖL" && reader.Exists(),
     "expected the String \"LÄDT ÖL\" that exists, got kind %d\n", static_cast<int>(value.kind()));
  // Error 380 comes back as 380 with the server's description, and changes nothing.
  ExpectRaises([&] { reader.SetRoot(12345); }, 380, u"Invalid property value", "SetRoot(12345)");
  ok(reader.Exists(), "expected a refused setting to leave the reader as it was\n");
  RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, kTestKey.c_str());

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  HWND bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr, nullptr, nullptr);
  auto& colors = session.Get<bsi::ProgressBarColors>();
  colors.SetColors(reinterpret_cast<bsi::WindowHandle>(bar), 0x00FF00, 0x0000FF);
  const LRESULT colour = SendMessageW(bar, PBM_GETBARCOLOR, 0, 0);
  ok(colour == 0x00FF00, "expected the bar colour 0x00ff00, got %#Ix\n", colour);
  DestroyWindow(bar);
  ExpectRaises([&] { colors.SetColors(reinterpret_cast<bsi::WindowHandle>(bar), 0, 0); }, 5,
               u"Invalid procedure call or argument", "a destroyed bar");
}

}  // namespace

int main() {
  const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ok(hr == S_OK, "CoInitializeEx: expected S_OK, got %#lx\n", static_cast<unsigned long>(hr));
  test_every_class_created_once_per_session();
  test_values_converted();
  test_registry_reader_and_colors();
  CoUninitialize();
  return wine_test::Summary("query_client");
}
