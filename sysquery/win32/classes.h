// SPDX-License-Identifier: MIT
// The query library's classes in one list, for its registration table and its class factory: each one's name
// (CLSID_<name>, ProgID BrindtSysQuery.<name>, bsq::Create<name>) and description.
#pragma once

#define BSQ_CLASSES(X)                                          \
  X(RegistryReader, L"Brindt SysQuery registry reader")         \
  X(OSVersionInfo, L"Brindt SysQuery operating system version") \
  X(ProcessorInfo, L"Brindt SysQuery processor")                \
  X(MemoryInfo, L"Brindt SysQuery memory")                      \
  X(ComputerInfo, L"Brindt SysQuery computer name")             \
  X(UserInfo, L"Brindt SysQuery user")                          \
  X(AdminRightsInfo, L"Brindt SysQuery administrator rights")   \
  X(NetworkInfo, L"Brindt SysQuery network")                    \
  X(DialUpInfo, L"Brindt SysQuery dial-up connection")          \
  X(DefaultBrowserInfo, L"Brindt SysQuery default browser")     \
  X(FolderInfo, L"Brindt SysQuery folders")                     \
  X(DisplayInfo, L"Brindt SysQuery display")                    \
  X(DefaultPrinterInfo, L"Brindt SysQuery default printer")     \
  X(SoundInfo, L"Brindt SysQuery sound")                        \
  X(UptimeInfo, L"Brindt SysQuery running time")                \
  X(TimeZoneInfo, L"Brindt SysQuery time zone")                 \
  X(DriveInfo, L"Brindt SysQuery drives")                       \
  X(ProgressBarColors, L"Brindt SysQuery progress bar colours")
