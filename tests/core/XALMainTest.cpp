// Start-up, closing and the tray menu, driven through the simulated platform.
#include <gtest/gtest.h>

#include <memory>

#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"

namespace xal {
namespace {

using sim::SimShownBox;

const char* const kProgramFolder = "C:\\Program Files\\Kelpra Tremvale\\";
const char* const kAppDataFolder = "C:\\Users\\user\\AppData\\Roaming\\Corvanth\\KelpraXAL\\";

const char* const kLanguage =
    "; test texts\r\n"
    "fmXALMainCaption=Kelpra Tremvale\r\n"
    "fmXALMain_miRestoreCaption=&Restore\r\n"
    "fmXALMain_miRecheckCaption=Re&check\r\n"
    "fmXALMain_miSetIPAddressesCaption=Set &IP addresses\r\n"
    "fmXALMain_miQuitCaption=&Quit\r\n"
    "fmXALMain_OverwriteXALSetsMsg=Save the sets?\r\n"
    "XMLComment=Written by the tests\r\n";

const char* const kTwoSets =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<XALSets Version=\"1.00\">\r\n"
    "  <XALSet Name=\"Office\"><Environment/><Target/></XALSet>\r\n"
    "  <XALSet Name=\"Home\"><Environment/><Target/></XALSet>\r\n"
    "</XALSets>\r\n";

class MainStartup : public ::testing::Test {
 protected:
  MainStartup() {
    sim_.files.PutFile(std::string(kProgramFolder) + "KelpraTremvale.exe", "MZ");
    sim_.files.PutFile(std::string(kProgramFolder) + "Languages\\1033.txt", kLanguage);
  }

  TfmXALMain& Start(std::vector<std::string> arguments = {}) {
    sim_.system.arguments = std::move(arguments);
    form_ = std::make_unique<TfmXALMain>(sim_.Platform(), view_);
    form_->FormCreate();
    return *form_;
  }

  std::string AppDataFile(const char* name) const { return std::string(kAppDataFolder) + name; }

  sim::SimPlatform sim_;
  sim::SimMainView view_;
  std::unique_ptr<TfmXALMain> form_;
};

TEST_F(MainStartup, FirstStartCreatesBothFilesAndOneDefaultSet) {
  TfmXALMain& form = Start();

  EXPECT_TRUE(form.StartupComplete());
  EXPECT_TRUE(sim_.boxes.Shown().empty());
  EXPECT_EQ(form.ProgramFolder(), kProgramFolder);
  EXPECT_EQ(form.DataFolder(), kAppDataFolder);
  EXPECT_EQ(form.FileDialogFolder(), kAppDataFolder);
  EXPECT_TRUE(sim_.files.FolderExists(kAppDataFolder));

  const auto data = sim_.files.FileBytes(AppDataFile("XALData.xml"));
  const auto settings = sim_.files.FileBytes(AppDataFile("XALSetting.xml"));
  ASSERT_TRUE(data && settings);
  EXPECT_NE(data->find("<!--Written by the tests-->"), std::string::npos) << *data;
  EXPECT_NE(data->find("<XALSet Name=\"Default\">"), std::string::npos) << *data;
  EXPECT_NE(settings->find("<Class Name=\"CabinetWClass\"/>"), std::string::npos) << *settings;

  ASSERT_NE(form.WorkingSets(), nullptr);
  ASSERT_EQ(form.WorkingSets()->Count(), 1);
  EXPECT_EQ(form.WorkingSets()->Items(0).Name, "Default");
  EXPECT_TRUE(form.WorkingSets()->Equals(*form.SavedSets()));
  EXPECT_FALSE(form.ManageInvisibleWindows());

  // Closing right away asks nothing: the two catalogues are equal.
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_TRUE(sim_.boxes.Shown().empty());
}

TEST_F(MainStartup, CaptionsComeFromTheLanguageFile) {
  Start();
  EXPECT_EQ(view_.caption, "Kelpra Tremvale");
  EXPECT_EQ(view_.trayCaptions[TXALTrayItem::Restore], "&Restore");
  EXPECT_EQ(view_.trayCaptions[TXALTrayItem::Quit], "&Quit");
  EXPECT_EQ(view_.trayCaptions[TXALTrayItem::SetIPAddresses], "Set &IP addresses");
}

TEST_F(MainStartup, ProgramFolderSwitchKeepsEverythingBesideTheProgram) {
  TfmXALMain& form = Start({"-M"});
  EXPECT_EQ(form.DataFolder(), kProgramFolder);
  EXPECT_TRUE(sim_.files.FileExists(std::string(kProgramFolder) + "XALData.xml"));
  EXPECT_TRUE(sim_.files.FileExists(std::string(kProgramFolder) + "XALSetting.xml"));
  EXPECT_FALSE(sim_.files.FolderExists("C:\\Users\\user\\AppData\\Roaming\\Corvanth"));
}

TEST_F(MainStartup, SecondStartLoadsTheFilesAndWritesNothing) {
  sim_.files.PutFile(AppDataFile("XALData.xml"), kTwoSets);
  sim_.files.PutFile(AppDataFile("XALSetting.xml"),
                     "<XALSetting><Options><ManageInvisibleWindows/></Options></XALSetting>");
  TfmXALMain& form = Start();

  EXPECT_TRUE(form.StartupComplete());
  EXPECT_EQ(sim_.files.WriteCount(), 0);
  ASSERT_EQ(form.WorkingSets()->Count(), 2);
  EXPECT_EQ(form.WorkingSets()->Items(1).Name, "Home");
  EXPECT_TRUE(form.ManageInvisibleWindows());
  EXPECT_EQ(form.Settings()->WhiteList.Count(), 0) << "defaults are not merged into a file";
}

TEST_F(MainStartup, JapaneseLocaleReadsItsOwnLanguageFile) {
  sim_.system.localeId = 1041;
  sim_.files.PutFile(std::string(kProgramFolder) + "Languages\\1041.txt",
                     "fmXALMainCaption=\xE3\x82\xB1\xE3\x83\xAB\xE3\x83\x97\xE3\x83\xA9\r\n");
  Start();
  EXPECT_EQ(view_.caption, "\xE3\x82\xB1\xE3\x83\xAB\xE3\x83\x97\xE3\x83\xA9");
}

TEST_F(MainStartup, ShowSwitchShowsTheWindowAndMinimisingHidesIt) {
  TfmXALMain& form = Start({"-v"});
  EXPECT_TRUE(view_.visible);
  form.ApplicationMinimize();
  EXPECT_FALSE(view_.visible);
  form.TrayIconDblClick();
  EXPECT_TRUE(view_.visible);
  form.ApplicationMinimize();
  form.miRestoreClick();
  EXPECT_TRUE(view_.visible);
  EXPECT_EQ(view_.broughtToFront, 3);
}

TEST_F(MainStartup, WithoutShowSwitchOnlyTheIconShows) {
  Start();
  EXPECT_FALSE(view_.visible);
  EXPECT_TRUE(view_.trayIconVisible);
}

TEST_F(MainStartup, TrayMenuHidesSetIPAddressesWhileNothingIsPending) {
  TfmXALMain& form = Start();
  form.pmTaskTrayPopup();
  EXPECT_FALSE(view_.trayVisible[TXALTrayItem::SetIPAddresses]);
  // Recheck is offered and usable in every state.
  for (const TXALTrayItem item :
       {TXALTrayItem::Restore, TXALTrayItem::Recheck, TXALTrayItem::Quit}) {
    EXPECT_TRUE(view_.trayVisible[item]);
    EXPECT_TRUE(view_.trayEnabled[item]);
  }
}

TEST_F(MainStartup, FillsTheCurrentEnvironmentAndFollowsDisplayChanges) {
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                             {sim::SimAdapter("{A1}", "[00000001] LAN", {"10.0.0.5"})});
  sim_.management.SetObjects("Win32_Printer", {sim::SimPrinter("Office Laser")});
  sim_.monitors.SetAttached({sim::SimMonitor(1, 0, 0, 1920, 1080)});
  sim_.wireless.AddNetwork("Office", true);

  TfmXALMain& form = Start();
  ASSERT_TRUE(form.StartupComplete());
  const TfmXALCurrent& current = *form.fmXALCurrent();
  EXPECT_EQ(current.lbIPAddresses(), std::vector<std::string>{"10.0.0.5(LAN,{A1})"});
  EXPECT_EQ(current.lbWiFi(), std::vector<std::string>{"Office"});
  EXPECT_EQ(current.lbPrinters(), std::vector<std::string>{"Office Laser"});
  ASSERT_EQ(current.lbDisplays().size(), 1u);
  EXPECT_EQ(current.lbDisplaysCount(), "1");

  sim_.monitors.SetAttached(
      {sim::SimMonitor(1, 0, 0, 1920, 1080), sim::SimMonitor(2, -1280, 0, 1280, 1024, "Left")});
  form.WMDisplayChange();
  ASSERT_EQ(current.lbDisplays().size(), 2u);
  EXPECT_EQ(current.lbDisplays()[1].Text, "2:Left(-1280,0,1280,1024)");
}

TEST_F(MainStartup, AnUnreachableManagementServiceIsAStartupError) {
  sim_.management.SetUnreachable(true);
  TfmXALMain& form = Start();
  EXPECT_FALSE(form.StartupComplete());
  ASSERT_EQ(sim_.boxes.Errors().size(), 1u);
  // The catalogue was loaded whole before the probes ran, so closing still works as usual.
  ASSERT_NE(form.WorkingSets(), nullptr);
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_EQ(view_.trayCaptions[TXALTrayItem::Quit], "&Quit");
}

class MainClosing : public MainStartup {
 protected:
  void SetUp() override {
    Start();
    original_ = *sim_.files.FileBytes(AppDataFile("XALData.xml"));
    form_->WorkingSets()->Items(0).Name = "Edited";
  }
  std::string DataFile() const { return *sim_.files.FileBytes(AppDataFile("XALData.xml")); }

  std::string original_;
};

TEST_F(MainClosing, CancelKeepsTheProgramRunning) {
  sim_.boxes.QueueAnswer(TXALAnswer::Cancel);
  EXPECT_FALSE(form_->FormCloseQuery());
  ASSERT_EQ(sim_.boxes.Shown().size(), 1u);
  EXPECT_EQ(sim_.boxes.Shown()[0].kind, SimShownBox::Kind::YesNoCancel);
  EXPECT_EQ(sim_.boxes.Shown()[0].text, "Save the sets?");
  EXPECT_EQ(DataFile(), original_);
}

TEST_F(MainClosing, NoEndsWithoutSaving) {
  sim_.boxes.QueueAnswer(TXALAnswer::No);
  EXPECT_TRUE(form_->FormCloseQuery());
  EXPECT_EQ(DataFile(), original_);
}

TEST_F(MainClosing, YesSavesThenEnds) {
  sim_.boxes.QueueAnswer(TXALAnswer::Yes);
  EXPECT_TRUE(form_->FormCloseQuery());
  EXPECT_NE(DataFile().find("Name=\"Edited\""), std::string::npos);
  EXPECT_TRUE(form_->WorkingSets()->Equals(*form_->SavedSets()));
}

TEST_F(MainClosing, YesWithAFailingWriteShowsTheErrorAndStaysOpen) {
  sim_.boxes.QueueAnswer(TXALAnswer::Yes);
  sim_.files.FailNextWriteAfter(10);
  EXPECT_FALSE(form_->FormCloseQuery());
  ASSERT_EQ(sim_.boxes.Errors().size(), 1u);
  EXPECT_NE(sim_.boxes.Errors()[0].find("XALData.xml"), std::string::npos);
  EXPECT_EQ(DataFile(), original_);
  EXPECT_FALSE(form_->WorkingSets()->Equals(*form_->SavedSets()));
}

TEST_F(MainClosing, QuitEndsWithoutAskingAndLosesTheEdit) {
  form_->miQuitClick();
  EXPECT_FALSE(view_.trayIconVisible);
  EXPECT_TRUE(view_.loopEnded);
  EXPECT_TRUE(sim_.boxes.Shown().empty());
  form_.reset();  // destruction writes nothing
  EXPECT_EQ(DataFile(), original_);
}

TEST_F(MainStartup, ErrorsInHandlersAreShownAndTheProgramGoesOn) {
  TfmXALMain& form = Start();
  form.HandleEvent([] { throw std::runtime_error("boom"); });
  EXPECT_EQ(sim_.boxes.Errors(), std::vector<std::string>{"boom"});
  bool ran = false;
  form.HandleEvent([&] { ran = true; });
  EXPECT_TRUE(ran);
}

// A start-up step that fails: the error is shown, later steps don't run, the user's files are
// left exactly as they were, and the program stays usable enough to be ended.
struct StartupFailure {
  const char* name;
  std::function<void(sim::SimPlatform&)> arrange;
  const char* messagePart;
  bool settingsMade;
};

void PrintTo(const StartupFailure& failure, std::ostream* out) {
  *out << failure.name;
}

class MainStartupFailure : public MainStartup,
                           public ::testing::WithParamInterface<StartupFailure> {};

TEST_P(MainStartupFailure, ShowsTheErrorAndLeavesFilesAlone) {
  GetParam().arrange(sim_);
  const auto dataBefore = sim_.files.FileBytes(AppDataFile("XALData.xml"));
  const auto settingsBefore = sim_.files.FileBytes(AppDataFile("XALSetting.xml"));

  TfmXALMain& form = Start({"-v"});

  EXPECT_FALSE(form.StartupComplete());
  ASSERT_EQ(sim_.boxes.Errors().size(), 1u);
  EXPECT_NE(sim_.boxes.Errors()[0].find(GetParam().messagePart), std::string::npos)
      << sim_.boxes.Errors()[0];
  EXPECT_EQ(sim_.files.FileBytes(AppDataFile("XALData.xml")), dataBefore);
  if (settingsBefore) {
    EXPECT_EQ(sim_.files.FileBytes(AppDataFile("XALSetting.xml")), settingsBefore);
  }
  EXPECT_EQ(form.WorkingSets(), nullptr);
  EXPECT_EQ(form.SavedSets(), nullptr);
  EXPECT_EQ(form.Settings() != nullptr, GetParam().settingsMade);
  EXPECT_TRUE(view_.visible) << "-v still shows the window";

  // Closing asks nothing and writes nothing; quitting works.
  sim_.boxes.ClearShown();
  EXPECT_TRUE(form.FormCloseQuery());
  EXPECT_TRUE(sim_.boxes.Shown().empty());
  form.pmTaskTrayPopup();
  form.miQuitClick();
  EXPECT_TRUE(view_.loopEnded);
  form_.reset();
  EXPECT_EQ(sim_.files.FileBytes(AppDataFile("XALData.xml")), dataBefore);
}

const char* const kRoaming = "C:\\Users\\user\\AppData\\Roaming\\Corvanth\\KelpraXAL\\";

INSTANTIATE_TEST_SUITE_P(
    Steps, MainStartupFailure,
    ::testing::Values(
        StartupFailure{"MalformedDataFile",
                       [](sim::SimPlatform& s) {
                         s.files.PutFile(std::string(kRoaming) + "XALData.xml",
                                         "<XALSets><XALSet Name=\"A\"></XALSets>");
                       },
                       "XALData.xml", true},
        StartupFailure{"DataFileWithBadValueAfterAGoodSet",
                       [](sim::SimPlatform& s) {
                         s.files.PutFile(std::string(kRoaming) + "XALData.xml",
                                         "<XALSets><XALSet Name=\"A\"/><XALSet/></XALSets>");
                       },
                       "Name", true},
        StartupFailure{"MalformedSettingsFile",
                       [](sim::SimPlatform& s) {
                         s.files.PutFile(std::string(kRoaming) + "XALSetting.xml", "<XALSetting>");
                         s.files.PutFile(std::string(kRoaming) + "XALData.xml", kTwoSets);
                       },
                       "XALSetting.xml", false},
        StartupFailure{"UnreadableDataFile",
                       [](sim::SimPlatform& s) {
                         s.files.PutFile(std::string(kRoaming) + "XALData.xml", kTwoSets);
                         s.files.DenyRead(std::string(kRoaming) + "XALData.xml");
                       },
                       "XALData.xml", true},
        StartupFailure{"MissingLanguageFile",
                       [](sim::SimPlatform& s) {
                         s.files.RemoveFile(
                             "C:\\Program Files\\Kelpra Tremvale\\Languages\\1033.txt");
                       },
                       "1033.txt", false},
        StartupFailure{"NoApplicationDataFolder",
                       [](sim::SimPlatform& s) { s.system.roamingAppData.clear(); },
                       "application data folder", false},
        StartupFailure{"DataFolderCannotBeCreated",
                       [](sim::SimPlatform& s) {
                         s.files.DenyCreateFolders("C:\\Users\\user\\AppData\\Roaming\\Corvanth");
                       },
                       "XALSetting.xml", false}),
    [](const ::testing::TestParamInfo<StartupFailure>& failure) { return failure.param.name; });

}  // namespace
}  // namespace xal
