// SPDX-License-Identifier: MIT
// Time of BrindtSysQuery through COM: per class, CoCreateInstance, every operation once and the Release; the first
// round (which loads the DLLs the probes need) apart, then the median of further rounds, per class and in total.
// Targets: all classes together under 50 ms, no class over 20 ms.
// Run (library registered, e.g. inside tools/lib/wine-bed):
//   /usr/lib/wine/wine64 build/windows/bin/query_com_timing.exe [rounds]
#include <windows.h>
// After windows.h:
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "BrindtSysQuery.h"
#include "timing.h"

namespace {

template <class I>
I* Make(REFCLSID clsid) {
  I* object = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(I), reinterpret_cast<void**>(&object)))) {
    std::fprintf(stderr, "CoCreateInstance failed: is BrindtSysQuery.dll registered?\n");
    std::exit(2);
  }
  return object;
}

// Each result is freed at once, as a caller would.
void Free(BSTR text) {
  SysFreeString(text);
}
void Free(VARIANT& value) {
  VariantClear(&value);
}

#define TEXT_CALL(object, method) \
  do {                            \
    BSTR text = nullptr;          \
    (object)->method(&text);      \
    Free(text);                   \
  } while (0)
#define PLAIN_CALL(object, method, type) \
  do {                                   \
    type value{};                        \
    (object)->method(&value);            \
  } while (0)
#define VARIANT_CALL(object, method) \
  do {                               \
    VARIANT value;                   \
    VariantInit(&value);             \
    (object)->method(&value);        \
    Free(value);                     \
  } while (0)

HWND g_bar = nullptr;

struct ClassRun {
  const char* name;
  void (*run)();
};

const ClassRun kClasses[] = {
    {"RegistryReader",
     [] {
       auto* o = Make<IRegistryReader>(CLSID_RegistryReader);
       BSTR path = SysAllocString(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion");
       BSTR name = SysAllocString(L"CurrentVersion");
       o->put_Root(static_cast<long>(0x80000002UL));
       o->put_ValueType(REG_SZ);
       o->put_KeyPath(path);
       o->put_ValueName(name);
       PLAIN_CALL(o, get_Exists, VARIANT_BOOL);
       VARIANT_CALL(o, get_Value);
       PLAIN_CALL(o, get_ValueType, long);
       PLAIN_CALL(o, get_Root, long);
       TEXT_CALL(o, get_KeyPath);
       TEXT_CALL(o, get_ValueName);
       SysFreeString(path);
       SysFreeString(name);
       o->Release();
     }},
    {"OSVersionInfo",
     [] {
       auto* o = Make<IOSVersionInfo>(CLSID_OSVersionInfo);
       TEXT_CALL(o, get_Name);
       PLAIN_CALL(o, get_MajorVersion, long);
       PLAIN_CALL(o, get_MinorVersion, long);
       PLAIN_CALL(o, get_BuildNumber, long);
       o->Release();
     }},
    {"ProcessorInfo",
     [] {
       auto* o = Make<IProcessorInfo>(CLSID_ProcessorInfo);
       TEXT_CALL(o, get_Description);
       o->Release();
     }},
    {"MemoryInfo",
     [] {
       auto* o = Make<IMemoryInfo>(CLSID_MemoryInfo);
       TEXT_CALL(o, get_PhysicalTotal);
       TEXT_CALL(o, get_PhysicalFree);
       TEXT_CALL(o, get_PageFileTotal);
       TEXT_CALL(o, get_PageFileFree);
       TEXT_CALL(o, get_VirtualTotal);
       TEXT_CALL(o, get_VirtualFree);
       o->Release();
     }},
    {"ComputerInfo",
     [] {
       auto* o = Make<IComputerInfo>(CLSID_ComputerInfo);
       VARIANT_CALL(o, get_ComputerName);
       o->Release();
     }},
    {"UserInfo",
     [] {
       auto* o = Make<IUserInfo>(CLSID_UserInfo);
       TEXT_CALL(o, get_UserName);
       o->Release();
     }},
    {"AdminRightsInfo",
     [] {
       auto* o = Make<IAdminRightsInfo>(CLSID_AdminRightsInfo);
       PLAIN_CALL(o, get_IsAdmin, VARIANT_BOOL);
       o->Release();
     }},
    {"NetworkInfo",
     [] {
       auto* o = Make<INetworkInfo>(CLSID_NetworkInfo);
       TEXT_CALL(o, get_LocalIP);
       TEXT_CALL(o, get_NetworkIP);
       TEXT_CALL(o, get_LocalSubnetMask);
       TEXT_CALL(o, get_NetworkSubnetMask);
       TEXT_CALL(o, get_MACAddress);
       o->Release();
     }},
    {"DialUpInfo",
     [] {
       auto* o = Make<IDialUpInfo>(CLSID_DialUpInfo);
       PLAIN_CALL(o, get_Active, VARIANT_BOOL);
       o->Release();
     }},
    {"DefaultBrowserInfo",
     [] {
       auto* o = Make<IDefaultBrowserInfo>(CLSID_DefaultBrowserInfo);
       TEXT_CALL(o, get_Detail);
       TEXT_CALL(o, get_Executable);
       TEXT_CALL(o, get_Name);
       o->Release();
     }},
    {"FolderInfo",
     [] {
       auto* o = Make<IFolderInfo>(CLSID_FolderInfo);
       TEXT_CALL(o, get_WindowsFolder);
       TEXT_CALL(o, get_SystemFolder);
       o->Release();
     }},
    {"DisplayInfo",
     [] {
       auto* o = Make<IDisplayInfo>(CLSID_DisplayInfo);
       PLAIN_CALL(o, get_BitsPerPixel, CY);
       PLAIN_CALL(o, get_Width, long);
       PLAIN_CALL(o, get_Height, long);
       o->Release();
     }},
    {"DefaultPrinterInfo",
     [] {
       auto* o = Make<IDefaultPrinterInfo>(CLSID_DefaultPrinterInfo);
       TEXT_CALL(o, get_Name);
       TEXT_CALL(o, get_Detail1);
       TEXT_CALL(o, get_Detail2);
       o->Release();
     }},
    {"SoundInfo",
     [] {
       auto* o = Make<ISoundInfo>(CLSID_SoundInfo);
       VARIANT_CALL(o, get_Installed);
       o->Release();
     }},
    {"UptimeInfo",
     [] {
       auto* o = Make<IUptimeInfo>(CLSID_UptimeInfo);
       TEXT_CALL(o, get_RunningTime);
       o->Release();
     }},
    {"TimeZoneInfo",
     [] {
       auto* o = Make<ITimeZoneInfo>(CLSID_TimeZoneInfo);
       PLAIN_CALL(o, get_Bias, long);
       TEXT_CALL(o, get_StandardName);
       PLAIN_CALL(o, get_StandardBias, long);
       TEXT_CALL(o, get_DaylightName);
       PLAIN_CALL(o, get_DaylightBias, long);
       PLAIN_CALL(o, get_DaylightActive, VARIANT_BOOL);
       TEXT_CALL(o, get_Name);
       o->Release();
     }},
    {"DriveInfo",
     [] {
       auto* o = Make<IDriveInfo>(CLSID_DriveInfo);
       IDispatch* drives = nullptr;
       o->get_Drives(&drives);
       IDriveCollection* collection = nullptr;
       if (drives != nullptr) drives->QueryInterface(IID_IDriveCollection, reinterpret_cast<void**>(&collection));
       if (collection != nullptr) {
         PLAIN_CALL(collection, get_Count, long);
         collection->Release();
       }
       if (drives != nullptr) drives->Release();
       o->Release();
     }},
    {"ProgressBarColors",
     [] {
       auto* o = Make<IProgressBarColors>(CLSID_ProgressBarColors);
       VARIANT bar;
       VariantInit(&bar);
       V_VT(&bar) = VT_I4;
       V_I4(&bar) = static_cast<LONG>(reinterpret_cast<LONG_PTR>(g_bar));
       o->SetColors(bar, RGB(0, 128, 0), RGB(255, 255, 255));
       o->Release();
     }},
};
constexpr std::size_t kClassCount = sizeof(kClasses) / sizeof(kClasses[0]);

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  g_bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_POPUP, 0, 0, 200, 20, nullptr, nullptr, nullptr, nullptr);

  std::vector<double> first(kClassCount);
  std::vector<std::vector<double>> times(kClassCount);
  std::vector<double> totals;
  for (int round = 0; round <= rounds; ++round) {
    double total = 0;
    for (std::size_t i = 0; i < kClassCount; ++i) {
      const double start = bench::NowMs();
      kClasses[i].run();
      const double elapsed = bench::NowMs() - start;
      total += elapsed;
      if (round == 0) {
        first[i] = elapsed;
      } else {
        times[i].push_back(elapsed);
      }
    }
    if (round > 0) totals.push_back(total);
  }

  std::printf("%-20s %10s %10s\n", "class", "first ms", "median ms");
  double first_total = 0;
  bool within = true;
  for (std::size_t i = 0; i < kClassCount; ++i) {
    const double median = bench::Median(times[i]);
    first_total += first[i];
    const bool slow = median > 20.0;
    within = within && !slow;
    std::printf("%-20s %10.3f %10.3f%s\n", kClasses[i].name, first[i], median, slow ? "  over 20 ms" : "");
  }
  const double total = bench::Median(totals);
  within = within && total < 50.0;
  std::printf("%-20s %10.3f %10.3f%s\n", "all classes", first_total, total, total < 50.0 ? "" : "  over 50 ms");
  std::printf("median of %d rounds after the first; targets %s\n", rounds, within ? "met" : "MISSED");
  DestroyWindow(g_bar);
  CoUninitialize();
  return 0;
}
