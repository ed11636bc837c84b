// SPDX-License-Identifier: MIT
#include "widgets.h"

#include <commctrl.h>

#include <cmath>
#include <vector>

#include "wide_text.h"

namespace bsi::win32 {
namespace {

TOOLINFOW ToolInfo(HWND form, HWND control) {
  TOOLINFOW info{};
  // The version-2 size works with every comctl32, with or without a manifest.
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = form;
  info.uId = reinterpret_cast<UINT_PTR>(control);
  return info;
}

}  // namespace

ToolTips::ToolTips(HWND form)
    : form_(form),
      tips_(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, ThisModule(),
                            nullptr)) {
  if (tips_) SendMessageW(tips_.get(), TTM_SETMAXTIPWIDTH, 0, 600);
}

void ToolTips::Set(HWND control, const Text& text) {
  if (!tips_) return;
  TOOLINFOW info = ToolInfo(form_, control);
  SendMessageW(tips_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
  if (text.empty()) return;
  info.lpszText = const_cast<wchar_t*>(Wide(text));
  SendMessageW(tips_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

int TextWidth(HWND control, const Text& text) {
  WindowDc dc(control);
  if (dc.get() == nullptr) return 0;
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0));
  SelectedObject selected(dc.get(), font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc.get(), Wide(text), static_cast<int>(text.size()), &size);
  return size.cx;
}

void Win32Label::SetCaption(const Text& caption) {
  // The timer writes the same captions every 1.5 s; an unchanged text needs no measuring or repainting.
  if (caption == caption_ && !caption_.empty()) return;
  caption_ = caption;
  SetWindowTextW(label_, Wide(caption));
  if (!auto_size_) return;
  RECT rect{};
  GetWindowRect(label_, &rect);
  MapWindowPoints(nullptr, GetParent(label_), reinterpret_cast<POINT*>(&rect), 2);
  // One pixel of slack so that the last glyph is never clipped.
  const int wanted = TextWidth(label_, caption) + 1;
  const bool fits = wanted <= max_width_;
  SetWindowPos(label_, nullptr, 0, 0, fits ? wanted : max_width_, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (tips_ != nullptr) tips_->Set(label_, fits ? Text() : caption);
  InvalidateRect(label_, nullptr, TRUE);
}

Text Win32TextBox::GetText() {
  const int length = GetWindowTextLengthW(edit_);
  if (length <= 0) return {};
  std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
  const int copied = GetWindowTextW(edit_, buffer.data(), length + 1);
  return FromWide(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

void Win32TextBox::SetText(const Text& text) {
  SetWindowTextW(edit_, Wide(text));
}

void Win32TextBox::Select(std::int32_t start, std::int32_t length) {
  SendMessageW(edit_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
}

Win32Gauge::Win32Gauge(HWND bar) : bar_(bar) {
  SendMessageW(bar_, PBM_SETRANGE32, 0, kScale);
}

void Win32Gauge::ShowFill(double fraction) {
  const double clamped = fraction < 0 || std::isnan(fraction) ? 0 : (fraction > 1 ? 1 : fraction);
  SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(std::lround(clamped * kScale)), 0);
}

void Win32MenuItem::SetCaption(const Text& caption) {
  Text text = caption;
  if (!shortcut_.empty()) text += u"\t" + shortcut_;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(Wide(text));
  SetMenuItemInfoW(menu_, id_, FALSE, &info);
}

Text ControlShortcutName(wchar_t letter) {
  wchar_t name[32] = {};
  const UINT scan = MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC);
  int length = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 32);
  Text control = length > 0 ? FromWide(name, static_cast<std::size_t>(length)) : u"Ctrl";
  // Key names come in capitals on some systems ("CTRL"); menus write them as a word.
  for (std::size_t i = 1; i < control.size(); ++i) {
    if (control[i] >= u'A' && control[i] <= u'Z') control[i] = static_cast<char16_t>(control[i] + 32);
  }
  return control + u"+" + static_cast<char16_t>(letter);
}

}  // namespace bsi::win32
