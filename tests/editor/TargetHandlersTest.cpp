// The editor's target side: the three grids with their placeholder row, the proxy, script and
// default printer labels, starting programs and moving windows, all through scripted dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/EditorFixture_target.h"

namespace xal {
namespace {

using Strings = std::vector<std::string>;

class TargetHandlers : public TargetEditorFixture {};

TEST_F(TargetHandlers, IPSettingsUseThePlaceholderRowAndKeepAnEmptyGridAtOneRow) {
  Queue(TypeAndOK({{"edAdapter", "LAN"},
                   {"edAddress", "192.168.1.5"},
                   {"edSubnetMask", "255.255.255.0"},
                   {"edGateway", "192.168.1.1"},
                   {"edDNS1", "192.168.1.2"},
                   {"edDNS2", "8.8.8.8"}}));
  Editor().Click("btTargetIPAddressesAdd");

  const TXALTargetIPSettings& settings = Set().Target.Network.IPSettings;
  ASSERT_EQ(settings.Count(), 1);
  EXPECT_EQ(settings.Items(0).Gateway, "192.168.1.1");
  EXPECT_EQ(settings.Items(0).DNS2, "8.8.8.8");
  const TXALControl& grid = Grid("sgTargetIPAddresses");
  ASSERT_EQ(grid.Cells.size(), 1u) << "written into the placeholder";
  EXPECT_EQ(grid.Cells[0], (Strings{"192.168.1.5", "LAN", "255.255.255.0", "192.168.1.1",
                                    "192.168.1.2", "8.8.8.8"}));
  EXPECT_EQ(grid.ItemData[0], Address(&settings.Items(0)));

  Editor().Click("btTargetIPAddressesDelete");
  EXPECT_EQ(settings.Count(), 0);
  ASSERT_EQ(grid.Cells.size(), 1u);
  EXPECT_EQ(grid.ItemData[0], 0u);
  EXPECT_EQ(grid.Cells[0], Strings(6));

  // On the placeholder, edit and delete do nothing and open nothing.
  const std::size_t shown = DialogsShown();
  Editor().Click("btTargetIPAddressesEdit");
  Editor().Click("btTargetIPAddressesDelete");
  EXPECT_EQ(DialogsShown(), shown);

  Queue(TypeAndOK({{"edAdapter", "WLAN"}, {"edAddress", "DHCP"}}));
  Editor().Click("btTargetIPAddressesAdd");
  ASSERT_EQ(grid.Cells.size(), 1u) << "the placeholder again, not a second row";
  EXPECT_EQ(grid.Cells[0][1], "WLAN");
  EXPECT_EQ(grid.ItemIndex, 0);
}

TEST_F(TargetHandlers, DeletingTheSecondOfFourIPSettingsMovesTheRowsBelowUp) {
  for (const char* address : {"10.0.0.1", "10.0.0.2", "10.0.0.3", "10.0.0.4"}) {
    AddIPSetting(address);
  }
  Editor().ShowSet();
  Editor().Select("sgTargetIPAddresses", 1);
  Editor().Click("btTargetIPAddressesDelete");

  const TXALTargetIPSettings& settings = Set().Target.Network.IPSettings;
  ASSERT_EQ(settings.Count(), 3);
  EXPECT_EQ(Column("sgTargetIPAddresses", 0), (Strings{"10.0.0.1", "10.0.0.3", "10.0.0.4"}));
  const TXALControl& grid = Grid("sgTargetIPAddresses");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(grid.ItemData[static_cast<std::size_t>(i)], Address(&settings.Items(i))) << i;
    EXPECT_EQ(grid.Cells[static_cast<std::size_t>(i)][0], settings.Items(i).Address) << i;
  }
  EXPECT_EQ(grid.ItemIndex, 1) << "the same index";

  // Deleting the last row puts the selection on the new last row.
  Editor().Select("sgTargetIPAddresses", 2);
  Editor().Click("btTargetIPAddressesDelete");
  EXPECT_EQ(grid.ItemIndex, 1);
  EXPECT_EQ(Column("sgTargetIPAddresses", 0), (Strings{"10.0.0.1", "10.0.0.3"}));
}

TEST_F(TargetHandlers, EditingAnIPSettingPresetsTheDialogAndRewritesOnlyOnOK) {
  AddIPSetting("10.0.0.1");
  TXALTargetIPSetting& second = AddIPSetting("10.0.0.2");
  Editor().ShowSet();
  Editor().Select("sgTargetIPAddresses", 1);

  std::string preset;
  Queue([&preset](TXALDialog& dialog) {
    preset = dialog.Control("edAddress").Text;
    dialog.Type("edAddress", "10.0.0.99");
    dialog.PressEscape();
  });
  Editor().DoubleClick("sgTargetIPAddresses", 1);
  EXPECT_EQ(preset, "10.0.0.2");
  EXPECT_EQ(second.Address, "10.0.0.2") << "cancel changes nothing";

  Queue(TypeAndOK({{"edAddress", "10.0.0.99"}, {"edDNS1", "10.0.0.53"}}));
  Editor().Click("btTargetIPAddressesEdit");
  EXPECT_EQ(second.Address, "10.0.0.99");
  EXPECT_EQ(second.DNS1, "10.0.0.53");
  EXPECT_EQ(Column("sgTargetIPAddresses", 0), (Strings{"10.0.0.1", "10.0.0.99"}));
  EXPECT_EQ(Grid("sgTargetIPAddresses").ItemData[1], Address(&second));
}

TEST_F(TargetHandlers, ProxyAndScriptMapTheirThreeChoices) {
  struct Case {
    const char* button;
    const char* stored;
    const char* presetRadio;
    // Radio to pick, then field and text to type; empty picks nothing.
    const char* pick;
    const char* field;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {"btTargetProxyEdit", "", "rbNoSetting", "rbEnableProxy", "edAddress", "proxy.lan",
       "proxy.lan:8080"},
      {"btTargetProxyEdit", "OFF", "rbDisableProxy", "", "", "", "off"},
      {"btTargetProxyEdit", "host:3128", "rbEnableProxy", "", "edPort", "", "host:8080"},
      {"btTargetProxyEdit", "host:3128", "rbEnableProxy", "", "", "", "host:3128"},
      {"btTargetProxyEdit", "host:3128", "rbEnableProxy", "rbNoSetting", "", "", ""},
      {"btTargetProxyEdit", "", "rbNoSetting", "rbDisableProxy", "", "", "off"},
      {"btTargetAutoConfigURLEdit", "", "rbNoSetting", "rbEnableAutoConfigURL", "edURL",
       "http://wpad/proxy.pac", "http://wpad/proxy.pac"},
      {"btTargetAutoConfigURLEdit", "Off", "rbDisableAutoConfigURL", "", "", "", "off"},
      {"btTargetAutoConfigURLEdit", "http://a/b.pac", "rbEnableAutoConfigURL", "rbNoSetting", "",
       "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " from '" + c.stored + "'");
    const bool proxy = std::string(c.button) == "btTargetProxyEdit";
    std::string& value = proxy ? Set().Target.Network.Proxy : Set().Target.Network.AutoConfigURL;
    const char* label = proxy ? "lbTargetProxy" : "lbTargetAutoConfigURL";
    value = c.stored;
    const int rechecks = view_.matchingSetsChanges;
    bool presetChecked = false;
    std::string presetPort;
    Queue([&](TXALDialog& dialog) {
      presetChecked = dialog.Control(c.presetRadio).Checked;
      if (proxy) {
        presetPort = dialog.Control("edPort").Text;
      }
      if (*c.pick != '\0') {
        dialog.Click(c.pick);
      }
      if (*c.field != '\0') {
        dialog.Type(c.field, c.typed);
      }
      dialog.Click("btOK");
    });
    Editor().Click(c.button);

    EXPECT_TRUE(presetChecked);
    if (std::string(c.stored) == "host:3128") {
      EXPECT_EQ(presetPort, "3128");
    }
    EXPECT_EQ(value, c.expected);
    const TXALControl& shown = Editor().Control(label);
    EXPECT_EQ(shown.Text, *c.expected == '\0' ? Text("NoSettingMsg") : std::string(c.expected));
    EXPECT_EQ(shown.Enabled, *c.expected != '\0');
    EXPECT_EQ(view_.matchingSetsChanges, rechecks) << "no recheck";
  }

  // Cancel keeps the value.
  Set().Target.Network.Proxy = "keep:1";
  Queue(sim::PressCancel());
  Editor().Click("btTargetProxyEdit");
  EXPECT_EQ(Set().Target.Network.Proxy, "keep:1");
}

TEST_F(TargetHandlers, DefaultPrinterIsTrimmedShownAndCleared) {
  Set().Target.DefaultPrinter = "Laser";
  Editor().ShowSet();
  int presetLine = -1;
  Queue([&presetLine](TXALDialog& dialog) {
    presetLine = dialog.Control("lbPrinters").ItemIndex;
    dialog.Type("edNames", "  Office Jet \t");
    dialog.Click("btOK");
  });
  sim_.printers.installed = {"Office Jet", "Laser"};
  Editor().Click("btTargetDefaultPrinterEdit");
  EXPECT_EQ(presetLine, 1) << "the set's printer is picked when the dialog opens";
  EXPECT_EQ(Set().Target.DefaultPrinter, "Office Jet");
  EXPECT_EQ(Editor().Control("lbTargetDefaultPrinter").Text, "Office Jet");
  EXPECT_TRUE(Editor().Control("lbTargetDefaultPrinter").Enabled);

  Queue(TypeAndOK({{"edNames", "   "}}));
  Editor().Click("btTargetDefaultPrinterEdit");
  EXPECT_EQ(Set().Target.DefaultPrinter, "");
  EXPECT_EQ(Editor().Control("lbTargetDefaultPrinter").Text, Text("NoSettingMsg"));
  EXPECT_FALSE(Editor().Control("lbTargetDefaultPrinter").Enabled);

  Set().Target.DefaultPrinter = "Laser";
  Editor().ShowSet();
  Editor().Click("btTargetDefaultPrinterDelete");
  EXPECT_EQ(Set().Target.DefaultPrinter, "");
  EXPECT_FALSE(Editor().Control("lbTargetDefaultPrinter").Enabled);
}

TEST_F(TargetHandlers, AStartupWithoutNameAndPathIsNeitherAddedNorWrittenOver) {
  Queue(TypeAndOK({{"edParam", "-x"}, {"edWorkDir", "C:\\Temp"}}));
  Editor().Click("btTargetStartupsAdd");
  EXPECT_EQ(Set().Target.Startups.Count(), 0);
  EXPECT_EQ(Grid("sgTargetStartups").ItemData, (std::vector<std::uint64_t>{0}));

  Queue([](TXALDialog& dialog) {
    dialog.Type("edName", "Mail");
    dialog.Type("edFilePath", "mail.exe");
    dialog.Type("edParam", "/quiet");
    dialog.Type("edWorkDir", "C:\\Mail");
    dialog.Click("cbOnlyNew");
    dialog.Click("btOK");
  });
  Editor().Click("btTargetStartupsAdd");
  ASSERT_EQ(Set().Target.Startups.Count(), 1);
  const TXALStartup& mail = Set().Target.Startups.Items(0);
  EXPECT_TRUE(mail.OnlyNew);
  EXPECT_EQ(Grid("sgTargetStartups").Cells,
            (std::vector<Strings>{{"Mail", "mail.exe", "/quiet", "C:\\Mail", "True"}}));
  EXPECT_EQ(Grid("sgTargetStartups").ItemData[0], Address(&mail));

  Queue(TypeAndOK({{"edName", ""}, {"edFilePath", ""}, {"edParam", "changed"}}));
  Editor().Click("btTargetStartupsEdit");
  EXPECT_EQ(mail.Name, "Mail");
  EXPECT_EQ(mail.Param, "/quiet") << "nothing of the entry changes";

  Queue(TypeAndOK({{"edName", ""}, {"edParam", "/loud"}}));
  Editor().DoubleClick("sgTargetStartups", 0);
  EXPECT_EQ(mail.Name, "");
  EXPECT_EQ(mail.Param, "/loud") << "a file path alone is enough";
  EXPECT_EQ(Grid("sgTargetStartups").Cells[0][2], "/loud");
}

TEST_F(TargetHandlers, UpAndDownSwapInSetAndGridAndStopAtTheEnds) {
  struct Case {
    int row;
    const char* button;
    Strings order;
    int selected;
  };
  const Case cases[] = {
      {0, "btTargetStartupsUp", {"A", "B", "C"}, 0},
      {0, "btTargetStartupsDown", {"B", "A", "C"}, 1},
      {1, "btTargetStartupsUp", {"B", "A", "C"}, 0},
      {1, "btTargetStartupsDown", {"A", "C", "B"}, 2},
      {2, "btTargetStartupsDown", {"A", "B", "C"}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " on row " + std::to_string(c.row));
    Set().Target.Startups.Clear();
    for (const char* name : {"A", "B", "C"}) {
      AddStartup(name);
    }
    Editor().ShowSet();
    Editor().Select("sgTargetStartups", c.row);
    Editor().Click(c.button);

    const TXALStartups& startups = Set().Target.Startups;
    Strings inSet;
    for (int i = 0; i < startups.Count(); ++i) {
      inSet.push_back(startups.Items(i).Name);
      EXPECT_EQ(Grid("sgTargetStartups").ItemData[static_cast<std::size_t>(i)],
                Address(&startups.Items(i)));
    }
    EXPECT_EQ(inSet, c.order);
    EXPECT_EQ(Column("sgTargetStartups", 0), c.order);
    EXPECT_EQ(Grid("sgTargetStartups").ItemIndex, c.selected);
  }

  // The placeholder row of an empty grid moves nowhere.
  Set().Target.Startups.Clear();
  Editor().ShowSet();
  Editor().Click("btTargetStartupsDown");
  Editor().Click("btTargetStartupsUp");
  EXPECT_EQ(Grid("sgTargetStartups").Cells.size(), 1u);
}

TEST_F(TargetHandlers, ExecuteStartsTheSelectedProgramAndExecuteAllEveryOneInGridOrder) {
  Editor().ShowSet();
  sim_.shell.calls.clear();
  Editor().Click("btTargetStartupsExecute");
  Editor().Click("btTargetStartupsExecuteAll");
  EXPECT_TRUE(sim_.shell.calls.empty()) << "an empty grid starts nothing";

  AddStartup("Mail", "mail.exe", "/quiet", "C:\\Mail").OnlyNew = true;
  AddStartup("Hide", "TaskBarAutoHide");
  AddStartup("Notes", "notes.txt");
  Editor().ShowSet();
  Editor().Select("sgTargetStartups", 2);
  Editor().Click("btTargetStartupsUp");  // Mail, Notes, Hide
  sim_.shell.calls.clear();

  Editor().Select("sgTargetStartups", 0);
  Editor().Click("btTargetStartupsExecute");
  ASSERT_EQ(sim_.shell.calls.size(), 1u);
  const sim::SimShellCall& mail = sim_.shell.calls[0];
  EXPECT_EQ(mail.kind, sim::SimShellCall::Kind::Execute);
  EXPECT_EQ(mail.verb, "open");
  EXPECT_EQ(mail.file, "mail.exe");
  EXPECT_EQ(mail.parameters, "/quiet");
  EXPECT_EQ(mail.folder, "C:\\Mail");
  EXPECT_EQ(mail.show, 10);

  sim_.shell.calls.clear();
  Editor().Click("btTargetStartupsExecuteAll");
  ASSERT_EQ(sim_.shell.calls.size(), 3u) << "OnlyNew doesn't hold the buttons back";
  EXPECT_EQ(sim_.shell.calls[0].file, "mail.exe");
  EXPECT_EQ(sim_.shell.calls[1].file, "notes.txt");
  EXPECT_EQ(sim_.shell.calls[2].kind, sim::SimShellCall::Kind::TaskBarState);
}

TEST_F(TargetHandlers, RulesAreAddedAndEditedThroughTheDialogsOwnCopy) {
  std::vector<std::string> offered;
  Queue([&offered](TXALDialog& dialog) {
    offered = dialog.Control("lbPrinters").Items;
    dialog.Type("edName", "Editor");
    dialog.Type("edClass", "Notepad");
    dialog.Type("edTitle", "Notes");
    dialog.Type("seDisplay", "2");
    dialog.Type("seLeft", "10");
    dialog.Type("seTop", "20");
    dialog.Type("seWidth", "300");
    dialog.Type("seHeight", "200");
    dialog.Select("rgState", 2);
    dialog.Select("lbPrinters", 0);
    dialog.Click("btOK");
  });
  Editor().Click("btTargetAppsAdd");
  EXPECT_EQ(offered, (Strings{"Laser"})) << "the printers the program keeps";
  ASSERT_EQ(Set().Target.Apps.Count(), 1);
  TXALApp& rule = Set().Target.Apps.Items(0);
  EXPECT_EQ(rule.WindowClass, "Notepad");
  EXPECT_EQ(rule.Title, "Notes");
  EXPECT_EQ(rule.Display, 2);
  EXPECT_EQ(rule.Position, (TXALRect{10, 20, 310, 220}));
  EXPECT_EQ(rule.State, TXALAppState::Maximized);
  EXPECT_EQ(rule.DefaultPrinter, "Laser");
  const TXALControl& grid = Grid("sgTargetApps");
  EXPECT_EQ(grid.Cells, (std::vector<Strings>{{"Editor", "Notepad", "Notes"}}));
  EXPECT_EQ(grid.ItemData[0], Address(&rule));
  EXPECT_EQ(grid.ItemIndex, 0);
  EXPECT_EQ(Editor().Control("lbTargetAppWidth").Text, "300");
  EXPECT_EQ(Editor().Control("lbTargetAppState").Text,
            Text("fmXALMain_lbTargetAppStateMaximizedCaption"));

  // What the dialog did before Cancel stays in its copy.
  Queue([](TXALDialog& dialog) {
    dialog.Type("edClass", "Other");
    dialog.Click("btSet");
    dialog.PressEscape();
  });
  Editor().Click("btTargetAppsEdit");
  EXPECT_EQ(rule.WindowClass, "Notepad");

  std::string presetClass;
  Queue([&presetClass](TXALDialog& dialog) {
    presetClass = dialog.Control("edClass").Text;
    dialog.Type("edClass", "Wordpad");
    dialog.Type("seLeft", "50");
    dialog.Click("btNoDefaultPrinter");
    dialog.Click("btOK");
  });
  Editor().DoubleClick("sgTargetApps", 0);
  EXPECT_EQ(presetClass, "Notepad");
  EXPECT_EQ(rule.WindowClass, "Wordpad");
  EXPECT_EQ(rule.Position, (TXALRect{50, 20, 350, 220}));
  EXPECT_EQ(rule.DefaultPrinter, "");
  EXPECT_EQ(grid.Cells[0][1], "Wordpad");
  EXPECT_EQ(Editor().Control("lbTargetAppLeft").Text, "50");
}

TEST_F(TargetHandlers, DeletingARuleWithAPendingPlacementLeavesNothingPending) {
  AddRule("Notepad", {10, 20, 410, 320});
  TXALApp& calc = AddRule("Calc", {0, 0, 200, 200});
  Editor().ShowSet();
  main_->HandleHookMessage(TXALHookNotice::Activated, OpenWindow("Notepad"));
  main_->HandleHookMessage(TXALHookNotice::Activated, OpenWindow("Calc"));
  const TXALWindowIntake& intake = *main_->WindowIntake();
  ASSERT_EQ(intake.PendingApps().Count(), 2);

  Editor().Select("sgTargetApps", 1);
  Editor().Click("btTargetAppsDelete");
  ASSERT_EQ(Set().Target.Apps.Count(), 1);
  ASSERT_EQ(intake.PendingApps().Count(), 1);
  EXPECT_EQ(intake.PendingApps().IndexOf(&calc), -1);
  EXPECT_EQ(intake.PendingApps().Items(0), &Set().Target.Apps.Items(0));
  EXPECT_EQ(Column("sgTargetApps", 1), (Strings{"Notepad"}));

  // The timer goes on with what is left.
  for (int tick = 0; tick < 200 && sim_.windows.timerEnabled; ++tick) {
    main_->TimerTimer();
  }
  EXPECT_EQ(intake.PendingApps().Count(), 0);
}

TEST_F(TargetHandlers, MoveButtonsPlaceTheHandledWindowsByTheSelectedOrEveryRule) {
  // Seen before any rule took them, so nothing placed them yet.
  const TXALWindowHandle notepad = OpenWindow("Notepad");
  const TXALWindowHandle calc = OpenWindow("Calc");
  main_->HandleHookMessage(TXALHookNotice::Activated, notepad);
  main_->HandleHookMessage(TXALHookNotice::Activated, calc);
  AddRule("Notepad", {10, 20, 410, 320});
  AddRule("Calc", {30, 40, 230, 240});
  Editor().ShowSet();
  const TXALRect untouched = sim_.windows.Window(notepad).Placement.NormalPosition;

  Editor().Select("sgTargetApps", 1);
  Editor().Click("btTargetAppsMove");
  EXPECT_EQ(sim_.windows.Window(calc).Placement.NormalPosition, (TXALRect{30, 40, 230, 240}));
  EXPECT_EQ(sim_.windows.Window(notepad).Placement.NormalPosition, untouched);
  EXPECT_EQ(main_->WindowIntake()->PendingApps().Count(), 0);

  Editor().Click("btTargetAppsMoveAll");
  EXPECT_EQ(sim_.windows.Window(notepad).Placement.NormalPosition, (TXALRect{10, 20, 410, 320}));
  EXPECT_EQ(main_->WindowIntake()->PendingApps().Count(), 0);
}

}  // namespace
}  // namespace xal
