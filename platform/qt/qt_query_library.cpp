// SPDX-License-Identifier: MIT
#include "qt_query_library.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>

#include "runtime/error.h"
#include "widget_handles.h"

namespace bsi::qt {
namespace {

class ScreenDisplayInfo final : public DisplayInfo {
 public:
  explicit ScreenDisplayInfo(const QScreen& screen)
      : size_(screen.geometry().size() * screen.devicePixelRatio()), depth_(screen.depth()) {}
  Currency BitsPerPixel() override { return Currency::FromWhole(depth_); }
  std::int32_t Width() override { return size_.width(); }
  std::int32_t Height() override { return size_.height(); }

 private:
  QSize size_;
  int depth_;
};

QColor FromColourRef(std::int32_t colour) {
  const auto bgr = static_cast<std::uint32_t>(colour);
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

class BarColors final : public ProgressBarColors {
 public:
  void SetColors(WindowHandle gauge, std::int32_t bar_color, std::int32_t back_color) override {
    auto* bar = WidgetFromHandle<QProgressBar>(gauge);
    if (bar == nullptr) return;
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, FromColourRef(bar_color));
    palette.setColor(QPalette::Base, FromColourRef(back_color));
    palette.setColor(QPalette::Window, FromColourRef(back_color));
    bar->setPalette(palette);
  }
};

}  // namespace

std::unique_ptr<QueryObject> QtQueryLibrary::Create(QueryClass cls) {
  switch (cls) {
    case QueryClass::DisplayInfo: {
      const QScreen* screen = QGuiApplication::primaryScreen();
      if (screen == nullptr) Raise(err::kCannotCreateObject);
      return std::make_unique<ScreenDisplayInfo>(*screen);
    }
    case QueryClass::ProgressBarColors:
      return std::make_unique<BarColors>();
    default:
      return inner_.Create(cls);
  }
}

}  // namespace bsi::qt
