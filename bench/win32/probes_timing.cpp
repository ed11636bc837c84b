// SPDX-License-Identifier: MIT
// Time of every probe under Wine or Windows: the first call (which loads the DLLs it needs) and the median of
// further calls, per probe and in total, with the value each returned.
// Run: /usr/lib/wine/wine64 build/windows/bin/probes_timing.exe [runs]
#include <windows.h>

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "probes.h"
#include "timing.h"
#include "ui_language.h"

namespace {

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out.push_back(c == L'\0' ? '|' : (c < 128 ? static_cast<char>(c) : '?'));
  return out;
}

struct Probe {
  const char* name;
  std::function<std::string()> run;
};

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  // The probes run inside a COM automation server, in a host thread that has entered an apartment and with
  // oleaut32 loaded (BSTR, VARIANT, type library): its load is no probe's cost.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  LoadLibraryW(L"oleaut32.dll");
  const bsi::UiLanguage language = bsi::win32::UserUiLanguage();
  HWND bar = CreateWindowExW(0, L"msctls_progress32", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
  const std::vector<Probe> probes = {
      {"registry",
       [] {
         return Narrow(bsq::ReadRegistryValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                                              L"CurrentBuildNumber")
                           .text);
       }},
      {"os_version",
       [] {
         auto v = bsq::ReadOsVersion();
         return Narrow(v.name) + " " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
                std::to_string(v.build);
       }},
      {"processor", [] { return Narrow(bsq::ProcessorDescription()); }},
      {"memory",
       [] {
         auto m = bsq::ReadMemory();
         return std::to_string(m.physical_total) + " " + std::to_string(m.page_file_total) + " " +
                std::to_string(m.virtual_total);
       }},
      {"computer", [] { return Narrow(bsq::ComputerName()); }},
      {"user", [] { return Narrow(bsq::UserName()); }},
      {"admin", [] { return std::string(bsq::IsAdministrator() ? "yes" : "no"); }},
      {"network",
       [] {
         auto n = bsq::ReadNetwork();
         return Narrow(n.local_ip + L"/" + n.local_mask + L" " + n.network_ip + L"/" + n.network_mask + L" " + n.mac) +
                (n.dial_up_active ? " ppp" : "");
       }},
      {"browser",
       [] {
         auto b = bsq::ReadDefaultBrowser();
         return Narrow(b.name + L" [" + b.detail + L"]");
       }},
      {"folders", [] { return Narrow(bsq::WindowsFolder() + L" " + bsq::SystemFolder()); }},
      {"display",
       [] {
         auto d = bsq::ReadDisplay();
         return std::to_string(d.width) + "x" + std::to_string(d.height) + "x" + std::to_string(d.bits_per_pixel);
       }},
      {"printer",
       [] {
         auto p = bsq::ReadDefaultPrinter();
         return Narrow(p.name + L" [" + p.detail1 + L" - " + p.detail2 + L"]");
       }},
      {"sound", [] { return std::string(bsq::SoundInstalled() ? "yes" : "no"); }},
      {"uptime", [language] { return Narrow(bsq::RunningTimeText(bsq::RunningMilliseconds(), language)); }},
      {"time_zone", [] { return Narrow(bsq::ReadTimeZone().name); }},
      {"drives",
       [language] {
         std::string all;
         for (auto& d : bsq::DriveTexts(language)) all += Narrow(d) + "; ";
         return all;
       }},
      {"progress_colors",
       [bar] {
         bsq::SetProgressBarColors(bar, RGB(0, 128, 0), RGB(255, 255, 255));
         return std::string("set");
       }},
  };
  double first_total = 0, median_total = 0;
  std::printf("%-16s %10s %10s  value\n", "probe", "first ms", "median ms");
  for (const Probe& probe : probes) {
    std::string value;
    double first = 0;
    std::vector<double> times;
    for (int i = 0; i <= runs; ++i) {
      const double start = bench::NowMs();
      try {
        value = probe.run();
      } catch (const bsq::ProbeError& e) {
        value = std::string("ProbeError ") + e.what();
      }
      const double elapsed = bench::NowMs() - start;
      if (i == 0)
        first = elapsed;
      else
        times.push_back(elapsed);
    }
    const double median = bench::Median(times);
    first_total += first;
    median_total += median;
    std::printf("%-16s %10.3f %10.3f  %s\n", probe.name, first, median, value.c_str());
  }
  std::printf("%-16s %10.3f %10.3f\n", "total", first_total, median_total);
  DestroyWindow(bar);
  CoUninitialize();
  return 0;
}
