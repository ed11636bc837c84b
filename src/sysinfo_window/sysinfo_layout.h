// SPDX-License-Identifier: MIT
// The information window as it is designed: what a platform builds before frmSysInfo's Form_Load runs.
// Positions of the controls inside fraMemory are relative to the frame.
#pragma once

#include "runtime/layout.h"

namespace bsi::sysinfo_layout {

/// Fixed single border with a close box only, centred on the screen, key preview on, white background.
inline constexpr char16_t kCaption[] = u"Brindt SysInfo";
inline constexpr std::int32_t kClientWidth = 8670;
inline constexpr std::int32_t kClientHeight = 6750;
inline constexpr std::uint32_t kBackColour = 0x00FFFFFFu;

// In tab order.
inline constexpr Rect kLvwSysInfo{120, 120, 8415, 4695};  // report view
inline constexpr Rect kCmdSystem{5520, 6240, 1455, 375};
inline constexpr char16_t kCmdSystemCaption[] = u"System";
inline constexpr Rect kCmdOK{7080, 6240, 1455, 375};
inline constexpr char16_t kCmdOKCaption[] = u"OK";
inline constexpr Rect kFraMemory{120, 4800, 8415, 1335};  // no caption
inline constexpr std::uint32_t kFraMemoryBackColour = 0x80000009u;
inline constexpr Rect kLblPhysicalMemory{120, 240, 1920, 195};
inline constexpr Rect kLblVirtualMemory{120, 600, 1755, 195};
inline constexpr Rect kCtlProgressPhysical{4680, 240, 3135, 255};
inline constexpr Rect kCtlProgressVirtual{4680, 600, 3135, 255};
inline constexpr Rect kCtlProgressPagefile{4680, 960, 3135, 255};
inline constexpr Rect kLblPageFileMemory{120, 960, 1785, 195};
inline constexpr Rect kLblPhysicalPercent{7920, 240, 375, 255};
inline constexpr Rect kLblVirtualPercent{7920, 600, 375, 255};
inline constexpr Rect kLblPagePercent{7920, 960, 375, 255};
inline constexpr Rect kLabel1{120, 6360, 3465, 195};
inline constexpr Rect kTxtTemp{3480, 6240, 1215, 285};  // never visible

// Design captions: what a control shows until start-up or the timer replaces it, and keeps when they fail.
inline constexpr char16_t kPhysicalMemoryCaption[] = u"Physischer Speicher belegt";
inline constexpr char16_t kVirtualMemoryCaption[] = u"Virtueller Speicher belegt";
inline constexpr char16_t kPageFileMemoryCaption[] = u"Auslagerungsdatei belegt";
inline constexpr char16_t kPercentCaption[] = u"0%";
inline constexpr char16_t kMnuFileCaption[] = u"File";                                  // never shown as a menu bar
inline constexpr char16_t kMnuCopyValueCaption[] = u"Wert in Zwischenablage kopieren";  // shortcut Ctrl+C
inline constexpr char16_t kMnuCopyAllCaption[] = u"Alles in Zwischenablage kopieren";

/// tmrMemory: enabled from the window's creation to its unload.
inline constexpr std::int32_t kTimerIntervalMs = 1500;

}  // namespace bsi::sysinfo_layout
