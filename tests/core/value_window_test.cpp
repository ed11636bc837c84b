// SPDX-License-Identifier: MIT
// frmValue on its own: tool tip, copy button, OK, F4, select-all on focus, and the shortened label.
#include <gtest/gtest.h>

#include "support/fake_window_views.h"

namespace bsi::test {
namespace {

struct ValueRig {
  explicit ValueRig(UiLanguage language = UiLanguage::German) : strings(language) {}
  ValueWindowContext context() { return ValueWindowContext{windows, clipboard, message_box, strings}; }
  CallLog log;
  Catalogue strings;
  RecordingClipboard clipboard{log};
  RecordingMessageBox message_box{log};
  FakeWindows windows{log};
};

TEST(ValueWindow, ToolTipInTheUiLanguage) {
  for (auto [language, tip] : {std::pair{UiLanguage::German, u"In die Zwischenablage kopieren"},
                               std::pair{UiLanguage::English, u"Copy to clipboard"}}) {
    ValueRig rig(language);
    frmValue form(rig.context());
    form.Form_Load();
    EXPECT_EQ(rig.log.entries(),
              (std::vector<std::string>{"create frmValue window", "cmdClipboard.ToolTipText=" + ToUtf8(tip)}));
  }
}

TEST(ValueWindow, CopyButtonCopiesWhatTheBoxHoldsNow) {
  ValueRig rig;
  frmValue form(rig.context());
  form.Form_Load();
  form.txtLabel().SetText(u"CPU");
  form.txtValue().SetText(u"Intel");
  // The user edits the value box, then presses the copy button.
  auto& value_box = static_cast<RecordingTextBox&>(form.txtValue());
  value_box.Type(u"Intel, edited");
  form.cmdClipboard_Click();
  EXPECT_EQ(rig.clipboard.text, u"Intel, edited");
  value_box.Type(u"");
  form.cmdClipboard_Click();
  EXPECT_EQ(rig.clipboard.text, u"");
  EXPECT_EQ(rig.log.Matching("Clipboard"),
            (std::vector<std::string>{"Clipboard.Clear", "Clipboard.SetText(Intel, edited)", "Clipboard.Clear",
                                      "Clipboard.SetText()"}));
}

TEST(ValueWindow, OkF4AndTheCloseButtonUnload) {
  ValueRig rig;
  int closed = 0;
  auto close_with = [&](auto&& action) {
    rig.windows.while_value_shown = [&](frmValue& form, FakeValueWindow& view) {
      EXPECT_FALSE(form.Form_KeyDown(114, 0));  // F3: nothing, left to the focused control
      EXPECT_FALSE(form.Form_KeyDown(27, 0));   // Esc: the same
      EXPECT_FALSE(view.form.unloaded());
      action(form);
      EXPECT_TRUE(view.form.unloaded());
      EXPECT_FALSE(form.IsLoaded());
      ++closed;
    };
    frmValue form(rig.context());
    form.Form_Load();
    form.Show();
  };
  close_with([](frmValue& f) { f.cmdOK_Click(); });
  close_with([](frmValue& f) { EXPECT_TRUE(f.Form_KeyDown(frmValue::kKeyF4, 1)); });
  close_with([](frmValue& f) { f.CloseBox(); });
  EXPECT_EQ(closed, 3);
  EXPECT_TRUE(rig.log.Matching("frmValue left open").empty());
}

TEST(ValueWindow, FocusSelectsTheWholeText) {
  ValueRig rig;
  frmValue form(rig.context());
  form.Form_Load();
  form.txtLabel().SetText(u"Bildschirmauflösung");
  form.txtValue().SetText(u"");
  rig.log.Clear();
  form.txtLabel_GotFocus();
  form.txtValue_GotFocus();
  EXPECT_EQ(rig.log.entries(), (std::vector<std::string>{"txtLabel.Select(0,19)", "txtValue.Select(0,0)"}));
}

TEST(ValueWindow, AFailingClipboardIsReportedAndTheWindowStays) {
  ValueRig rig(UiLanguage::English);
  frmValue form(rig.context());
  form.Form_Load();
  rig.clipboard.fail_number = 5;
  form.cmdClipboard_Click();
  ASSERT_EQ(rig.message_box.shown.size(), 1u);
  EXPECT_EQ(rig.message_box.shown[0].prompt, u"Description:Invalid procedure call or argument\r\n\r\nNumber:5");
  EXPECT_EQ(rig.message_box.shown[0].title, u"Error");
  EXPECT_TRUE(form.IsLoaded());
}

TEST(ValueWindow, LabelLosesItsLastCharacter) {
  EXPECT_EQ(ValueWindowLabel(u"CPU:"), u"CPU");
  EXPECT_EQ(ValueWindowLabel(u"Bildschirmauflösung:"), u"Bildschirmauflösung");
  EXPECT_EQ(ValueWindowLabel(u"C:\\ Local Disk"), u"C:\\ Local Dis");  // whatever the last character is
  EXPECT_EQ(ValueWindowLabel(u"X"), u"");
  EXPECT_EQ(ValueWindowLabel(u""), u"");
  // A last character outside the basic plane goes whole, never half.
  EXPECT_EQ(ValueWindowLabel(u"Disk \U0001F4BE"), u"Disk ");
}

}  // namespace
}  // namespace bsi::test
