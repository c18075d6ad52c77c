#include <string>
#include <vector>

#include "DialogFixture.h"
#include "catalogue/XALSetting.h"
#include "ui/XALConfigList.h"
#include "ui/XALConfigSettings.h"

namespace xal {
namespace {

using Lines = std::vector<std::string>;

Lines LinesOf(const TXALStringList& list) {
  return Lines(list.begin(), list.end());
}

class SettingsDialog : public DialogFixture {
 protected:
  SettingsDialog() { inForce.LoadDefaults(); }

  // The program settings the main window would hand in.
  TXALComponent owner;
  TXALSetting inForce{&owner};
};

// A list editor script: types a class, adds it, and closes with the given button.
sim::SimDialogHost::Script AddClass(std::string windowClass, std::vector<std::string>* title,
                                    bool confirm) {
  return [windowClass, title, confirm](TXALDialog& editor) {
    title->push_back(editor.Title());
    editor.Type("edName", windowClass);
    editor.Click("btAdd");
    editor.Click(confirm ? "btOK" : "btCancel");
  };
}

TEST_F(SettingsDialog, EditsAWorkingCopyAndLeavesTheSettingsInForceAlone) {
  TfmXALConfigSettings dialog(context);
  dialog.SetSetting(inForce);
  EXPECT_FALSE(dialog.Control("cbManageInvisibleWindows").Checked);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigSettingsCaption"));
  EXPECT_EQ(dialog.Control("btEditWhiteList").Text,
            Text("fmXALConfigSettings_btEditWhiteListCaption"));
  EXPECT_EQ(dialog.Control("cbManageInvisibleWindows").Text,
            Text("fmXALConfigSettings_cbManageInvisibleWindowsCaption"));

  std::vector<std::string> titles;
  host.scripts.push_back(AddClass("Notepad", &titles, true));
  host.scripts.push_back(AddClass("Progman", &titles, true));
  dialog.Click("btEditWhiteList");
  dialog.Click("btEditBlackList");
  dialog.Click("cbManageInvisibleWindows");
  EXPECT_EQ(host.shown, (Lines{"fmXALConfigList", "fmXALConfigList"}));
  // Titled with the buttons' captions, without their access keys.
  EXPECT_EQ(titles,
            (Lines{CaptionWithoutAccessKey(Text("fmXALConfigSettings_btEditWhiteListCaption")),
                   CaptionWithoutAccessKey(Text("fmXALConfigSettings_btEditBlackListCaption"))}));
  EXPECT_EQ(titles[0], "Always include these window classes");

  const TXALSetting& working = dialog.Setting();
  EXPECT_EQ(working.WhiteList.Count(), inForce.WhiteList.Count() + 1);
  EXPECT_EQ(working.WhiteList.Items(working.WhiteList.Count() - 1), "Notepad");
  EXPECT_EQ(working.BlackList.Items(working.BlackList.Count() - 1), "Progman");
  EXPECT_TRUE(working.ManageInvisibleWindows);

  TXALSetting untouched(&owner);
  untouched.LoadDefaults();
  dialog.PressEscape();
  EXPECT_EQ(dialog.Result(), TXALModalResult::Cancel);
  EXPECT_TRUE(inForce.Equals(untouched)) << "only the working copy was edited";
}

TEST_F(SettingsDialog, ACancelledListEditorLeavesTheWorkingList) {
  TfmXALConfigSettings dialog(context);
  dialog.SetSetting(inForce);
  dialog.Show();
  std::vector<std::string> titles;
  host.scripts.push_back(AddClass("Notepad", &titles, false));
  dialog.Click("btEditBlackList");
  EXPECT_EQ(LinesOf(dialog.Setting().BlackList), LinesOf(inForce.BlackList));
}

TEST_F(SettingsDialog, TheInvisibleWindowsSwitchFollowsEachClick) {
  inForce.ManageInvisibleWindows = true;
  TfmXALConfigSettings dialog(context);
  dialog.SetSetting(inForce);
  EXPECT_TRUE(dialog.Control("cbManageInvisibleWindows").Checked);
  dialog.Show();
  dialog.Click("cbManageInvisibleWindows");
  EXPECT_FALSE(dialog.Setting().ManageInvisibleWindows);
  dialog.Click("cbManageInvisibleWindows");
  EXPECT_TRUE(dialog.Setting().ManageInvisibleWindows);
  dialog.PressEnter("cbManageInvisibleWindows");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
}

TEST_F(SettingsDialog, TheStartupButtonShowsAndChangesTheRegistration) {
  for (const bool registered : {false, true}) {
    logOnShortcut.registered = registered;
    TfmXALConfigSettings dialog(context);
    dialog.SetSetting(inForce);
    dialog.Show();
    const std::string registerCaption = Text("fmXALConfigSettings_btRegToStartupCaption");
    const std::string unregisterCaption = Text("fmXALConfigSettings_btUnregFromStartupCaption");
    EXPECT_EQ(dialog.Control("btRegToStartup").Text,
              registered ? unregisterCaption : registerCaption);

    dialog.Click("btRegToStartup");
    EXPECT_EQ(logOnShortcut.registered, !registered);
    EXPECT_EQ(dialog.Control("btRegToStartup").Text,
              registered ? registerCaption : unregisterCaption);
    EXPECT_FALSE(dialog.HasMessage());
    EXPECT_EQ(dialog.Result(), TXALModalResult::None);
  }
}

TEST_F(SettingsDialog, AFailedRegistrationChangeIsShownWithItsReason) {
  for (const bool registered : {false, true}) {
    logOnShortcut.registered = registered;
    logOnShortcut.failure = "Access is denied.";
    TfmXALConfigSettings dialog(context);
    dialog.SetSetting(inForce);
    dialog.Show();
    const std::string caption = dialog.Control("btRegToStartup").Text;
    dialog.Click("btRegToStartup");
    const char* key = registered ? "fmXALConfigSettings_UnregFromStartupFailedMsg"
                                 : "fmXALConfigSettings_RegToStartupFailedMsg";
    EXPECT_EQ(dialog.TakeMessage(), Text(key) + "Access is denied.");
    EXPECT_EQ(dialog.Control("btRegToStartup").Text, caption) << "nothing changed";
  }
}

}  // namespace
}  // namespace xal
