// SPDX-License-Identifier: MIT
// Operating system name and version numbers. GetVersionExW lies to programs without a compatibility manifest
// (it reports 6.2 on Windows 8.1 and later); RtlGetVersion in ntdll tells the truth.
#include <string>

#include "probe_util.h"
#include "probes.h"

namespace bsq {
namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);

OSVERSIONINFOW TrueVersion() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (HMODULE ntdll = GetModuleHandleW(L"ntdll.dll")) {
    auto get_version =
        reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    if (get_version != nullptr && get_version(&info) == 0) return info;
  }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) detail::ThrowLastError("cannot read the Windows version");
#pragma GCC diagnostic pop
  return info;
}

std::wstring ComposedName(DWORD major, DWORD minor, DWORD build) {
  std::wstring name = L"Windows ";
  if (major == 10 && minor == 0) return name + (build >= 22000 ? L"11" : L"10");
  if (major == 6 && minor == 3) return name + L"8.1";
  if (major == 6 && minor == 2) return name + L"8";
  if (major == 6 && minor == 1) return name + L"7";
  if (major == 6 && minor == 0) return name + L"Vista";
  if (major == 5 && minor == 2) return name + L"Server 2003";
  if (major == 5 && minor == 1) return name + L"XP";
  return name + std::to_wstring(major) + L"." + std::to_wstring(minor);
}

}  // namespace

OsVersion ReadOsVersion() {
  const OSVERSIONINFOW info = TrueVersion();
  OsVersion os;
  os.major = info.dwMajorVersion;
  os.minor = info.dwMinorVersion;
  os.build = info.dwBuildNumber;
  os.name =
      ReadRegistryValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"ProductName").text;
  while (!os.name.empty() && (os.name.back() == L' ' || os.name.back() == L'\0')) os.name.pop_back();
  if (os.name.empty()) {
    os.name = ComposedName(os.major, os.minor, os.build);
    return os;
  }
  // Windows 11 kept the product name of Windows 10 in the registry; the build number tells them apart.
  const std::wstring::size_type ten = os.name.find(L"Windows 10");
  if (os.major == 10 && os.build >= 22000 && ten != std::wstring::npos) os.name.replace(ten, 10, L"Windows 11");
  return os;
}

}  // namespace bsq
