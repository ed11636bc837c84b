// SPDX-License-Identifier: MIT
// The window object, its start-up and the last guard around its handlers.
#include "sysinfo_window/frm_sys_info.h"

#include <cmath>
#include <optional>

#include "forms/last_guard.h"
#include "info_list/load_sys_info.h"
#include "query/query_session.h"
#include "runtime/convert.h"
#include "runtime/error.h"
#include "sysinfo_window/gauge_texts.h"

namespace bsi {
namespace {

std::unique_ptr<SysInfoWindowView> CreateView(SysInfoWindowFactory& factory, frmSysInfo& form) {
  auto view = factory.CreateSysInfoWindow(form);
  if (!view) Raise(err::kCannotCreateObject);
  return view;
}

// One step of start-up: a failure abandons the step, and start-up goes on with the next one.
template <class Step>
void RunStep(Step&& step) noexcept {
  try {
    step();
  } catch (...) {
    // What the step would have set keeps its design state.
  }
}

}  // namespace

frmSysInfo::frmSysInfo(const SysInfoWindowContext& context)
    : context_(context),
      view_(CreateView(context.windows, *this)),
      physical_(view_->ctlProgressPhysical()),
      virtual_(view_->ctlProgressVirtual()),
      pagefile_(view_->ctlProgressPagefile()) {}

frmSysInfo::~frmSysInfo() = default;

void frmSysInfo::Form_Load() noexcept {
  loaded_ = true;
  RunGuarded(context_.message_box, context_.strings, [&] { RunStartUp(); });
}

void frmSysInfo::RunStartUp() {
  QuerySession session(context_.library);
  const Locale& locale = context_.locale;
  auto load_string = [&](std::int32_t id) { return context_.strings.LoadResString(id); };
  auto memory = [&]() -> MemoryInfo& { return session.Get<MemoryInfo>(); };
  auto number = [&](const Text& text) { return ParseNumber(text, locale); };

  // Steps 1 to 3: the used amounts. One whose step fails stays unknown and shows as nothing in its caption.
  std::optional<double> used_virtual;
  std::optional<double> used_physical;
  std::optional<double> used_pagefile;
  RunStep([&] {
    const double total = number(memory().VirtualTotal());
    used_virtual = total - number(memory().VirtualFree());
  });
  RunStep([&] {
    const double total = number(memory().PhysicalTotal());
    used_physical = total - number(memory().PhysicalFree());
  });
  RunStep([&] {
    const double total = number(memory().PageFileTotal());
    used_pagefile = total - number(memory().PageFileFree());
  });

  // Steps 4 to 9: the ranges. A rejected Max (a total of zero) leaves the design range 0 to 100.
  RunStep([&] { physical_.SetMin(0); });
  RunStep([&] { virtual_.SetMin(0); });
  RunStep([&] { pagefile_.SetMin(0); });
  RunStep([&] { physical_.SetMax(ToSingle(number(memory().PhysicalTotal()))); });
  RunStep([&] { virtual_.SetMax(ToSingle(number(memory().VirtualTotal()))); });
  RunStep([&] { pagefile_.SetMax(ToSingle(std::fabs(number(memory().PageFileTotal())))); });

  // Steps 10 to 12: the captions; physical and virtual totals as delivered, the page-file total formatted.
  RunStep([&] {
    const Text label = load_string(str::kPhysicalMemoryUsed);
    const Text used = GaugeAmountText(used_physical, locale);
    const Text joiner = load_string(str::kFrom);
    const Text total = memory().PhysicalTotal();
    view_->lblPhysicalMemory().SetCaption(GaugeCaption(label, used, joiner, total));
  });
  RunStep([&] {
    const Text label = load_string(str::kVirtualMemoryUsed);
    const Text used = GaugeAmountText(used_virtual, locale);
    const Text joiner = load_string(str::kFrom);
    const Text total = memory().VirtualTotal();
    view_->lblVirtualMemory().SetCaption(GaugeCaption(label, used, joiner, total));
  });
  RunStep([&] {
    const Text label = load_string(str::kSwapfileUsed);
    const Text used = GaugeAmountText(used_pagefile, locale);
    const Text joiner = load_string(str::kFrom);
    const Text total = GaugeAmountText(std::fabs(number(memory().PageFileTotal())), locale);
    view_->lblPageFileMemory().SetCaption(GaugeCaption(label, used, joiner, total));
  });

  // Steps 13 to 15 need no library.
  RunStep([&] { view_->mnuCopyAllToClipboard().SetCaption(load_string(str::kCopyAllToClipboard)); });
  RunStep([&] { view_->mnuCopyValueToClipboard().SetCaption(load_string(str::kCopyValueToClipboard)); });
  RunStep([&] {
    const VersionRecord& app = context_.app;
    view_->Form().SetCaption(u"Brindt SysInfo " + Decimal(app.major) + u"." + Decimal(app.minor) + u"." +
                             Decimal(app.revision));
  });

  // Step 16: the library object goes before the list is built; step 17 builds it.
  session.ReleaseAll();
  RunStep([&] { RebuildList(); });
}

void frmSysInfo::RebuildList() {
  LoadSysInfo(InfoListContext{view_->lvwSysInfo(), context_.window_system, context_.message_box, context_.screen,
                              view_->SysInfo(), context_.strings, context_.locale, context_.library});
}

void frmSysInfo::Unload() {
  loaded_ = false;
  view_->Form().Unload();
}

}  // namespace bsi
