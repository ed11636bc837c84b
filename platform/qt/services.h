// SPDX-License-Identifier: MIT
// The run-time services of the core over Qt: message box, window-system calls, screen fonts, clipboard, the
// desktop's system-information view and the event loop.
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "runtime/views.h"
#include "runtime/window_views.h"

namespace bsi::qt {

/// A modal QMessageBox over the active window, with the icon that the style asks for and one OK button.
class QtMsgBox final : public MsgBox {
 public:
  void Show(const Text& prompt, std::int32_t style, const Text& title) override;
};

/// What the list helpers ask of user32, emulated: LockWindowUpdate suspends a widget's drawing (one widget at a
/// time; 0 ends it), and LVM_SETCOLUMNWIDTH sizes a column of our list: a width in pixels, or the widest text,
/// the wider of that and the heading (the last column filled to the list's edge), or kAutosizeLastColumn.
/// Any other message or handle does nothing and answers 0.
class QtWindowSystem final : public WindowSystem {
 public:
  ~QtWindowSystem() override;
  std::int32_t LockWindowUpdate(WindowHandle window) override;
  std::int32_t SendMessageA(WindowHandle window, std::uint32_t message, std::int32_t wparam,
                            std::int32_t lparam) override;

 private:
  QPointer<QWidget> locked_;
};

/// Screen.FontCount: the font families Qt offers, at most 32767.
class QtScreen final : public Screen {
 public:
  std::int16_t FontCount() override;
};

class QtClipboard final : public Clipboard {
 public:
  void Clear() override;
  void SetText(const Text& text) override;
};

/// A desktop's own view of the system's facts: a program and its arguments.
struct SystemInfoViewer {
  QString program;
  QStringList arguments;
};

/// The viewers tried in order by the System button; the first one found in PATH is started.
std::vector<SystemInfoViewer> SystemInfoViewers();
/// The GNOME control centre's panel name for the system's facts on this machine.
QString GnomeInfoPanel();

/// The System button on Linux: starts the first installed viewer of SystemInfoViewers(), detached; with none
/// installed nothing happens. Answers 1 when one was started, else 0 (every caller ignores it).
class QtShell final : public Shell {
 public:
  std::int32_t SHObjectProperties(WindowHandle window, std::int32_t object_type, const Text& object_name,
                                  const Text& page_name) override;
};

class QtMessageLoop final : public MessageLoop {
 public:
  void DoEvents() override;
};

}  // namespace bsi::qt
