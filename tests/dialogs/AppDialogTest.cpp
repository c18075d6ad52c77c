// The application rule dialog: the rule's fields, a running window taken as a rule, the rule
// tried on the windows seen so far, the printers, and the window list kept fresh while open.
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "appliers/XALPrinterSwitch.h"
#include "catalogue/XALApps.h"
#include "catalogue/XALSetting.h"
#include "placement/XALWindowIntake.h"
#include "ui/XALConfigApp.h"

namespace xal {
namespace {

using Lines = std::vector<std::string>;

class AppDialog : public DialogFixture {
 protected:
  AppDialog() {
    sim.monitors.SetAttached(
        {sim::SimMonitor(1, 0, 0, 1920, 1080), sim::SimMonitor(2, 1920, 0, 1280, 1024)});
    sim.monitors.Refresh();
    sim.printers.installed = {"Office Laser", "PDF"};
    context.Intake = &intake;
  }

  TXALWindowHandle Open(const std::string& windowClass, const std::string& caption,
                        TXALRect normal = {100, 100, 740, 580}, int showCmd = kSwShowNormal) {
    sim::SimWindow window;
    window.ClassName = windowClass;
    window.Caption = caption;
    window.Placement.NormalPosition = normal;
    window.Placement.ShowCmd = showCmd;
    return sim.windows.Add(window);
  }
  Lines Spins(const TXALDialog& dialog) const {
    Lines values;
    for (const char* name : {"seDisplay", "seLeft", "seTop", "seWidth", "seHeight"}) {
      values.push_back(dialog.Control(name).Text);
    }
    return values;
  }

  TXALComponent owner;
  TXALSetting setting{&owner};
  TXALSetList matching;
  TXALPrinterSwitch printers{sim.Platform()};
  TXALWindowIntake intake{sim.windows, sim.monitors, sim.windows, setting,
                          matching,    printers,     current};
};

TEST_F(AppDialog, ANewRuleOpensWithTheDefaults) {
  TfmXALConfigApp dialog(context);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigAppCaption"));
  EXPECT_EQ(dialog.Control("rgState").Text, Text("fmXALConfigApp_rgStateCaption"));
  EXPECT_EQ(dialog.Control("rgState").Items, (Lines{"Normal", "Minimized", "Maximized"}));
  EXPECT_EQ(dialog.Control("rgState").ItemIndex, 0);
  EXPECT_EQ(Spins(dialog), (Lines{"1", "0", "0", "-1", "-1"}));
  EXPECT_EQ(dialog.Control("edClass").Text, "");
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Text, "");
  EXPECT_FALSE(dialog.Control("cbWithTitle").Checked);
  EXPECT_EQ(dialog.Control("lbPrinters").Items, (Lines{"Office Laser", "PDF"}));
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Parent, "gbDefaultPrinter");
}

TEST_F(AppDialog, TheFieldsBecomeTheRuleOnOK) {
  TXALApp rule(&owner);
  rule.Name = "Editor";
  rule.WindowClass = "Notepad";
  rule.Title = "readme";
  rule.Display = 2;
  rule.Position = {10, 20, 410, 320};
  rule.State = TXALAppState::Minimized;
  rule.DefaultPrinter = "PDF";
  TfmXALConfigApp dialog(context);
  dialog.SetRule(rule);
  dialog.Show();
  EXPECT_EQ(Spins(dialog), (Lines{"2", "10", "20", "400", "300"}));
  EXPECT_EQ(dialog.Control("rgState").ItemIndex, 1);
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Text, "PDF");
  EXPECT_EQ(dialog.TipText("lbDefaultPrinter", -1), "PDF");
  EXPECT_EQ(dialog.TipText("edTitle", -1), "readme");

  dialog.Type("seLeft", "-50");
  dialog.Type("seWidth", "+800");
  dialog.Select("rgState", 2);
  dialog.Select("lbPrinters", 0);
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Text, "Office Laser");
  dialog.Type("edTitle", " Notes ");
  dialog.Click("btOK");
  ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
  const TXALApp& result = dialog.Rule();
  EXPECT_EQ(result.Name, "Editor");
  EXPECT_EQ(result.Title, " Notes ");
  EXPECT_EQ(result.Display, 2);
  EXPECT_EQ(result.Position, (TXALRect{-50, 20, 750, 320}));
  EXPECT_EQ(result.State, TXALAppState::Maximized);
  EXPECT_EQ(result.DefaultPrinter, "Office Laser");

  TfmXALConfigApp cleared(context);
  cleared.SetRule(rule);
  cleared.Show();
  cleared.Click("btNoDefaultPrinter");
  cleared.Click("btOK");
  EXPECT_EQ(cleared.Rule().DefaultPrinter, "");
}

TEST_F(AppDialog, PickingAWindowTakesItsClassAndPlacementAndItsTitleOnlyWhenAsked) {
  Open("WordPadClass", "Letter");
  const TXALWindowHandle notepad =
      Open("Notepad", "readme - Notepad", {2000, 100, 2800, 700}, kSwShowMaximized);
  current.RefreshApps(intake.HandledWindows());
  TXALApp rule(&owner);
  rule.Name = "Editor";
  rule.DefaultPrinter = "PDF";
  TfmXALConfigApp dialog(context);
  dialog.SetRule(rule);
  dialog.Show();
  ASSERT_EQ(dialog.Control("lbApps").Items,
            (Lines{"readme - Notepad(Notepad)", "Letter(WordPadClass)"}));
  EXPECT_EQ(dialog.Control("lbApps").ItemData[0], notepad);
  EXPECT_EQ(dialog.TipText("lbApps", 1), "Letter(WordPadClass)");

  dialog.Select("lbApps", 0);
  EXPECT_EQ(dialog.Control("edName").Text, "Notepad");
  EXPECT_EQ(dialog.Control("edClass").Text, "Notepad");
  EXPECT_EQ(dialog.Control("edTitle").Text, "") << "the class alone names the windows";
  EXPECT_EQ(Spins(dialog), (Lines{"2", "80", "100", "800", "600"}));
  EXPECT_EQ(dialog.Control("rgState").ItemIndex, 2);
  EXPECT_EQ(dialog.Control("lbDefaultPrinter").Text, "PDF");

  dialog.Click("cbWithTitle");
  dialog.Select("lbApps", 0);
  EXPECT_EQ(dialog.Control("edTitle").Text, "readme - Notepad");

  dialog.Type("edClass", "kept");
  sim.windows.Destroy(notepad);
  dialog.Select("lbApps", 0);
  EXPECT_EQ(dialog.Control("edClass").Text, "kept") << "a window gone since changes nothing";
}

TEST_F(AppDialog, DoubleClickBringsTheWindowForwardAndFlashesIt) {
  const TXALWindowHandle window = Open("Notepad", "readme - Notepad");
  current.RefreshApps(intake.HandledWindows());
  TfmXALConfigApp dialog(context);
  dialog.Show();
  sim.windows.calls.clear();
  dialog.DoubleClick("lbApps", 0);
  std::ostringstream hex;
  hex << "0x" << std::hex << window;
  const std::string handle = hex.str();
  EXPECT_EQ(sim.windows.calls, (Lines{"SetForeground " + handle, "Flash " + handle + " 5"}));
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

TEST_F(AppDialog, SetPlacesTheHandledWindowsTheRuleTakesAndStaysOpen) {
  const TXALWindowHandle notepad = Open("Notepad", "readme - Notepad");
  const TXALWindowHandle calc = Open("Calc", "Calculator");
  current.RefreshApps(intake.HandledWindows());
  TfmXALConfigApp dialog(context);
  dialog.Show();
  dialog.Type("edClass", "Notepad");
  dialog.Type("seDisplay", "2");
  dialog.Type("seLeft", "10");
  dialog.Type("seTop", "20");
  dialog.Type("seWidth", "400");
  dialog.Type("seHeight", "300");
  dialog.Click("btSet");

  EXPECT_EQ(sim.windows.Window(notepad).Placement.NormalPosition, (TXALRect{1930, 20, 2330, 320}));
  EXPECT_EQ(sim.windows.Window(notepad).Placement.ShowCmd, kSwShowNormal);
  EXPECT_EQ(sim.windows.WriteCount(calc), 0);
  EXPECT_EQ(dialog.Rule().WindowClass, "Notepad");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
  EXPECT_TRUE(intake.PendingWindows().Count() == 0) << "a try holds nothing in place";
}

TEST_F(AppDialog, TheWindowListFollowsTheStoreWhileOpen) {
  auto dialog = std::make_unique<TfmXALConfigApp>(context);
  dialog->Show();
  int redraws = 0;
  dialog->SetChangedHandler([&] { ++redraws; });
  EXPECT_TRUE(dialog->Control("lbApps").Items.empty());

  const TXALWindowHandle first = Open("Notepad", "a");
  const TXALWindowHandle second = Open("Calc", "b");
  intake.WindowActivated(first);
  intake.WindowActivated(second);
  EXPECT_EQ(dialog->Control("lbApps").Items, (Lines{"b(Calc)", "a(Notepad)"}));
  EXPECT_EQ(dialog->Control("lbApps").ItemData, (std::vector<std::uint64_t>{second, first}));
  intake.WindowDestroyed(second);
  EXPECT_EQ(dialog->Control("lbApps").Items, (Lines{"a(Notepad)"}));
  EXPECT_EQ(redraws, 3);

  dialog.reset();
  intake.WindowActivated(Open("Calc", "c"));  // nothing left to tell
  EXPECT_EQ(current.lbApps().size(), 2u);
}

TEST_F(AppDialog, PrintersThatCantBeListedAreToldAndGivenOnesAreNotReadAgain) {
  sim.printers.fail = true;
  TfmXALConfigApp failing(context);
  failing.Show();
  EXPECT_TRUE(failing.HasMessage());
  EXPECT_TRUE(failing.Control("lbPrinters").Items.empty());

  TfmXALConfigApp given(context);
  given.SetInstalledPrinters({"Kept"});
  given.Show();
  EXPECT_EQ(given.Control("lbPrinters").Items, (Lines{"Kept"}));
  EXPECT_FALSE(given.HasMessage());
  EXPECT_EQ(sim.printers.calls, 1u);
}

// A number read as 0 would put the window in the display's corner or shrink it to nothing.
TEST_F(AppDialog, RefusesASpinEditThatHoldsNoWholeNumber) {
  const struct {
    const char* spin;
    const char* text;
    const char* field;
  } cases[] = {
      {"seDisplay", "", "Display"},        {"seLeft", "1.5", "Left"},     {"seTop", "ten", "Top"},
      {"seWidth", "99999999999", "Width"}, {"seHeight", "- 1", "Height"},
  };
  for (const auto& c : cases) {
    for (const char* button : {"btSet", "btOK"}) {
      TfmXALConfigApp dialog(context);
      dialog.Show();
      dialog.Type("edClass", "Notepad");
      dialog.Type(c.spin, c.text);
      dialog.Click(button);
      EXPECT_EQ(dialog.TakeMessage(), Text("fmXALConfigApp_NotANumberMsg") + c.field)
          << c.spin << " " << button;
      EXPECT_EQ(dialog.Result(), TXALModalResult::None);
      EXPECT_EQ(dialog.Rule().WindowClass, "") << "nothing written";
    }
  }

  TfmXALConfigApp unstorable(context);
  unstorable.Show();
  unstorable.Type("edTitle", std::string("a\x0B", 2));
  unstorable.Click("btOK");
  EXPECT_EQ(unstorable.TakeMessage(), Text("NotStorableTextMsg") + " (U+000B)");
}

}  // namespace
}  // namespace xal
