#include <cctype>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "catalogue/XALSet.h"
#include "ui/XALConfigAddSet.h"

namespace xal {
namespace {

using sim::kAdapterClass;
using sim::kPrinterClass;
using sim::SimAdapter;
using sim::SimMonitor;
using sim::SimPrinter;
using Lines = std::vector<std::string>;

const char* const kEthernetID = "{11111111-0000-0000-0000-000000000001}";
const char* const kWlanID = "{44444444-0000-0000-0000-000000000004}";

// A computer with a static Ethernet adapter and a DHCP wireless one, three displays (one left of
// the primary), three printers with B the default, a proxy, and two application windows.
class AddSetDialog : public DialogFixture {
 protected:
  AddSetDialog() {
    sim.monitors.SetAttached({SimMonitor(1, 0, 0, 1920, 1080), SimMonitor(2, 1920, 0, 1280, 1024),
                              SimMonitor(3, -1280, 0, 1280, 1024)});
    sim.monitors.Refresh();
    SetAdapters("10.1.2.3");
    sim.wireless.AddNetwork("CafeNet", false);
    sim.wireless.AddNetwork("Office", true);
    std::vector<sim::SimObject> printers = {SimPrinter("A"), SimPrinter("B"), SimPrinter("C")};
    printers[1].Set("Default", true).Set("Attributes", std::int32_t{4});
    sim.management.SetObjects(kPrinterClass, std::move(printers));
    sim.proxy.server = "proxy.example:8080";

    // Maximised on the second display, its restored rectangle 100 px in from that display's
    // corner.
    sim::SimWindow notepad;
    notepad.ClassName = "Notepad";
    notepad.Caption = "notes.txt - Notepad";
    notepad.Placement.ShowCmd = kSwShowMaximized;
    notepad.Placement.NormalPosition = {2020, 100, 2820, 700};
    editor = sim.windows.Add(notepad);
    sim::SimWindow pdf;
    pdf.ClassName = "Viewer";
    pdf.Caption = "plan.pdf";
    viewer = sim.windows.Add(pdf);
    current.ConnectAppWindows(&sim.windows,
                              [this](TXALWindowHandle w) { return sim.windows.IsWindow(w); });

    current.RefreshDisplays();
    current.RefreshIPAddresses();
    current.RefreshWiFi();
    current.RefreshPrinters();
    current.RefreshApps(handled);
  }

  void SetAdapters(const std::string& ethernetAddress) {
    sim.management.SetObjects(
        kAdapterClass,
        {SimAdapter(kEthernetID, "[00000007] Ethernet", {ethernetAddress})
             .Set("IPSubnet", std::vector<std::string>{"255.255.0.0"})
             .Set("DefaultIPGateway", std::vector<std::string>{"10.1.0.1"})
             .Set("DNSServerSearchOrder", std::vector<std::string>{"10.1.0.53", "10.1.0.54"}),
         SimAdapter(kWlanID, "Wireless", {"192.168.1.20"})
             .Set("DHCPEnabled", true)
             .Set("DefaultIPGateway", std::vector<std::string>{"192.168.1.1"})
             .Set("DNSServerSearchOrder", std::vector<std::string>{"192.168.1.53"})});
  }

  // The dialog shown, with the import from the current environment chosen.
  std::unique_ptr<TfmXALConfigAddSet> OpenImporting() {
    auto dialog = std::make_unique<TfmXALConfigAddSet>(context);
    dialog->Show();
    dialog->Select("rgImport", 1);
    return dialog;
  }

  std::unique_ptr<TXALSet> Confirm(TfmXALConfigAddSet& dialog) {
    dialog.Click("btOK");
    EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
    return dialog.BuildSet(&owner);
  }

  static std::vector<bool> Checks(const TfmXALConfigAddSet& dialog, const char* list) {
    return dialog.Control(list).ItemChecked;
  }

  TXALHandleList handled;
  TXALComponent owner;
  TXALWindowHandle editor = 0;
  TXALWindowHandle viewer = 0;
};

TEST_F(AddSetDialog, OpensWithCaptionsAndTheCurrentEnvironment) {
  TfmXALConfigAddSet dialog(context);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigAddSetCaption"));
  for (const char* name : {"lbName",
                           "lbNameExample",
                           "rgImport",
                           "gbCurrent",
                           "gbEnvironment",
                           "cbWiFi",
                           "gbWiFi",
                           "cbEnvIPAddress",
                           "cbEnvIPAddressWithWild",
                           "gbEnvIPAddress",
                           "cbDisplay",
                           "cbDisplayCount",
                           "gbDisplay",
                           "cbPrinter",
                           "gbPrinter",
                           "gbTarget",
                           "cbTargetIPAddress",
                           "gbTargetIPAddress",
                           "cbProxy",
                           "gbProxy",
                           "cbDefaultPrinter",
                           "gbDefaultPrinter",
                           "cbApp",
                           "cbAppWithTitle",
                           "gbApp"}) {
    const std::string key = std::string("fmXALConfigAddSet_") + name + "Caption";
    EXPECT_EQ(dialog.Control(name).Text, language.Text(key)) << name;
    EXPECT_FALSE(dialog.Control(name).Text.empty()) << key;
  }
  EXPECT_EQ(dialog.Control("rgImport").Items, (Lines{Text("fmXALConfigAddSet_rgImportItems0"),
                                                     Text("fmXALConfigAddSet_rgImportItems1")}));
  EXPECT_EQ(dialog.Control("btOK").Text, Text("fmXALConfigAddSet_btOkCaption"));
  EXPECT_EQ(dialog.Control("btCancel").Text, Text("fmXALConfigAddSet_btCancelCaption"));

  EXPECT_EQ(dialog.Control("rgImport").ItemIndex, 0);
  for (const char* box :
       {"cbWiFi", "cbEnvIPAddress", "cbDisplay", "cbDisplayCount", "cbPrinter", "cbTargetIPAddress",
        "cbProxy", "cbDefaultPrinter", "cbApp", "cbAppWithTitle"}) {
    EXPECT_FALSE(dialog.Control(box).Checked) << box;
  }
  EXPECT_TRUE(dialog.Control("cbEnvIPAddressWithWild").Checked);

  EXPECT_EQ(dialog.Control("lbWiFi").Items, Lines{"Office"});
  EXPECT_EQ(dialog.Control("lbWiFi").ItemIndex, 0);
  EXPECT_EQ(dialog.Control("clEnvIPAddress").Items, current.lbIPAddresses());
  EXPECT_EQ(Checks(dialog, "clEnvIPAddress"), (std::vector<bool>{true, true}));
  EXPECT_EQ(dialog.Control("clDisplay").Items, (Lines{"1:Generic PnP Monitor(0,0,1920,1080)",
                                                      "2:Generic PnP Monitor(1920,0,1280,1024)",
                                                      "3:Generic PnP Monitor(-1280,0,1280,1024)"}));
  EXPECT_EQ(Checks(dialog, "clDisplay"), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(dialog.Control("clPrinter").Items, (Lines{"A", "B", "C"}));
  EXPECT_EQ(Checks(dialog, "clPrinter"), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(dialog.Control("clTargetIPAddress").Items,
            (Lines{"10.1.2.3,Ethernet", "DHCP,Wireless"}));
  EXPECT_EQ(Checks(dialog, "clTargetIPAddress"), (std::vector<bool>{false, false}));
  EXPECT_EQ(dialog.Control("lbProxy").Text, "proxy.example:8080");
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Text, "B");
  EXPECT_EQ(dialog.Control("clApp").Items,
            (Lines{"plan.pdf(Viewer)", "notes.txt - Notepad(Notepad)"}));
  EXPECT_EQ(dialog.Control("clApp").ItemData, (std::vector<std::uint64_t>{viewer, editor}));
  EXPECT_EQ(Checks(dialog, "clApp"), (std::vector<bool>{false, false}));
  EXPECT_FALSE(dialog.HasMessage());
}

// Every control lies inside the client area and inside the group box it belongs to.
TEST_F(AddSetDialog, EveryControlFitsItsGroupBox) {
  TfmXALConfigAddSet dialog(context);
  const auto inside = [](const TXALBounds& inner, const TXALBounds& outer) {
    return inner.Left >= outer.Left && inner.Top >= outer.Top &&
           inner.Left + inner.Width <= outer.Left + outer.Width &&
           inner.Top + inner.Height <= outer.Top + outer.Height;
  };
  const TXALBounds client{0, 0, dialog.ClientWidth(), dialog.ClientHeight()};
  EXPECT_EQ(client.Width, 785);
  EXPECT_EQ(client.Height, 565);
  for (const TXALControl& control : dialog.Controls()) {
    const TXALBounds& outer =
        control.Parent.empty() ? client : dialog.Control(control.Parent).Bounds;
    EXPECT_TRUE(inside(control.Bounds, outer)) << control.Name;
  }
  EXPECT_TRUE(dialog.Control("btOK").Default);
  EXPECT_TRUE(dialog.Control("btCancel").Cancel);
}

// What is enabled after a sequence of the user's clicks; a group box's own state counts, not
// whether one around it is off.
TEST_F(AddSetDialog, EnablingRules) {
  using Step = std::function<void(TfmXALConfigAddSet&)>;
  const auto click = [](const char* name) {
    return Step([name](TfmXALConfigAddSet& d) { d.Click(name); });
  };
  const auto import = [](int item) {
    return Step([item](TfmXALConfigAddSet& d) { d.Select("rgImport", item); });
  };
  const std::set<std::string> boxes = {
      "gbCurrent",      "gbEnvironment",    "gbTarget",  "cbWiFi",
      "cbEnvIPAddress", "cbDisplay",        "cbPrinter", "cbTargetIPAddress",
      "cbProxy",        "cbDefaultPrinter", "cbApp"};
  const auto with = [&](std::set<std::string> more) {
    more.insert(boxes.begin(), boxes.end());
    return more;
  };
  struct Case {
    const char* what;
    std::vector<Step> steps;
    std::set<std::string> on;
  };
  const Case cases[] = {
      {"opened", {}, {}},
      {"import chosen", {import(1)}, boxes},
      {"Wi-Fi", {import(1), click("cbWiFi")}, with({"gbWiFi", "lbWiFi"})},
      {"addresses",
       {import(1), click("cbEnvIPAddress")},
       with({"cbEnvIPAddressWithWild", "gbEnvIPAddress", "clEnvIPAddress"})},
      {"wildcard toggled keeps the row on",
       {import(1), click("cbEnvIPAddress"), click("cbEnvIPAddressWithWild")},
       with({"cbEnvIPAddressWithWild", "gbEnvIPAddress", "clEnvIPAddress"})},
      {"displays",
       {import(1), click("cbDisplay")},
       with({"cbDisplayCount", "gbDisplay", "clDisplay"})},
      {"display count only",
       {import(1), click("cbDisplay"), click("cbDisplayCount")},
       with({"cbDisplayCount"})},
      {"display count unticked again",
       {import(1), click("cbDisplay"), click("cbDisplayCount"), click("cbDisplayCount")},
       with({"cbDisplayCount", "gbDisplay", "clDisplay"})},
      {"displays off with the count still ticked",
       {import(1), click("cbDisplay"), click("cbDisplayCount"), click("cbDisplay")},
       boxes},
      {"...and the import chosen again leaves the list off",
       {import(1), click("cbDisplay"), click("cbDisplayCount"), click("cbDisplay"), import(0),
        import(1)},
       boxes},
      {"printers", {import(1), click("cbPrinter")}, with({"gbPrinter", "clPrinter"})},
      {"IP settings",
       {import(1), click("cbTargetIPAddress")},
       with({"gbTargetIPAddress", "clTargetIPAddress"})},
      {"proxy", {import(1), click("cbProxy")}, with({"gbProxy", "lbProxy"})},
      {"default printer",
       {import(1), click("cbDefaultPrinter")},
       with({"gbDefaultPrinter", "lbDefaultPrinter"})},
      {"rules", {import(1), click("cbApp")}, with({"cbAppWithTitle", "gbApp", "clApp"})},
      {"a row ticked twice is off", {import(1), click("cbApp"), click("cbApp")}, boxes},
      {"empty set chosen again: the import area and its check boxes go off",
       {import(1), click("cbWiFi"), click("cbApp"), import(0)},
       {"gbWiFi", "lbWiFi", "gbApp", "clApp"}},
      {"...and come back with their rows",
       {import(1), click("cbWiFi"), click("cbApp"), import(0), import(1)},
       with({"gbWiFi", "lbWiFi", "cbAppWithTitle", "gbApp", "clApp"})},
      {"check boxes take no clicks while the empty set is chosen",
       {click("cbWiFi"), click("cbApp"), import(1)},
       boxes},
  };
  const std::vector<std::string> watched = {"gbCurrent",
                                            "gbEnvironment",
                                            "gbTarget",
                                            "cbWiFi",
                                            "gbWiFi",
                                            "lbWiFi",
                                            "cbEnvIPAddress",
                                            "cbEnvIPAddressWithWild",
                                            "gbEnvIPAddress",
                                            "clEnvIPAddress",
                                            "cbDisplay",
                                            "cbDisplayCount",
                                            "gbDisplay",
                                            "clDisplay",
                                            "cbPrinter",
                                            "gbPrinter",
                                            "clPrinter",
                                            "cbTargetIPAddress",
                                            "gbTargetIPAddress",
                                            "clTargetIPAddress",
                                            "cbProxy",
                                            "gbProxy",
                                            "lbProxy",
                                            "cbDefaultPrinter",
                                            "gbDefaultPrinter",
                                            "lbDefaultPrinter",
                                            "cbApp",
                                            "cbAppWithTitle",
                                            "gbApp",
                                            "clApp"};
  for (const Case& c : cases) {
    TfmXALConfigAddSet dialog(context);
    dialog.Show();
    for (const Step& step : c.steps) {
      step(dialog);
    }
    std::set<std::string> on;
    for (const std::string& name : watched) {
      if (dialog.Control(name).Enabled) {
        on.insert(name);
      }
    }
    EXPECT_EQ(on, c.on) << c.what;
  }
}

// A list whose own box is on takes no input while the import area around it is off.
TEST_F(AddSetDialog, ListsInsideTheGreyedImportAreaTakeNoInput) {
  auto dialog = OpenImporting();
  dialog->Click("cbEnvIPAddress");
  dialog->Select("rgImport", 0);
  ASSERT_TRUE(dialog->Control("clEnvIPAddress").Enabled);
  dialog->CheckItem("clEnvIPAddress", 0, false);
  EXPECT_EQ(Checks(*dialog, "clEnvIPAddress"), (std::vector<bool>{true, true}));
}

TEST_F(AddSetDialog, TheEmptySetChoiceGivesTheNameAlone) {
  auto dialog = OpenImporting();
  for (const char* row : {"cbWiFi", "cbEnvIPAddress", "cbDisplay", "cbPrinter", "cbTargetIPAddress",
                          "cbProxy", "cbDefaultPrinter", "cbApp"}) {
    dialog->Click(row);
  }
  dialog->CheckItem("clPrinter", 0, true);
  dialog->CheckItem("clApp", 0, true);
  dialog->Select("rgImport", 0);
  dialog->Type("edNmae", " Office ");
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);

  TXALSet expected(&owner);
  expected.Name = " Office ";
  EXPECT_TRUE(set->Equals(expected)) << set->ToText();
  EXPECT_EQ(set->Owner, &owner);
}

TEST_F(AddSetDialog, ImportTakesWhatEachTickedRowOffers) {
  auto dialog = OpenImporting();
  dialog->Type("edNmae", "Office");
  for (const char* row : {"cbWiFi", "cbEnvIPAddress", "cbDisplay", "cbPrinter", "cbTargetIPAddress",
                          "cbProxy", "cbDefaultPrinter", "cbApp"}) {
    dialog->Click(row);
  }
  dialog->CheckItem("clPrinter", 0, true);
  dialog->CheckItem("clPrinter", 2, true);
  dialog->CheckItem("clTargetIPAddress", 0, true);
  dialog->CheckItem("clTargetIPAddress", 1, true);
  dialog->CheckItem("clApp", 1, true);
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);

  EXPECT_EQ(set->Name, "Office");
  const TXALEnvironment& environment = set->Environment;
  EXPECT_EQ(environment.Network.WiFi, "Office");
  EXPECT_EQ(Lines(environment.Network.IPList.begin(), environment.Network.IPList.end()),
            (Lines{"10.1.2.*", "192.168.1.*"}));
  EXPECT_EQ(environment.Displays.DisplayCount, 3);
  EXPECT_EQ(environment.Displays.Count(), 3);
  EXPECT_EQ(Lines(environment.Printers.begin(), environment.Printers.end()), (Lines{"A", "C"}));

  const TXALTargetIPSettings& settings = set->Target.Network.IPSettings;
  ASSERT_EQ(settings.Count(), 2);
  const TXALTargetIPSetting& fixed = settings.Items(0);
  EXPECT_EQ(fixed.Adapter, "Ethernet");
  EXPECT_EQ(fixed.Address, "10.1.2.3");
  EXPECT_EQ(fixed.SubnetMask, "255.255.0.0");
  EXPECT_EQ(fixed.Gateway, "10.1.0.1");
  EXPECT_EQ(fixed.DNS1, "10.1.0.53");
  EXPECT_EQ(fixed.DNS2, "10.1.0.54");
  const TXALTargetIPSetting& dhcp = settings.Items(1);
  EXPECT_EQ(dhcp.Adapter, "Wireless");
  EXPECT_EQ(dhcp.Address, "DHCP");
  EXPECT_EQ(dhcp.SubnetMask, "") << "an address obtained automatically takes its mask along";
  EXPECT_EQ(dhcp.Gateway, "");
  EXPECT_EQ(dhcp.DNS1, "192.168.1.53");

  EXPECT_EQ(set->Target.Network.Proxy, "proxy.example:8080");
  EXPECT_EQ(set->Target.DefaultPrinter, "B");
  ASSERT_EQ(set->Target.Apps.Count(), 1);
  const TXALApp& rule = set->Target.Apps.Items(0);
  EXPECT_EQ(rule.WindowClass, "Notepad");
  EXPECT_EQ(rule.Title, "") << "without the title the rule takes every window of the class";
  EXPECT_EQ(rule.Display, 2);
  EXPECT_EQ(rule.Position, (TXALRect{100, 100, 900, 700}));
  EXPECT_EQ(rule.State, TXALAppState::Maximized);
  EXPECT_EQ(rule.Owner, &owner);
}

TEST_F(AddSetDialog, RulesKeepTheTitleWhenAskedTo) {
  auto dialog = OpenImporting();
  dialog->Click("cbApp");
  dialog->Click("cbAppWithTitle");
  dialog->CheckItem("clApp", 0, true);
  dialog->CheckItem("clApp", 1, true);
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  ASSERT_EQ(set->Target.Apps.Count(), 2);
  EXPECT_EQ(set->Target.Apps.Items(0).Title, "plan.pdf");
  EXPECT_EQ(set->Target.Apps.Items(0).State, TXALAppState::Normal);
  EXPECT_EQ(set->Target.Apps.Items(1).Title, "notes.txt - Notepad");
}

// A title with a character the data file can't hold is left out, so the catalogue can still be
// saved; the rule then takes the windows of its class.
TEST_F(AddSetDialog, ATitleTheDataFileCantHoldIsLeftOut) {
  sim.windows.Window(viewer).Caption = std::string("plan\x01.pdf");
  auto dialog = OpenImporting();
  dialog->Click("cbApp");
  dialog->Click("cbAppWithTitle");
  dialog->CheckItem("clApp", 0, true);
  dialog->CheckItem("clApp", 1, true);
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  ASSERT_EQ(set->Target.Apps.Count(), 2);
  EXPECT_EQ(set->Target.Apps.Items(0).WindowClass, "Viewer");
  EXPECT_EQ(set->Target.Apps.Items(0).Title, "");
  EXPECT_EQ(set->Target.Apps.Items(1).Title, "notes.txt - Notepad");
}

// The list still names a window that closed a moment ago; it gives no rule, since a rule without
// class and title would take no window.
TEST_F(AddSetDialog, AWindowClosedMeanwhileGivesNoRule) {
  auto dialog = OpenImporting();
  dialog->Click("cbApp");
  dialog->CheckItem("clApp", 0, true);
  dialog->CheckItem("clApp", 1, true);
  sim.windows.Destroy(viewer);
  EXPECT_EQ(dialog->TipText("clApp", 0), "");
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  ASSERT_EQ(set->Target.Apps.Count(), 1);
  EXPECT_EQ(set->Target.Apps.Items(0).WindowClass, "Notepad");
}

TEST_F(AddSetDialog, AddressesAsTheyAreOrWithAWildcard) {
  struct Case {
    bool wild;
    Lines patterns;
  };
  for (const Case& c :
       {Case{true, {"10.1.2.*", "192.168.1.*"}}, Case{false, {"10.1.2.3", "192.168.1.20"}}}) {
    auto dialog = OpenImporting();
    dialog->Click("cbEnvIPAddress");
    if (!c.wild) {
      dialog->Click("cbEnvIPAddressWithWild");
    }
    const std::unique_ptr<TXALSet> set = Confirm(*dialog);
    const TXALEnvIPList& list = set->Environment.Network.IPList;
    EXPECT_EQ(Lines(list.begin(), list.end()), c.patterns) << "wildcard " << c.wild;
  }
  // Only ticked lines are taken.
  auto dialog = OpenImporting();
  dialog->Click("cbEnvIPAddress");
  dialog->CheckItem("clEnvIPAddress", 0, false);
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  const TXALEnvIPList& list = set->Environment.Network.IPList;
  EXPECT_EQ(Lines(list.begin(), list.end()), Lines{"192.168.1.*"});
}

TEST_F(AddSetDialog, DisplayCountAloneOrTheTickedDisplays) {
  {
    auto dialog = OpenImporting();
    dialog->Click("cbDisplay");
    dialog->Click("cbDisplayCount");
    const std::unique_ptr<TXALSet> set = Confirm(*dialog);
    EXPECT_EQ(set->Environment.Displays.DisplayCount, 3);
    EXPECT_EQ(set->Environment.Displays.Count(), 0);
  }
  auto dialog = OpenImporting();
  dialog->Click("cbDisplay");
  dialog->CheckItem("clDisplay", 1, false);
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  const TXALDisplays& displays = set->Environment.Displays;
  EXPECT_EQ(displays.DisplayCount, 3) << "every line counts, ticked or not";
  ASSERT_EQ(displays.Count(), 2);
  EXPECT_EQ(displays.Items(0).Number, 1);
  EXPECT_EQ(displays.Items(0).Bounds, (TXALRect{0, 0, 1920, 1080}));
  EXPECT_EQ(displays.Items(1).Number, 3);
  EXPECT_EQ(displays.Items(1).Bounds, (TXALRect{-1280, 0, 0, 1024}));
  EXPECT_TRUE(displays.MatchesScreen(sim.monitors.List()));
}

// Only the no-proxy text itself, in exactly its letter case, stands for no proxy.
TEST_F(AddSetDialog, NoProxyServerImportsAsOff) {
  struct Case {
    std::optional<std::string> server;
    std::string proxy;
  };
  std::string shouted = Text("fmXALCurrent_NoProxyMsg");
  for (char& c : shouted) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  ASSERT_NE(shouted, Text("fmXALCurrent_NoProxyMsg"));
  for (const Case& c : {Case{std::nullopt, "off"}, Case{shouted, shouted}}) {
    sim.proxy.server = c.server;
    auto dialog = OpenImporting();
    dialog->Click("cbProxy");
    const std::unique_ptr<TXALSet> set = Confirm(*dialog);
    EXPECT_EQ(set->Target.Network.Proxy, c.proxy);
  }
}

TEST_F(AddSetDialog, WiFiTickedWhileNotConnectedSetsNoCondition) {
  sim.wireless.SetNetworks({});
  sim.wireless.AddNetwork("CafeNet", false);
  current.RefreshWiFi();
  auto dialog = OpenImporting();
  dialog->Click("cbWiFi");
  EXPECT_TRUE(dialog->Control("lbWiFi").Items.empty());
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  EXPECT_EQ(set->Environment.Network.WiFi, "");
}

TEST_F(AddSetDialog, AnAddressChangeClearsTheAddressMarksAndAWindowKeepsItsRuleMark) {
  auto dialog = OpenImporting();
  int redraws = 0;
  dialog->SetChangedHandler([&redraws] { ++redraws; });
  dialog->Click("cbTargetIPAddress");
  dialog->Click("cbApp");
  dialog->CheckItem("clTargetIPAddress", 0, true);
  dialog->CheckItem("clApp", 1, true);

  SetAdapters("10.9.9.9");
  current.RefreshIPAddresses();
  EXPECT_EQ(dialog->Control("clEnvIPAddress").Items, current.lbIPAddresses());
  EXPECT_EQ(Checks(*dialog, "clEnvIPAddress"), (std::vector<bool>{false, false}));
  EXPECT_EQ(dialog->Control("clTargetIPAddress").Items,
            (Lines{"10.9.9.9,Ethernet", "DHCP,Wireless"}));
  EXPECT_EQ(Checks(*dialog, "clTargetIPAddress"), (std::vector<bool>{false, false}));

  // A window comes to the top and another opens: the editor's line moves, its mark with it.
  sim::SimWindow mail;
  mail.ClassName = "Mail";
  mail.Caption = "Inbox";
  const TXALWindowHandle mailWindow = sim.windows.Add(mail);
  current.AddOrUpdateApp("Mail", "Inbox", mailWindow);
  current.AddOrUpdateApp("Notepad", "notes.txt - Notepad", editor);
  EXPECT_EQ(dialog->Control("clApp").ItemData,
            (std::vector<std::uint64_t>{editor, mailWindow, viewer}));
  EXPECT_EQ(Checks(*dialog, "clApp"), (std::vector<bool>{true, false, false}));
  current.RemoveApp(mailWindow);
  EXPECT_EQ(Checks(*dialog, "clApp"), (std::vector<bool>{true, false}));
  EXPECT_EQ(redraws, 4);

  dialog->CheckItem("clTargetIPAddress", 0, true);
  const std::unique_ptr<TXALSet> set = Confirm(*dialog);
  ASSERT_EQ(set->Target.Network.IPSettings.Count(), 1);
  EXPECT_EQ(set->Target.Network.IPSettings.Items(0).Address, "10.9.9.9")
      << "the settings read at the change, not those read when the dialog opened";
}

// Wi-Fi and display lines pushed while the dialog is open arrive unselected and unticked.
TEST_F(AddSetDialog, PushedWiFiAndDisplaysArriveUnmarked) {
  auto dialog = OpenImporting();
  dialog->Click("cbWiFi");
  dialog->Click("cbDisplay");

  sim.wireless.SetNetworks({});
  sim.wireless.AddNetwork("Home", true);
  current.RefreshWiFi();
  EXPECT_EQ(dialog->Control("lbWiFi").Items, Lines{"Home"});
  EXPECT_EQ(dialog->Control("lbWiFi").ItemIndex, -1);

  sim.monitors.SetAttached({SimMonitor(1, 0, 0, 2560, 1440)});
  sim.monitors.Refresh();
  current.RefreshDisplays();
  EXPECT_EQ(dialog->Control("clDisplay").Items, Lines{"1:Generic PnP Monitor(0,0,2560,1440)"});
  EXPECT_EQ(Checks(*dialog, "clDisplay"), std::vector<bool>{false});

  std::unique_ptr<TXALSet> set = dialog->BuildSet(&owner);
  EXPECT_EQ(set->Environment.Network.WiFi, "") << "no line selected";
  EXPECT_EQ(set->Environment.Displays.DisplayCount, 1);
  EXPECT_EQ(set->Environment.Displays.Count(), 0);

  // The Wi-Fi row's rule selects the first line when it finds none selected.
  dialog->Click("cbWiFi");
  dialog->Click("cbWiFi");
  EXPECT_EQ(dialog->Control("lbWiFi").ItemIndex, 0);
  dialog->CheckItem("clDisplay", 0, true);
  set = Confirm(*dialog);
  EXPECT_EQ(set->Environment.Network.WiFi, "Home");
  ASSERT_EQ(set->Environment.Displays.Count(), 1);
  EXPECT_EQ(set->Environment.Displays.Items(0).Bounds, (TXALRect{0, 0, 2560, 1440}));
}

TEST_F(AddSetDialog, StopsListeningWhenDestroyed) {
  OpenImporting().reset();
  current.RefreshWiFi();
  current.RefreshIPAddresses();
  current.RefreshDisplays();
  current.SyncAppLists();
}

TEST_F(AddSetDialog, Tooltips) {
  auto dialog = OpenImporting();
  dialog->Type("edNmae", "Office, second floor");
  EXPECT_EQ(dialog->TipText("edNmae", -1), "Office, second floor");
  EXPECT_EQ(dialog->TipText("lbWiFi", 0), "Office");
  EXPECT_EQ(dialog->TipText("clEnvIPAddress", 1), current.lbIPAddresses()[1]);
  EXPECT_EQ(dialog->TipText("clDisplay", 2), "3:Generic PnP Monitor(-1280,0,1280,1024)");
  EXPECT_EQ(dialog->TipText("clPrinter", 1), "B");
  for (const char* list :
       {"lbWiFi", "clEnvIPAddress", "clDisplay", "clPrinter", "clTargetIPAddress", "clApp"}) {
    EXPECT_EQ(dialog->TipText(list, -1), "") << list;
    EXPECT_EQ(dialog->TipText(list, 5), "") << list;
  }

  EXPECT_EQ(dialog->TipText("clTargetIPAddress", 0),
            "Adapter: Ethernet\r\n"
            "IP address: 10.1.2.3\r\n"
            "Subnet mask: 255.255.0.0\r\n"
            "Gateway: 10.1.0.1\r\n"
            "Preferred DNS: 10.1.0.53\r\n"
            "Alternate DNS: 10.1.0.54");
  EXPECT_EQ(dialog->TipText("clApp", 1),
            "Name: \r\n"
            "Window class: Notepad\r\n"
            "Title: notes.txt - Notepad\r\n"
            "Window state: Maximized\r\n"
            "Left: 100\r\n"
            "Top: 100\r\n"
            "Width: 800\r\n"
            "Height: 600");
  // The labels are the language's; the test above spells the English ones out.
  EXPECT_EQ(Text("fmXALConfigAddSet_clAppHintClass"), "Window class: ");
  EXPECT_EQ(sim.windows.WriteCount(editor), 0) << "reading a window for its tooltip moves nothing";
}

// A name the data file can't hold is refused rather than saved into a file nobody can read.
TEST_F(AddSetDialog, RefusesANameTheDataFileCantHold) {
  TfmXALConfigAddSet dialog(context);
  dialog.Show();
  dialog.Type("edNmae", std::string("Home\x02", 5));
  dialog.PressEnter("edNmae");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
  EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+0002)");
  dialog.Type("edNmae", "");
  dialog.PressEnter("edNmae");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK) << "an empty name is a name";
}

// With the management service gone, the IP settings and the default printer stay empty and the
// error is shown; the rest of the current environment is still offered.
TEST_F(AddSetDialog, AFailingServiceLeavesItsRowsEmptyAndIsReported) {
  sim.management.SetUnreachable(true);
  host.scripts.push_back(sim::PressCancel());
  TfmXALConfigAddSet dialog(context);
  EXPECT_EQ(host.ShowModal(dialog), TXALModalResult::Cancel);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_FALSE(host.messages[0].empty());
  EXPECT_TRUE(dialog.Control("clTargetIPAddress").Items.empty());
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Text, "");
  EXPECT_EQ(dialog.Control("lbProxy").Text, "proxy.example:8080");
  EXPECT_EQ(dialog.Control("clEnvIPAddress").Items.size(), 2u);
  EXPECT_EQ(dialog.Control("clApp").Items.size(), 2u);
}

}  // namespace
}  // namespace xal
