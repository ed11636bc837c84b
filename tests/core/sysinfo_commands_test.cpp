// SPDX-License-Identifier: MIT
// What the user does in the open information window: keys, buttons, the context menu, the clipboard, the value
// window, and the last guard around all of them; frmValue on its own.
#include "core/fixtures.h"

namespace bsi::test {
namespace {

constexpr std::int16_t kShift = 1, kCtrl = 2, kAlt = 4;

// C with any shift state copies exactly the selected value, a spacer's empty one too; with nothing selected or
// an empty list, C, the copy command, a double-click and the right button leave the clipboard alone.
TEST(CopyKeys, CCopiesExactlyTheSelectedValueAndNothingWithoutASelection) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  const std::string cpu = ToUtf8(w.rows()[1].value);
  for (std::int16_t shift : {std::int16_t{0}, kShift, kCtrl, kAlt}) {
    w.log.Clear();
    EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyC, shift));
    EXPECT_EQ(w.log.entries(), (std::vector<std::string>{"Clipboard.Clear", "Clipboard.SetText(" + cpu + ")"}));
  }
  w.view->list.rows().Select(5);
  w.form->mnuCopyValueToClipboard_Click();
  EXPECT_EQ(w.clipboard.text, u"");
  w.clipboard.text = u"earlier content";
  w.view->list.rows().Select(0);
  w.log.Clear();
  w.form->Form_KeyDown(frmSysInfo::kKeyC, 0);
  w.form->mnuCopyValueToClipboard_Click();
  w.form->lvwSysInfo_DblClick();
  w.SetRows({});
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyC, kCtrl)) << "C is the window's key, with or without rows";
  w.form->mnuCopyValueToClipboard_Click();
  w.form->lvwSysInfo_DblClick();
  w.form->lvwSysInfo_MouseDown(frmSysInfo::kRightButton, 0);
  EXPECT_TRUE(w.log.entries().empty());
  EXPECT_EQ(w.clipboard.text, u"earlier content");
}

TEST(Keys, F5RebuildsInPlaceAndF4Closes) {
  OpenWindow w;
  w.Load();
  w.library.Set("ProcessorInfo.Description", u"Second CPU");
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyF5, kShift));
  EXPECT_EQ(w.rows()[1].value, u"Second CPU");
  EXPECT_EQ(w.rows().size(), 40u);
  EXPECT_EQ(w.view->list.rows().columns(), (std::vector<Text>{u"Name", u"Info"}));
  EXPECT_FALSE(w.form->Form_KeyDown(114, 0));  // F3 does nothing and is left to the focused control
  EXPECT_FALSE(w.view->form.unloaded());
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyF4, kAlt));
  EXPECT_TRUE(w.view->form.unloaded());
  EXPECT_FALSE(w.form->IsLoaded());
  // Events that still reach an unloaded window do nothing.
  w.log.Clear();
  w.form->cmdSystem_Click();
  EXPECT_TRUE(w.form->Form_KeyDown(frmSysInfo::kKeyC, 0));
  w.form->tmrMemory_Timer();
  EXPECT_TRUE(w.log.entries().empty());
}

// The system button passes the window's handle, with or without rows; only the right button on a non-empty list
// opens the menu, whatever the shift state; OK closes.
TEST(Buttons, SystemPassesTheWindowHandleMenuOnTheRightButtonAndOkCloses) {
  OpenWindow w;
  w.Load();
  w.form->lvwSysInfo_MouseDown(4, 0);
  w.form->lvwSysInfo_MouseDown(frmSysInfo::kRightButton, kShift);
  w.form->cmdSystem_Click();
  w.SetRows({});
  w.form->cmdSystem_Click();
  w.form->lvwSysInfo_MouseDown(frmSysInfo::kRightButton, 0);
  w.form->cmdOK_Click();
  EXPECT_EQ(w.log.entries(),
            (std::vector<std::string>{"frmSysInfo.PopupMenu(mnuFile,2)", "SHObjectProperties(8192,2,'','')",
                                      "SHObjectProperties(8192,2,'','')", "frmSysInfo.Unload"}));
}

TEST(CopyAll, RowsThenTheGaugeLinesByteForByte) {
  OpenWindow w(UiLanguage::English);
  w.library.Set("MemoryInfo.PhysicalTotal", u"800");
  w.library.Set("MemoryInfo.PhysicalFree", u"336");
  w.Load();
  w.SetRows({{u"A:", u"1"}, {u"B:", u""}});
  w.form->mnuCopyAllToClipboard_Click();
  const Text expected =
      u"A: 1\r\nB: \r\n\r\n"
      u"Physical memory used (464 from 800) = 0%\r\n"
      u"Virtual memory used (268,304,384 from 2147352576) = 0%\r\n"
      u"Swapfile used (4,294,967,296 from 8,589,934,592) = 0%\r\n";
  EXPECT_EQ(w.clipboard.text, expected);
  EXPECT_EQ(w.log.entries(),
            (std::vector<std::string>{"txtTemp.Text=", "txtTemp.Text=" + ToUtf8(expected), "Clipboard.Clear",
                                      "Clipboard.SetText(" + ToUtf8(expected) + ")"}));
  // After a tick the gauge lines carry its percentages; spacer and drive rows keep their shapes.
  w.form->tmrMemory_Timer();
  w.SetRows({{u" ", u""}, {u"C:\\ Local Disk", u""}});
  w.form->mnuCopyAllToClipboard_Click();
  EXPECT_EQ(w.clipboard.text.substr(0, 29), u"  \r\nC:\\ Local Disk \r\n\r\nPhysic");
  EXPECT_NE(w.clipboard.text.find(u"(464 from 800) = 58%\r\n"), Text::npos);
}

TEST(CopyAll, TheClipboardGetsTheWholeTextWhateverTheScratchBoxHolds) {
  OpenWindow w;
  w.Load();
  w.view->temp.max_length = 65535;  // a native box with its length limit
  const Text long_value(70000, u'x');
  w.SetRows({{u"A:", long_value}});
  w.form->mnuCopyAllToClipboard_Click();
  EXPECT_EQ(w.view->temp.text().size(), 65535u);
  ASSERT_GT(w.clipboard.text.size(), 70000u);
  EXPECT_EQ(w.clipboard.text.substr(0, 70003), u"A: " + long_value);
  EXPECT_EQ(w.clipboard.text.substr(w.clipboard.text.size() - 2), u"\r\n");
}

// A fresh value window every time, with the label shortened by its last character; a spacer opens nothing.
TEST(DoubleClick, OpensANewValueWindowWithTheShortenedLabel) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  w.windows.while_value_shown = [&](frmValue& value, FakeValueWindow&) { value.CloseBox(); };
  w.form->lvwSysInfo_DblClick();
  EXPECT_EQ(w.log.entries(), (std::vector<std::string>{
                                 "create frmValue window", "cmdClipboard.ToolTipText=In die Zwischenablage kopieren",
                                 "txtLabel.Text=CPU", "txtValue.Text=" + ToUtf8(w.rows()[1].value),
                                 "frmValue.Caption=CPU", "frmValue.Show(1)", "frmValue.Unload"}));
  w.view->list.rows().Select(5);
  w.form->lvwSysInfo_DblClick();
  w.SetRows({{u"X", u"value"}});
  w.log.Clear();
  w.form->lvwSysInfo_DblClick();
  EXPECT_EQ(w.windows.value_windows, 2);
  EXPECT_EQ(w.Log("frmValue.Caption"), std::vector<std::string>{"frmValue.Caption="});
  EXPECT_EQ(w.Log("txtValue"), std::vector<std::string>{"txtValue.Text=value"});
}

TEST(LastGuard, AFailingCommandIsShownAndTheWindowStaysOpen) {
  OpenWindow w;
  w.Load();
  w.view->list.rows().Select(2);
  w.clipboard.fail_number = 5;
  w.form->Form_KeyDown(frmSysInfo::kKeyC, 0);
  w.shell.fail_number = -2147467259;
  w.form->cmdSystem_Click();
  w.view->list.FailOn("Text", 1, err::kIndexOutOfBounds);
  w.form->lvwSysInfo_DblClick();
  ASSERT_EQ(w.message_box.shown.size(), 3u);
  EXPECT_EQ(w.message_box.shown[0].prompt, u"Beschreibung:Invalid procedure call or argument\r\n\r\nNummer:5");
  EXPECT_EQ(w.message_box.shown[0].title, u"Fehler");
  EXPECT_EQ(w.message_box.shown[1].prompt,
            u"Beschreibung:Application-defined or object-defined error\r\n\r\nNummer:-2147467259");
  EXPECT_EQ(w.message_box.shown[2].prompt, u"Beschreibung:Index out of bounds\r\n\r\nNummer:35600");
  EXPECT_EQ(w.windows.value_windows, 0);
  EXPECT_FALSE(w.view->form.unloaded());
  w.clipboard.fail_number = 0;  // the window still works
  w.form->Form_KeyDown(frmSysInfo::kKeyC, 0);
  EXPECT_EQ(w.clipboard.text, w.rows()[1].value);
}

// The copy button copies what the box holds now (the user may have edited it) and reports a failure itself; the
// tool tip follows the UI language.
TEST(ValueWindow, CopyButtonCopiesWhatTheBoxHoldsNowAndReportsAFailure) {
  WindowRig rig(UiLanguage::English);
  frmValue form(rig.value_context());
  form.Form_Load();
  form.txtValue().SetText(u"Intel");
  auto& value_box = static_cast<RecordingTextBox&>(form.txtValue());
  value_box.Type(u"Intel, edited");
  form.cmdClipboard_Click();
  rig.clipboard.fail_number = 5;
  form.cmdClipboard_Click();
  EXPECT_EQ(rig.log.entries(),
            (std::vector<std::string>{"create frmValue window", "cmdClipboard.ToolTipText=Copy to clipboard",
                                      "txtValue.Text=Intel", "Clipboard.Clear", "Clipboard.SetText(Intel, edited)",
                                      "Clipboard.Clear", "MsgBox(Error)"}));
  EXPECT_EQ(rig.message_box.shown[0].prompt, u"Description:Invalid procedure call or argument\r\n\r\nNumber:5");
  EXPECT_TRUE(form.IsLoaded());
}

// OK, F4 and the close box unload; F3 and Esc are left to the focused control.
TEST(ValueWindow, OkF4AndTheCloseButtonUnload) {
  WindowRig rig;
  for (const std::function<void(frmValue&)>& close : std::vector<std::function<void(frmValue&)>>{
           [](frmValue& f) { f.cmdOK_Click(); }, [](frmValue& f) { EXPECT_TRUE(f.Form_KeyDown(frmValue::kKeyF4, 1)); },
           [](frmValue& f) { f.CloseBox(); }}) {
    rig.windows.while_value_shown = [&](frmValue& form, FakeValueWindow& view) {
      EXPECT_FALSE(form.Form_KeyDown(114, 0));
      EXPECT_FALSE(form.Form_KeyDown(27, 0));
      EXPECT_FALSE(view.form.unloaded());
      close(form);
    };
    frmValue form(rig.value_context());
    form.Form_Load();
    form.Show();
    EXPECT_FALSE(form.IsLoaded());
  }
  EXPECT_EQ(rig.log.Matching("frmValue.Unload").size(), 3u);
  EXPECT_TRUE(rig.log.Matching("frmValue left open").empty());
}

// Focus selects the whole text, counted in UTF-16 units; the label drops its last character, a surrogate pair whole.
TEST(ValueWindow, FocusSelectsTheWholeTextAndTheLabelLosesItsLastCharacter) {
  WindowRig rig;
  frmValue form(rig.value_context());
  form.Form_Load();
  form.txtLabel().SetText(u"Bildschirmauflösung");
  form.txtValue().SetText(u"");
  rig.log.Clear();
  form.txtLabel_GotFocus();
  form.txtValue_GotFocus();
  EXPECT_EQ(rig.log.entries(), (std::vector<std::string>{"txtLabel.Select(0,19)", "txtValue.Select(0,0)"}));
  EXPECT_EQ(ValueWindowLabel(u"C:\\ Local Disk"), u"C:\\ Local Dis");
  EXPECT_EQ(ValueWindowLabel(u""), u"");
  EXPECT_EQ(ValueWindowLabel(u"Disk \U0001F4BE"), u"Disk ");
}

}  // namespace
}  // namespace bsi::test
