// SPDX-License-Identifier: MIT
// One run of LoadSysInfo as the row groups see it: the row steps, the strings and the run's query objects.
#pragma once

#include "info_list/load_sys_info.h"
#include "query/query_session.h"
#include "runtime/convert.h"

namespace bsi {

class ListRun {
 public:
  explicit ListRun(const InfoListContext& context) : context_(context), session_(context.library) {}

  const InfoListContext& context() const { return context_; }
  const Locale& locale() const { return context_.locale; }
  /// The string with this id in the run's language (LoadResString).
  Text String(std::int32_t id) { return context_.strings.LoadResString(id); }
  Text TextOf(const Variant& value) { return ToText(value, context_.locale); }

  template <class T>
  T& Get() {
    return session_.Get<T>();
  }
  void ReleaseAll() noexcept { session_.ReleaseAll(); }

  /// Appends a row with this label and no value (ListItems.Add).
  void AddRow(const Text& label) { context_.lvwSysInfo.AddItem(label); }
  void AddSpacer() { AddRow(u" "); }
  /// Writes the value of the last row (ListItems(ListItems.Count).SubItems(1)).
  void SetLastValue(const Text& value) {
    ListView& list = context_.lvwSysInfo;
    list.SetSubItem(list.ItemCount(), value);
  }
  /// The row steps of an unconditional row: the label first, then the value is asked for and written.
  template <class ValueFn>
  void AddRow(const Text& label, ValueFn&& value) {
    AddRow(label);
    SetLastValue(value());
  }

 private:
  const InfoListContext& context_;
  QuerySession session_;
};

// The row groups, in the order the list shows them.
void AppendSystemRows(ListRun& run);
void AppendBatteryRows(ListRun& run);
void AppendMemoryRows(ListRun& run);
void AppendUserRows(ListRun& run);
void AppendNetworkRows(ListRun& run);
void AppendEnvironmentRows(ListRun& run);
void AppendTimeAndDriveRows(ListRun& run);

}  // namespace bsi
