// SPDX-License-Identifier: MIT
#include "sysinfo_window.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <functional>

#include "sysinfo_window/sysinfo_layout.h"

namespace bsi::qt {

namespace layout = sysinfo_layout;

// lvwSysInfo's mouse and context-menu events, routed as the list view's notifications are on Windows.
class InfoTree final : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;
  std::function<void(std::int16_t shift)> right_button;
  std::function<void()> double_click;
  std::function<void()> menu_key;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QTreeWidget::mousePressEvent(event);  // the row under the mouse is selected first
    if (event->button() == Qt::RightButton && right_button) right_button(ShiftState(event->modifiers()));
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QTreeWidget::mouseDoubleClickEvent(event);
    // Anywhere in the list, on a row or below the last one: the handler opens the selected row.
    if (event->button() == Qt::LeftButton && double_click) double_click();
  }
  void contextMenuEvent(QContextMenuEvent* event) override {
    event->accept();  // the mouse's menu opens on the right-button press already
    if (event->reason() != QContextMenuEvent::Mouse && menu_key) menu_key();
  }
};

namespace {

constexpr char16_t kCredit[] = u"Brindt SysInfo \u00b7 \u00a9 Brindt";

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& place, const char16_t* text) {
  auto* label = new QLabel(QString::fromStdU16String(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(place);
  return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& place, const char16_t* text) {
  auto* button = new QPushButton(QString::fromStdU16String(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(place);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

QtSysInfoWindow::QtSysInfoWindow(frmSysInfo& form, int memory_timer_ms, Battery& battery)
    : QtForm("frmSysInfo", layout::kClientWidth, layout::kClientHeight,
             Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(form),
      battery_(battery) {
  SetCaption(layout::kCaption);
  QPalette white = palette();
  white.setColor(QPalette::Window, QColor(255, 255, 255));
  setPalette(white);
  setAutoFillBackground(true);

  // Made in tab order: Qt tabs through sibling widgets in the order they were made.
  tree_ = new InfoTree(this);
  tree_->setObjectName(QStringLiteral("lvwSysInfo"));
  tree_->setGeometry(Place(layout::kLvwSysInfo));
  tree_->setRootIsDecorated(false);
  tree_->setItemsExpandable(false);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionsMovable(false);
  tree_->right_button = [this](std::int16_t shift) { form_.lvwSysInfo_MouseDown(frmSysInfo::kRightButton, shift); };
  tree_->double_click = [this] { form_.lvwSysInfo_DblClick(); };
  tree_->menu_key = [this] { OpenContextMenuFromKeyboard(); };
  list_ = std::make_unique<QtListView>(tree_, Pixels(1440));

  QPushButton* system = MakeButton(this, "cmdSystem", Place(layout::kCmdSystem), layout::kCmdSystemCaption);
  QPushButton* ok = MakeButton(this, "cmdOK", Place(layout::kCmdOK), layout::kCmdOKCaption);
  connect(system, &QPushButton::clicked, this, [this] { form_.cmdSystem_Click(); });
  connect(ok, &QPushButton::clicked, this, [this] { form_.cmdOK_Click(); });

  // The controls of fraMemory stand at their places inside the frame.
  auto* frame = new QGroupBox(this);
  frame->setObjectName(QStringLiteral("fraMemory"));
  frame->setGeometry(Place(layout::kFraMemory));
  const Rect caption_rects[3] = {layout::kLblPhysicalMemory, layout::kLblVirtualMemory, layout::kLblPageFileMemory};
  const char16_t* caption_texts[3] = {layout::kPhysicalMemoryCaption, layout::kVirtualMemoryCaption,
                                      layout::kPageFileMemoryCaption};
  const char* caption_names[3] = {"lblPhysicalMemory", "lblVirtualMemory", "lblPageFileMemory"};
  const Rect gauge_rects[3] = {layout::kCtlProgressPhysical, layout::kCtlProgressVirtual, layout::kCtlProgressPagefile};
  const char* gauge_names[3] = {"ctlProgressPhysical", "ctlProgressVirtual", "ctlProgressPagefile"};
  const Rect percent_rects[3] = {layout::kLblPhysicalPercent, layout::kLblVirtualPercent, layout::kLblPagePercent};
  const char* percent_names[3] = {"lblPhysicalPercent", "lblVirtualPercent", "lblPagePercent"};
  // A gauge caption grows with its text up to the gauges; the percent labels up to the frame's edge.
  const int caption_limit =
      Pixels(layout::kCtlProgressPhysical.left - layout::kLblPhysicalMemory.left - layout::kLblPhysicalMemory.left);
  const int percent_limit = Pixels(layout::kFraMemory.width - layout::kLblPhysicalPercent.left) - 4;
  for (int i = 0; i < 3; ++i) {
    QLabel* caption = MakeLabel(frame, caption_names[i], Place(caption_rects[i]), caption_texts[i]);
    captions_[i] = std::make_unique<QtLabel>(caption, caption_limit);
    captions_[i]->SetCaption(caption_texts[i]);
    auto* bar = new QProgressBar(frame);
    bar->setObjectName(QString::fromLatin1(gauge_names[i]));
    bar->setGeometry(Place(gauge_rects[i]));
    gauges_[i] = std::make_unique<QtGauge>(bar);
    QLabel* percent = MakeLabel(frame, percent_names[i], Place(percent_rects[i]), layout::kPercentCaption);
    percents_[i] = std::make_unique<QtLabel>(percent, percent_limit);
    percents_[i]->SetCaption(layout::kPercentCaption);
  }

  QLabel* credit = MakeLabel(this, "Label1", Place(layout::kLabel1), kCredit);
  credit->setEnabled(false);  // drawn greyed
  auto* temp = new QLineEdit(this);
  temp->setObjectName(QStringLiteral("txtTemp"));
  temp->setGeometry(Place(layout::kTxtTemp));
  temp->hide();
  temp_ = std::make_unique<QtTextBox>(temp);

  menu_widget_ = new QMenu(this);
  menu_widget_->setObjectName(QStringLiteral("mnuFile"));
  menu_ = std::make_unique<QtPopupMenu>(menu_widget_);
  QAction* copy_value = menu_widget_->addAction(QString());
  copy_value->setObjectName(QStringLiteral("mnuCopyValueToClipboard"));
  // Shown beside the item; the C key itself belongs to the form's key handler.
  copy_value->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  copy_value->setShortcutContext(Qt::WidgetShortcut);
  copy_value->setShortcutVisibleInContextMenu(true);
  QAction* copy_all = menu_widget_->addAction(QString());
  copy_all->setObjectName(QStringLiteral("mnuCopyAllToClipboard"));
  copy_value_ = std::make_unique<QtMenuItem>(copy_value);
  copy_all_ = std::make_unique<QtMenuItem>(copy_all);
  menu_->SetCaption(layout::kMnuFileCaption);
  copy_value_->SetCaption(layout::kMnuCopyValueCaption);
  copy_all_->SetCaption(layout::kMnuCopyAllCaption);

  // tmrMemory counts from the window's creation; its first tick runs once an event loop does.
  QTimer* timer = AddTimer(memory_timer_ms);
  timer->setObjectName(QStringLiteral("tmrMemory"));
  connect(timer, &QTimer::timeout, this, [this] { form_.tmrMemory_Timer(); });
  timer->start();
}

QtSysInfoWindow::~QtSysInfoWindow() = default;

void QtSysInfoWindow::BeforeShow() {
  CentreOver(nullptr);
  tree_->setFocus(Qt::OtherFocusReason);
}

bool QtSysInfoWindow::FormKey(QWidget* target, const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Escape:  // OK is the window's cancel button
      form_.cmdOK_Click();
      return true;
    case Qt::Key_F10:  // Shift+F10 opens the list's context menu, as the menu key does through Qt
      if (event.modifiers() != Qt::ShiftModifier || (target != tree_ && target != tree_->viewport())) return false;
      OpenContextMenuFromKeyboard();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // Enter opens the selected row as a double-click does; on a button it presses the button.
      if (target == tree_ || target == tree_->viewport()) {
        form_.lvwSysInfo_DblClick();
        return true;
      }
      if (auto* button = qobject_cast<QPushButton*>(target)) {
        button->click();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void QtSysInfoWindow::OpenContextMenuFromKeyboard() {
  // The menu key or Shift+F10: the menu opens below the selected row, or at the list's corner.
  QPoint at(0, 0);
  if (QTreeWidgetItem* row = tree_->currentItem(); row != nullptr && row->isSelected()) {
    at = tree_->visualItemRect(row).bottomLeft();
  }
  SetPopupAnchor(tree_->viewport()->mapToGlobal(at));
  form_.lvwSysInfo_MouseDown(frmSysInfo::kRightButton, 0);
}

void QtSysInfoWindow::MenuCommand(QAction* action) {
  if (action == copy_value_->action()) form_.mnuCopyValueToClipboard_Click();
  if (action == copy_all_->action()) form_.mnuCopyAllToClipboard_Click();
}

}  // namespace bsi::qt
