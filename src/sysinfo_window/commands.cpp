// SPDX-License-Identifier: MIT
// What the user can do in the open window: keys, buttons, the context menu, the clipboard and the value window.
#include "forms/last_guard.h"
#include "runtime/error.h"
#include "sysinfo_window/frm_sys_info.h"

namespace bsi {

bool frmSysInfo::Form_KeyDown(std::int16_t key_code, std::int16_t /*shift*/) noexcept {
  Handle([&] {
    if (key_code == kKeyC && view_->lvwSysInfo().ItemCount() > 0) CopySelectedValue();
    if (key_code == kKeyF5) RebuildList();
    if (key_code == kKeyF4) Unload();
  });
  return key_code == kKeyC || key_code == kKeyF5 || key_code == kKeyF4;
}

void frmSysInfo::cmdOK_Click() noexcept {
  Handle([&] { Unload(); });
}

void frmSysInfo::CloseBox() noexcept {
  Handle([&] { Unload(); });
}

void frmSysInfo::cmdSystem_Click() noexcept {
  Handle([&] { context_.shell.SHObjectProperties(view_->Form().hWnd(), Shell::kShopFilePath, u"", u""); });
}

void frmSysInfo::lvwSysInfo_MouseDown(std::int16_t button, std::int16_t /*shift*/) noexcept {
  Handle([&] {
    if (button == kRightButton && view_->lvwSysInfo().ItemCount() > 0) {
      view_->Form().PopupMenu(view_->mnuFile(), FormView::kPopupMenuRightButton);
    }
  });
}

void frmSysInfo::lvwSysInfo_DblClick() noexcept {
  Handle([&] { OpenValueWindow(); });
}

void frmSysInfo::mnuCopyValueToClipboard_Click() noexcept {
  Handle([&] { CopySelectedValue(); });
}

void frmSysInfo::mnuCopyAllToClipboard_Click() noexcept {
  Handle([&] { CopyAll(); });
}

void frmSysInfo::CopySelectedValue() {
  ListView& list = view_->lvwSysInfo();
  const std::int32_t selected = list.SelectedIndex();
  if (selected == 0) return;  // nothing to copy: the clipboard keeps what it has
  // Read before clearing, so that a failed read does not cost the user the clipboard's content.
  const Text value = list.SubItem(selected);
  context_.clipboard.Clear();
  context_.clipboard.SetText(value);
}

Text frmSysInfo::CopyAllText() {
  ListView& list = view_->lvwSysInfo();
  Text text;
  const std::int32_t count = list.ItemCount();
  for (std::int32_t i = 1; i <= count; ++i) {
    text.append(list.ItemText(i)).append(u" ").append(list.SubItem(i)).append(u"\r\n");
  }
  text.append(u"\r\n");
  auto gauge_line = [&](Label& caption, Label& percent) {
    text.append(caption.Caption()).append(u" = ").append(percent.Caption()).append(u"\r\n");
  };
  gauge_line(view_->lblPhysicalMemory(), view_->lblPhysicalPercent());
  gauge_line(view_->lblVirtualMemory(), view_->lblVirtualPercent());
  gauge_line(view_->lblPageFileMemory(), view_->lblPagePercent());
  return text;
}

void frmSysInfo::CopyAll() {
  TextBox& scratch = view_->txtTemp();
  scratch.SetText(u"");
  const Text text = CopyAllText();
  scratch.SetText(text);
  // The clipboard gets the text itself: a native box may have cut it at its length limit.
  context_.clipboard.Clear();
  context_.clipboard.SetText(text);
}

void frmSysInfo::OpenValueWindow() {
  ListView& list = view_->lvwSysInfo();
  if (list.ItemCount() == 0) return;
  const std::int32_t selected = list.SelectedIndex();
  if (selected == 0) return;
  const Text label = list.ItemText(selected);
  if (TrimSpaces(label).empty()) return;  // a spacer row

  frmValue window(
      ValueWindowContext{context_.value_windows, context_.clipboard, context_.message_box, context_.strings});
  window.Form_Load();
  const Text caption = ValueWindowLabel(label);
  window.txtLabel().SetText(caption);
  window.txtValue().SetText(list.SubItem(selected));
  window.SetCaption(caption);
  window.Show();
}

}  // namespace bsi
