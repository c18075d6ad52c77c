// The startup dialog: the entry's fields, the choosers that fill the file path, the test start,
// and the rule that an entry with neither name nor file path is none.
#include <string>

#include "DialogFixture.h"
#include "catalogue/XALStartups.h"
#include "ui/XALConfigStartup.h"

namespace xal {
namespace {

using StartupDialog = DialogFixture;
using sim::SimShellCall;

TEST_F(StartupDialog, EditsTheEntrysFiveValuesAndShowsNoTooltips) {
  TXALComponent owner;
  TXALStartup startup(&owner);
  startup.Name = "Mail";
  startup.FilePath = "C:\\Apps\\mail.exe";
  startup.Param = "/quiet";
  startup.WorkDir = "C:\\Apps";
  startup.OnlyNew = true;
  TfmXALConfigStartup dialog(context);
  dialog.SetStartup(startup);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigStartupCaption"));
  EXPECT_EQ(dialog.Control("cbOnlyNew").Text, Text("fmXALConfigStartup_cbOnlyNewCaption"));
  for (const TXALControl& control : dialog.Controls()) {
    EXPECT_EQ(control.Tip, TXALTip::None) << control.Name;
  }

  dialog.Type("edParam", "");
  dialog.Click("cbOnlyNew");
  dialog.PressEnter("edName");
  ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
  TXALStartup result(&owner);
  dialog.GetStartup(result);
  EXPECT_EQ(result.Name, "Mail");
  EXPECT_EQ(result.FilePath, "C:\\Apps\\mail.exe");
  EXPECT_EQ(result.Param, "");
  EXPECT_EQ(result.WorkDir, "C:\\Apps");
  EXPECT_FALSE(result.OnlyNew);
}

TEST_F(StartupDialog, TheChoosersReplaceTheFilePathUnlessCancelled) {
  TfmXALConfigStartup dialog(context);
  dialog.Show();
  dialog.Type("edFilePath", "typed");
  fileDialogs.answers = {std::string("C:\\Tools\\run.cmd"), std::nullopt,
                         std::string("D:\\New folder")};
  dialog.Click("btFile");
  EXPECT_EQ(dialog.Control("edFilePath").Text, "C:\\Tools\\run.cmd");
  ASSERT_EQ(fileDialogs.asked.size(), 1u);
  EXPECT_TRUE(fileDialogs.asked[0].Filters.empty());
  EXPECT_EQ(fileDialogs.asked[0].InitialFolder, "");

  dialog.Click("btFolder");
  EXPECT_EQ(dialog.Control("edFilePath").Text, "C:\\Tools\\run.cmd") << "cancelled";
  dialog.Click("btFolder");
  EXPECT_EQ(dialog.Control("edFilePath").Text, "D:\\New folder");
  EXPECT_EQ(fileDialogs.folderTitles.size(), 2u);
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

TEST_F(StartupDialog, ExecuteStartsWhatTheFieldsSayNowAndStaysOpen) {
  TfmXALConfigStartup dialog(context);
  dialog.Show();
  dialog.Type("edFilePath", "notepad.exe");
  dialog.Type("edParam", "readme.txt");
  dialog.Type("edWorkDir", "C:\\Docs");
  dialog.Click("btExecute");
  dialog.Type("edFilePath", "TaskBarAutoHide");
  dialog.Click("btExecute");

  ASSERT_EQ(sim.shell.calls.size(), 2u);
  const SimShellCall& open = sim.shell.calls[0];
  EXPECT_EQ(open.kind, SimShellCall::Kind::Execute);
  EXPECT_EQ(open.verb, "open");
  EXPECT_EQ(open.file, "notepad.exe");
  EXPECT_EQ(open.parameters, "readme.txt");
  EXPECT_EQ(open.folder, "C:\\Docs");
  EXPECT_EQ(open.show, kShowDefault);
  EXPECT_EQ(sim.shell.calls[1].kind, SimShellCall::Kind::TaskBarState);
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

TEST_F(StartupDialog, AnEntryNeedsANameOrAFilePath) {
  const struct {
    const char* name;
    const char* filePath;
    bool nothing;
  } cases[] = {
      {"", "", true},
      {"Mail", "", false},
      {"", "mail.exe", false},
      {" ", "", false},  // typed text counts as typed
  };
  for (const auto& c : cases) {
    TfmXALConfigStartup dialog(context);
    dialog.Show();
    dialog.Type("edName", c.name);
    dialog.Type("edFilePath", c.filePath);
    dialog.Click("btOK");
    EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
    EXPECT_EQ(dialog.DescribesNothing(), c.nothing) << c.name << "|" << c.filePath;
  }
}

TEST_F(StartupDialog, RefusesTextTheDataFileCantHold) {
  TfmXALConfigStartup dialog(context);
  dialog.Show();
  dialog.Type("edWorkDir", std::string("C:\\\x1F", 4));
  dialog.Click("btOK");
  EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+001F)");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

}  // namespace
}  // namespace xal
