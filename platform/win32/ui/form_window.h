// SPDX-License-Identifier: MIT
// A top-level form on Win32: created from a layout in twips, shown modally with its own message loop, with key
// preview (the form sees every key before the focused control) and an Unload that keeps the widgets alive
// until the form object is destroyed.
#pragma once

#include <windows.h>

#include <vector>

#include "runtime/layout.h"
#include "runtime/window_views.h"
#include "unique_handle.h"
#include "wide_text.h"

namespace bsi::win32 {

class FormWindow : public FormView {
 public:
  struct Style {
    const wchar_t* class_name;
    DWORD style;
    DWORD ex_style;
    std::int32_t client_width;   // twips
    std::int32_t client_height;  // twips
    HBRUSH background;           // the form's background, not owned
    HICON icon;                  // may be null
  };

  explicit FormWindow(const Style& style);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow() override;

  WindowHandle hWnd() override { return reinterpret_cast<WindowHandle>(window_.get()); }
  void SetCaption(const Text& caption) override;
  void ShowModal() override;
  void Unload() override;
  void PopupMenu(Menu& menu, std::int32_t flags) override;

  HWND window() const { return window_.get(); }
  bool is_shown() const { return shown_; }
  /// Twips to pixels at the screen's resolution.
  int Pixels(std::int32_t twips) const { return MulDiv(twips, dpi_, 1440); }

  /// The form that owns `window` (itself or a child), if it is one of ours.
  static FormWindow* FromWindow(HWND window);

  /// How many forms exist right now, in every thread.
  static int live() noexcept { return live_.load(); }

  /// Runs every pending message of the thread (DoEvents), with key preview; a WM_QUIT is left in the queue.
  static void PumpPendingMessages();

 protected:
  /// Creates a child control at a place given in twips; `font` is applied.
  HWND CreateChild(const wchar_t* window_class, const wchar_t* text, DWORD style, const Rect& twips, int id,
                   DWORD ex_style = 0);
  /// Centres the window over `over` (the screen's work area when null).
  void CentreOver(HWND over);
  /// Runs just before the window is shown: place it, choose the control with the focus.
  virtual void BeforeShow() {}
  /// Where the next popup menu opens (screen coordinates), for a menu opened from the keyboard.
  void SetPopupAnchor(POINT point) {
    popup_anchor_ = point;
    has_anchor_ = true;
  }

  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam);
  /// Key preview: sees WM_KEYDOWN and WM_SYSKEYDOWN of the form and its controls first; true swallows the key.
  virtual bool PreviewKey(WPARAM key, bool system_key) = 0;
  /// The message loop ended by WM_QUIT while the form was shown: the form unloads as when closed.
  virtual void OnQuitWhileShown() = 0;
  /// Timers to stop on Unload.
  std::vector<UINT_PTR> timers_;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static void Dispatch(MSG& message);

  UniqueGdiObject font_;
  UniqueHwnd window_;  // after font_: destroyed first
  int dpi_ = 96;
  bool shown_ = false;
  POINT popup_anchor_{};
  bool has_anchor_ = false;
  static inline std::atomic<int> live_{0};
};

/// The text of a key's shift state as the handlers take it: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState();

}  // namespace bsi::win32
