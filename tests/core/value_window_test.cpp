// SPDX-License-Identifier: MIT
// frmValue on its own: tool tip, copy button, OK, F4, select-all on focus, and the shortened label.
#include <gtest/gtest.h>

#include "core/fixtures.h"

namespace bsi::test {
namespace {

TEST(ValueWindow, ToolTipInTheUiLanguage) {
  for (UiLanguage language : kBothLanguages) {
    WindowRig rig(language);
    frmValue form(rig.value_context());
    form.Form_Load();
    EXPECT_EQ(rig.log.Matching("cmdClipboard"),
              std::vector<std::string>{language == UiLanguage::German
                                           ? "cmdClipboard.ToolTipText=In die Zwischenablage kopieren"
                                           : "cmdClipboard.ToolTipText=Copy to clipboard"});
  }
}

TEST(ValueWindow, CopyButtonCopiesWhatTheBoxHoldsNowAndReportsAFailure) {
  WindowRig rig(UiLanguage::English);
  frmValue form(rig.value_context());
  form.Form_Load();
  form.txtValue().SetText(u"Intel");
  auto& value_box = static_cast<RecordingTextBox&>(form.txtValue());
  value_box.Type(u"Intel, edited");  // what the user typed
  form.cmdClipboard_Click();
  value_box.Type(u"");
  form.cmdClipboard_Click();
  EXPECT_EQ(rig.log.Matching("Clipboard"),
            (std::vector<std::string>{"Clipboard.Clear", "Clipboard.SetText(Intel, edited)", "Clipboard.Clear",
                                      "Clipboard.SetText()"}));
  rig.clipboard.fail_number = 5;
  form.cmdClipboard_Click();
  ASSERT_EQ(rig.message_box.shown.size(), 1u);
  EXPECT_EQ(rig.message_box.shown[0].prompt, u"Description:Invalid procedure call or argument\r\n\r\nNumber:5");
  EXPECT_TRUE(form.IsLoaded());
}

TEST(ValueWindow, OkF4AndTheCloseButtonUnload) {
  WindowRig rig;
  int closed = 0;
  for (const std::function<void(frmValue&)>& close : std::vector<std::function<void(frmValue&)>>{
           [](frmValue& f) { f.cmdOK_Click(); }, [](frmValue& f) { EXPECT_TRUE(f.Form_KeyDown(frmValue::kKeyF4, 1)); },
           [](frmValue& f) { f.CloseBox(); }}) {
    rig.windows.while_value_shown = [&](frmValue& form, FakeValueWindow& view) {
      EXPECT_FALSE(form.Form_KeyDown(114, 0));  // F3: nothing, left to the focused control
      EXPECT_FALSE(form.Form_KeyDown(27, 0));   // Esc: the same
      EXPECT_FALSE(view.form.unloaded());
      close(form);
      EXPECT_TRUE(view.form.unloaded());
      EXPECT_FALSE(form.IsLoaded());
      ++closed;
    };
    frmValue form(rig.value_context());
    form.Form_Load();
    form.Show();
  }
  EXPECT_EQ(closed, 3);
  EXPECT_TRUE(rig.log.Matching("frmValue left open").empty());
}

TEST(ValueWindow, FocusSelectsTheWholeText) {
  WindowRig rig;
  frmValue form(rig.value_context());
  form.Form_Load();
  form.txtLabel().SetText(u"Bildschirmauflösung");
  form.txtValue().SetText(u"");
  rig.log.Clear();
  form.txtLabel_GotFocus();
  form.txtValue_GotFocus();
  EXPECT_EQ(rig.log.entries(), (std::vector<std::string>{"txtLabel.Select(0,19)", "txtValue.Select(0,0)"}));
}

TEST(ValueWindow, LabelLosesItsLastCharacter) {
  EXPECT_EQ(ValueWindowLabel(u"Bildschirmauflösung:"), u"Bildschirmauflösung");
  EXPECT_EQ(ValueWindowLabel(u"C:\\ Local Disk"), u"C:\\ Local Dis");  // whatever the last character is
  EXPECT_EQ(ValueWindowLabel(u"X"), u"");
  EXPECT_EQ(ValueWindowLabel(u""), u"");
  EXPECT_EQ(ValueWindowLabel(u"Disk \U0001F4BE"), u"Disk ");  // a surrogate pair goes whole, never half
}

}  // namespace
}  // namespace bsi::test
