// The hook libraries and the window intake as the running program drives them: started with the
// program, fed by hook notices and the placement timer, stopped first when it ends.
#include <gtest/gtest.h>

#include <memory>

#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"

namespace xal {
namespace {

const char* const kFolder = "C:\\Kelpra\\";

// One set without conditions, so it always matches, with a rule for Notepad windows.
const char* const kSets =
    "<XALSets Version=\"1.00\"><XALSet Name=\"Anywhere\"><Environment/><Target><Apps>"
    "<App Name=\"Editor\" Class=\"Notepad\"><Display Value=\"1\"/><State Value=\"Normal\"/>"
    "<Position Left=\"10\" Top=\"20\" Width=\"400\" Height=\"300\"/></App>"
    "</Apps></Target></XALSet></XALSets>";

class MainWindows : public ::testing::Test {
 protected:
  MainWindows() {
    sim_.system.executablePath = std::string(kFolder) + "KelpraTremvale.exe";
    sim_.system.arguments = {"-m"};
    sim_.files.PutFile(std::string(kFolder) + "Languages\\1033.txt", "XMLComment=tests\r\n");
    sim_.files.PutFile(std::string(kFolder) + "XALData.xml", kSets);
    sim_.monitors.SetAttached({sim::SimMonitor(1, 0, 0, 1920, 1080)});
  }

  TXALWindowHandle OpenNotepad(const std::string& caption) {
    sim::SimWindow window;
    window.ClassName = "Notepad";
    window.Caption = caption;
    return sim_.windows.Add(window);
  }

  TfmXALMain& Start() {
    form_ = std::make_unique<TfmXALMain>(sim_.Platform(), view_);
    form_->FormCreate();
    return *form_;
  }

  sim::SimPlatform sim_;
  sim::SimMainView view_;
  std::unique_ptr<TfmXALMain> form_;
};

TEST_F(MainWindows, NoticesPlaceNewWindowsWhileTheHooksRunFromStartToEnd) {
  const TXALWindowHandle before = OpenNotepad("Old");
  TfmXALMain& form = Start();
  ASSERT_TRUE(form.StartupComplete())
      << (sim_.boxes.Errors().empty() ? "" : sim_.boxes.Errors()[0]);
  EXPECT_TRUE(sim_.hooks.running);
  EXPECT_EQ(view_.currentWindowStore, form.fmXALCurrent());
  const int redraws = view_.matchingSetsChanges;
  EXPECT_GE(redraws, 1) << "the first recheck";
  form.miRecheckClick();
  EXPECT_EQ(view_.matchingSetsChanges, redraws + 1);
  ASSERT_NE(form.WindowIntake(), nullptr);
  EXPECT_EQ(form.WindowIntake()->HandledWindows().IndexOf(before), 0);
  ASSERT_EQ(form.fmXALCurrent()->lbApps().size(), 1u);

  // A window open before the program is listed but left where it is.
  form.HandleHookMessage(TXALHookNotice::Activated, before);
  EXPECT_EQ(sim_.windows.WriteCount(before), 0);

  const TXALWindowHandle opened = OpenNotepad("New");
  form.HandleHookMessage(TXALHookNotice::Activated, opened);
  EXPECT_EQ(sim_.windows.Window(opened).Placement.NormalPosition, (TXALRect{10, 20, 410, 320}));
  EXPECT_EQ(form.fmXALCurrent()->lbApps().front().Text, "New(Notepad)");
  EXPECT_TRUE(sim_.windows.timerEnabled);
  for (int tick = 0; tick < 200 && sim_.windows.timerEnabled; ++tick) {
    form.TimerTimer();
  }
  EXPECT_FALSE(sim_.windows.timerEnabled);
  EXPECT_EQ(form.WindowIntake()->PendingWindows().Count(), 0);

  form.HandleHookMessage(TXALHookNotice::Destroyed, opened);
  EXPECT_EQ(form.fmXALCurrent()->lbApps().size(), 1u);

  // A pending placement keeps the timer running until the form goes; both stop with it.
  form.HandleHookMessage(TXALHookNotice::Activated, OpenNotepad("Third"));
  EXPECT_TRUE(sim_.windows.timerEnabled);
  form_.reset();
  EXPECT_EQ(view_.currentWindowStore, nullptr);
  EXPECT_FALSE(sim_.hooks.running);
  EXPECT_EQ(sim_.hooks.stops, 1);
  EXPECT_FALSE(sim_.windows.timerEnabled);
}

TEST_F(MainWindows, AMissingHookLibraryIsAStartupErrorAndTheRestStaysSafe) {
  sim_.hooks.missingLibrary = "XALCBTH.DLL";
  TfmXALMain& form = Start();
  EXPECT_FALSE(form.StartupComplete());
  ASSERT_EQ(sim_.boxes.Errors().size(), 1u);
  EXPECT_NE(sim_.boxes.Errors()[0].find("XALCBTH.DLL"), std::string::npos);
  EXPECT_TRUE(form.MatchingSets().Count() == 0);

  // Notices and ticks that still arrive do no harm; the timer is turned off.
  const TXALWindowHandle window = OpenNotepad("Doc");
  form.HandleHookMessage(TXALHookNotice::Activated, window);
  form.TimerTimer();
  EXPECT_FALSE(sim_.windows.timerEnabled);
  form_.reset();
  EXPECT_EQ(sim_.hooks.stops, 0);
}

}  // namespace
}  // namespace xal
