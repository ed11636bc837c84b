// SPDX-License-Identifier: MIT
// What the user does in the open information window: keys, buttons, the context menu, the clipboard, the value
// window, and the last guard around all of them.
#include <gtest/gtest.h>

#include "core/open_window.h"

namespace bsi::test {
namespace {

constexpr std::int16_t kShift = 1;
constexpr std::int16_t kCtrl = 2;
constexpr std::int16_t kAlt = 4;

TEST(CopyKeys, CWithAnyShiftStateCopiesExactlyTheSelectedValue) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  const Text cpu = w.Rows()[1].value;
  for (std::int16_t shift : {std::int16_t{0}, kShift, kCtrl, kAlt}) {
    w.rig.clipboard.text = u"earlier content";
    w.rig.log.Clear();
    w.form->Form_KeyDown(frmSysInfo::kKeyC, shift);
    EXPECT_EQ(w.rig.clipboard.text, cpu) << "shift " << shift;
    EXPECT_EQ(w.rig.log.entries(),
              (std::vector<std::string>{"Clipboard.Clear", "Clipboard.SetText(" + ToUtf8(cpu) + ")"}));
  }
  // A spacer row's empty value leaves empty text.
  w.view->list.rows().Select(5);
  w.form->mnuCopyValueToClipboard_Click();
  EXPECT_EQ(w.rig.clipboard.text, u"");
}

TEST(CopyKeys, EmptyListOrNoSelectionLeavesTheClipboardAlone) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(0);
  w.form->Form_KeyDown(frmSysInfo::kKeyC, 0);
  w.form->mnuCopyValueToClipboard_Click();
  w.form->lvwSysInfo_DblClick();
  w.SetRows({});
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyC, kCtrl)) << "C is the window's key, with or without rows";
  w.form->mnuCopyValueToClipboard_Click();
  w.form->lvwSysInfo_DblClick();
  w.form->lvwSysInfo_MouseDown(frmSysInfo::kRightButton, 0);
  EXPECT_TRUE(w.rig.log.entries().empty());
  EXPECT_EQ(w.rig.clipboard.text, u"earlier content");
  EXPECT_TRUE(w.rig.message_box.shown.empty());
}

TEST(Keys, F5RebuildsInPlaceAndF4Closes) {
  OpenWindow w;
  w.Load();
  const auto rows = w.Rows();
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyF5, kShift));
  EXPECT_EQ(w.Rows(), rows);
  EXPECT_EQ(w.view->list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
  EXPECT_FALSE(w.view->form.unloaded());
  EXPECT_FALSE(w.form->Form_KeyDown(114, 0));  // F3 does nothing and is left to the focused control
  EXPECT_FALSE(w.view->form.unloaded());
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyF4, kAlt));
  EXPECT_TRUE(w.view->form.unloaded());
  EXPECT_FALSE(w.form->IsLoaded());
  // Events that still reach an unloaded window do nothing.
  w.rig.log.Clear();
  w.form->cmdSystem_Click();
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyC, 0));
  w.form->tmrMemory_Timer();
  EXPECT_TRUE(w.rig.log.entries().empty());
}

TEST(Buttons, OkClosesAndSystemPassesTheWindowHandleTypeTwoAndEmptyNames) {
  OpenWindow w;
  w.Load();
  w.form->cmdSystem_Click();
  w.SetRows({});
  w.form->cmdSystem_Click();
  EXPECT_EQ(w.Log("SHObjectProperties"), std::vector<std::string>(2, "SHObjectProperties(8192,2,'','')"));
  w.form->cmdOK_Click();
  EXPECT_EQ(w.Log("frmSysInfo.Unload").size(), 1u);
}

TEST(ContextMenu, OnlyTheRightButtonOnANonEmptyList) {
  OpenWindow w;
  w.Load();
  w.form->lvwSysInfo_MouseDown(1, 0);
  w.form->lvwSysInfo_MouseDown(4, 0);
  EXPECT_TRUE(w.rig.log.entries().empty());
  w.form->lvwSysInfo_MouseDown(frmSysInfo::kRightButton, kShift);
  EXPECT_EQ(w.rig.log.entries(), std::vector<std::string>{"frmSysInfo.PopupMenu(mnuFile,2)"});
}

TEST(CopyAll, TwoRowsByteForByte) {
  OpenWindow w(UiLanguage::English, Locale::English());
  w.rig.library.Set("MemoryInfo.PhysicalTotal", u"800");
  w.rig.library.Set("MemoryInfo.PhysicalFree", u"336");
  w.Load();
  w.SetRows({{u"A:", u"1"}, {u"B:", u""}});
  w.form->mnuCopyAllToClipboard_Click();
  const Text expected =
      u"A: 1\r\n"
      u"B: \r\n"
      u"\r\n"
      u"Physical memory used (464 from 800) = 0%\r\n"
      u"Virtual memory used (268,304,384 from 2147352576) = 0%\r\n"
      u"Swapfile used (4,294,967,296 from 8,589,934,592) = 0%\r\n";
  EXPECT_EQ(w.rig.clipboard.text, expected);
  EXPECT_EQ(w.view->temp.text(), expected);
  EXPECT_EQ(w.rig.log.entries(),
            (std::vector<std::string>{"txtTemp.Text=", "txtTemp.Text=" + ToUtf8(expected), "Clipboard.Clear",
                                      "Clipboard.SetText(" + ToUtf8(expected) + ")"}));

  // After a tick the gauge lines carry its percentages; spacer and drive rows keep their shapes.
  w.form->tmrMemory_Timer();
  w.SetRows({{u" ", u""}, {u"C:\\ Local Disk", u""}});
  w.form->mnuCopyAllToClipboard_Click();
  const Text rows = u"  \r\nC:\\ Local Disk \r\n\r\nPhysical";
  EXPECT_EQ(w.rig.clipboard.text.substr(0, rows.size()), rows);
  EXPECT_NE(w.rig.clipboard.text.find(u"(464 from 800) = 58%\r\n"), Text::npos);
}

TEST(CopyAll, TheClipboardGetsTheWholeTextWhateverTheScratchBoxHolds) {
  OpenWindow w;
  w.Load();
  w.view->temp.max_length = 64;  // a native box with a length limit
  w.form->mnuCopyAllToClipboard_Click();
  EXPECT_EQ(w.view->temp.text().size(), 64u);
  EXPECT_GT(w.rig.clipboard.text.size(), 1000u);
  EXPECT_EQ(w.rig.clipboard.text.substr(0, 64), w.view->temp.text());
  EXPECT_EQ(w.rig.clipboard.text.substr(0, 16), u"Betriebssystem: ");
  EXPECT_EQ(w.rig.clipboard.text.substr(w.rig.clipboard.text.size() - 2), u"\r\n");
}

TEST(DoubleClick, OpensANewValueWindowWithTheShortenedLabel) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  const Text cpu = w.Rows()[1].value;
  std::vector<Text> seen;
  w.rig.windows.while_value_shown = [&](frmValue& value, FakeValueWindow& view) {
    seen.push_back(view.form.caption() + u"|" + view.label.text() + u"|" + view.value.text());
    value.CloseBox();
  };
  w.form->lvwSysInfo_DblClick();
  w.form->lvwSysInfo_DblClick();
  EXPECT_EQ(w.rig.windows.value_windows, 2) << "a fresh window every time";
  EXPECT_EQ(seen, std::vector<Text>(2, u"CPU|CPU|" + cpu));
  const std::vector<std::string> once = {
      "create frmValue window", "cmdClipboard.ToolTipText=In die Zwischenablage kopieren",
      "txtLabel.Text=CPU",      "txtValue.Text=" + ToUtf8(cpu),
      "frmValue.Caption=CPU",   "frmValue.Show(1)",
      "frmValue.Unload",
  };
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(w.rig.log.entries(), twice);
}

TEST(DoubleClick, SpacerOpensNothingAndAOneCharacterLabelGivesAnEmptyCaption) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(5);
  ASSERT_EQ(w.Rows()[4].text, u" ");
  w.form->lvwSysInfo_DblClick();
  EXPECT_EQ(w.rig.windows.value_windows, 0);

  w.SetRows({{u"X", u"value"}, {u"   ", u""}});
  w.view->list.rows().Select(2);
  w.form->lvwSysInfo_DblClick();
  EXPECT_EQ(w.rig.windows.value_windows, 0);
  Text caption = u"unset";
  w.rig.windows.while_value_shown = [&](frmValue& value, FakeValueWindow& view) {
    caption = view.form.caption();
    EXPECT_EQ(view.label.text(), u"");
    EXPECT_EQ(view.value.text(), u"value");
    value.Form_KeyDown(frmValue::kKeyF4, 0);
  };
  w.view->list.rows().Select(1);
  w.form->lvwSysInfo_DblClick();
  EXPECT_EQ(caption, u"");
}

TEST(LastGuard, AFailingCommandIsShownAndTheWindowStaysOpen) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  w.rig.clipboard.fail_number = 5;
  w.form->Form_KeyDown(frmSysInfo::kKeyC, 0);
  w.rig.shell.fail_number = -2147467259;
  w.form->cmdSystem_Click();
  w.view->list.FailOn("Text", 1, err::kIndexOutOfBounds);
  w.form->lvwSysInfo_DblClick();
  ASSERT_EQ(w.rig.message_box.shown.size(), 3u);
  EXPECT_EQ(w.rig.message_box.shown[0].prompt, u"Beschreibung:Invalid procedure call or argument\r\n\r\nNummer:5");
  EXPECT_EQ(w.rig.message_box.shown[0].title, u"Fehler");
  EXPECT_EQ(w.rig.message_box.shown[0].style, 16);
  EXPECT_EQ(w.rig.message_box.shown[1].prompt,
            u"Beschreibung:Application-defined or object-defined error\r\n\r\nNummer:-2147467259");
  EXPECT_EQ(w.rig.message_box.shown[2].prompt, u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600");
  EXPECT_EQ(w.rig.windows.value_windows, 0);
  EXPECT_TRUE(w.form->IsLoaded());
  EXPECT_FALSE(w.view->form.unloaded());

  // The window still works.
  w.rig.clipboard.fail_number = 0;
  w.form->Form_KeyDown(frmSysInfo::kKeyC, 0);
  EXPECT_EQ(w.rig.clipboard.text, w.Rows()[1].value);
}

}  // namespace
}  // namespace bsi::test
