// SPDX-License-Identifier: MIT
// tmrMemory: every 1500 ms the gauges, their captions, percentages and colours, and the nine rows whose
// values change while the window is open.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "info_list/row_texts.h"
#include "query/query_session.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "sysinfo_window/frm_sys_info.h"
#include "sysinfo_window/gauge_texts.h"

namespace bsi {
namespace {

enum class Figure { PhysicalTotal, PhysicalFree, VirtualTotal, VirtualFree, PageFileTotal, PageFileFree, Count };

// The memory figures of one tick, each read from the library when the tick first needs it and then kept, so
// that a failing read still ends the tick at the point where the figure is first used.
class TickFigures {
 public:
  TickFigures(QuerySession& session, const Locale& locale) : session_(session), locale_(locale) {}

  const Text& TextOf(Figure figure) {
    auto& slot = texts_[static_cast<std::size_t>(figure)];
    if (!slot) slot = Read(figure);
    return *slot;
  }
  double NumberOf(Figure figure) { return ParseNumber(TextOf(figure), locale_); }

 private:
  Text Read(Figure figure) {
    MemoryInfo& memory = session_.Get<MemoryInfo>();
    switch (figure) {
      case Figure::PhysicalTotal:
        return memory.PhysicalTotal();
      case Figure::PhysicalFree:
        return memory.PhysicalFree();
      case Figure::VirtualTotal:
        return memory.VirtualTotal();
      case Figure::VirtualFree:
        return memory.VirtualFree();
      case Figure::PageFileTotal:
        return memory.PageFileTotal();
      case Figure::PageFileFree:
      case Figure::Count:
        break;
    }
    return memory.PageFileFree();
  }

  QuerySession& session_;
  const Locale& locale_;
  std::array<std::optional<Text>, static_cast<std::size_t>(Figure::Count)> texts_;
};

// A used amount outside the gauge's range (a page file grown since start-up, a free figure above its total)
// is shown at the nearest end of the range rather than rejected.
void SetGaugeValue(ProgressBar& bar, double used) {
  const double clamped = std::clamp(used, static_cast<double>(bar.Min()), static_cast<double>(bar.Max()));
  bar.SetValue(ToSingle(clamped));
}

void SetBandColour(QuerySession& session, ProgressBar& bar, double whole_percent, double green_below) {
  const std::optional<std::int32_t> colour = BandColour(whole_percent, green_below);
  if (colour) session.Get<ProgressBarColors>().SetColors(bar.hWnd(), *colour, gauge_colour::kWhite);
}

// The row `offset` rows after the first memory row; an index past the 32-bit range is an overflow.
std::int32_t LiveRow(std::int32_t first, std::int32_t offset) {
  if (first > std::numeric_limits<std::int32_t>::max() - offset) Raise(err::kOverflow);
  return first + offset;
}

}  // namespace

std::int32_t FirstMemoryRow(ListView& list) {
  static constexpr char16_t kPrefix[] = u"PHYSI";
  const std::int32_t count = list.ItemCount();
  std::int32_t first = 0;
  // The scan goes on after a match: the last matching row ("... frei:" / "... free:") decides.
  for (std::int32_t i = 1; i <= count; ++i) {
    const Text text = list.ItemText(i);
    if (text.size() < 5) continue;
    bool match = true;
    for (std::size_t k = 0; k < 5 && match; ++k) match = UpperCase(text[k]) == kPrefix[k];
    if (match) first = i - 1;
  }
  return first;
}

void frmSysInfo::tmrMemory_Timer() noexcept {
  Handle([&] { RunTick(); });
}

void frmSysInfo::RunTick() {
  QuerySession session(context_.library);  // releases the tick's objects on every path
  try {
    context_.message_loop.DoEvents();
    // Unloaded while the tick yielded: the window is going away and the rest of the tick is void.
    if (!loaded_) return;

    ListView& list = view_->lvwSysInfo();
    const std::int32_t first = FirstMemoryRow(list);
    TickFigures figures(session, context_.locale);
    auto used = [&](Figure total, Figure free) { return figures.NumberOf(total) - figures.NumberOf(free); };

    const double used_virtual = used(Figure::VirtualTotal, Figure::VirtualFree);
    SetGaugeValue(virtual_, used_virtual);
    const double used_physical = used(Figure::PhysicalTotal, Figure::PhysicalFree);
    SetGaugeValue(physical_, used_physical);
    const double used_pagefile = used(Figure::PageFileTotal, Figure::PageFileFree);
    SetGaugeValue(pagefile_, used_pagefile);

    const Locale& locale = context_.locale;
    StringSource& strings = context_.strings;
    const Text joiner = strings.LoadResString(str::kFrom);
    view_->lblPhysicalMemory().SetCaption(GaugeCaption(strings.LoadResString(str::kPhysicalMemoryUsed),
                                                       GaugeAmountText(used_physical, locale), joiner,
                                                       figures.TextOf(Figure::PhysicalTotal)));
    view_->lblVirtualMemory().SetCaption(GaugeCaption(strings.LoadResString(str::kVirtualMemoryUsed),
                                                      GaugeAmountText(used_virtual, locale), joiner,
                                                      figures.TextOf(Figure::VirtualTotal)));
    const double pagefile_total = std::fabs(figures.NumberOf(Figure::PageFileTotal));
    view_->lblPageFileMemory().SetCaption(GaugeCaption(strings.LoadResString(str::kSwapfileUsed),
                                                       GaugeAmountText(used_pagefile, locale), joiner,
                                                       GaugeAmountText(pagefile_total, locale)));

    const double physical_percent = WholePercent(used_physical, figures.NumberOf(Figure::PhysicalTotal));
    view_->lblPhysicalPercent().SetCaption(PercentCaption(physical_percent));
    const double virtual_percent = WholePercent(used_virtual, figures.NumberOf(Figure::VirtualTotal));
    view_->lblVirtualPercent().SetCaption(PercentCaption(virtual_percent));
    const double pagefile_percent = WholePercent(used_pagefile, pagefile_total);
    view_->lblPagePercent().SetCaption(PercentCaption(pagefile_percent));

    SetBandColour(session, physical_, physical_percent, kGreenBelowMemory);
    SetBandColour(session, virtual_, virtual_percent, kGreenBelowMemory);
    SetBandColour(session, pagefile_, pagefile_percent, kGreenBelowPageFile);

    // The live rows, at their distances from the first memory row that the list builder keeps.
    list.SetSubItem(LiveRow(first, 0), MemoryRowText(figures.TextOf(Figure::PhysicalTotal)));
    list.SetSubItem(LiveRow(first, 1), MemoryRowText(figures.TextOf(Figure::PhysicalFree)));
    list.SetSubItem(LiveRow(first, 2), MemoryRowText(figures.TextOf(Figure::VirtualTotal)));
    list.SetSubItem(LiveRow(first, 3), MemoryRowText(figures.TextOf(Figure::VirtualFree)));
    NetworkInfo& network = session.Get<NetworkInfo>();
    const Text local_ip = network.LocalIP();
    list.SetSubItem(LiveRow(first, 9), local_ip);
    const Text local_mask = network.LocalSubnetMask();
    list.SetSubItem(LiveRow(first, 10), local_mask);
    const Text network_ip = network.NetworkIP();
    list.SetSubItem(LiveRow(first, 11), network_ip);
    const Text network_mask = network.NetworkSubnetMask();
    list.SetSubItem(LiveRow(first, 12), network_mask);
    const Text screen = ScreenRowText(session.Get<DisplayInfo>(), locale);
    list.SetSubItem(LiveRow(first, 21), screen);
  } catch (...) {
    // A tick ends silently at its first error: what it wrote stays, the rest waits for the next tick.
  }
}

}  // namespace bsi
