#include <string>
#include <vector>

#include "DialogFixture.h"
#include "catalogue/XALEnvironment.h"
#include "ui/XALConfigPrinter.h"

namespace xal {
namespace {

using Names = std::vector<std::string>;

class PrinterDialog : public DialogFixture {
 protected:
  PrinterDialog() { sim.printers.installed = {"Canon", "HP LaserJet", "Brother", "Epson"}; }
};

TEST_F(PrinterDialog, SeveralModeJoinsTheSelectedLinesInListOrder) {
  TfmXALConfigPrinter dialog(context, TXALPrinterChoice::Several);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigPrinterCaption"));
  EXPECT_EQ(dialog.Control("lbNames").Text, Text("fmXALConfigPrinter_lbNamesCaption_Multi"));
  EXPECT_EQ(dialog.Control("lbPrintersLabel").Text,
            Text("fmXALConfigPrinter_lbPrintersLabelCaption_Multi"));
  EXPECT_EQ(dialog.Control("lbPrinters").Kind, TXALControlKind::MultiList);
  EXPECT_EQ(dialog.Control("lbPrinters").Items, sim.printers.installed);
  EXPECT_EQ(dialog.TipText("lbPrinters", 1), "HP LaserJet");

  dialog.SetSelected("lbPrinters", 3, true);
  dialog.SetSelected("lbPrinters", 0, true);
  dialog.SetSelected("lbPrinters", 1, true);
  EXPECT_EQ(dialog.Names(), "Canon,HP LaserJet,Epson");
  EXPECT_EQ(dialog.TipText("edNames", -1), "Canon,HP LaserJet,Epson");
  dialog.SetSelected("lbPrinters", 1, false);
  EXPECT_EQ(dialog.Names(), "Canon,Epson");
  dialog.Select("lbPrinters", 2);
  EXPECT_EQ(dialog.Names(), "Brother") << "a plain click selects that line alone";
  dialog.SetSelected("lbPrinters", 2, false);
  EXPECT_EQ(dialog.Names(), "") << "nothing selected, no names";

  dialog.Type("edNames", "Canon, epson");
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(dialog.Names(), "Canon, epson");
}

TEST_F(PrinterDialog, SingleModeSelectsThePresetPrinterAndTakesOneLine) {
  TfmXALConfigPrinter dialog(context, TXALPrinterChoice::Single);
  dialog.SetNames("hp laserjet");
  dialog.Show();
  EXPECT_EQ(dialog.Control("lbNames").Text, Text("fmXALConfigPrinter_lbNamesCaption_Single"));
  EXPECT_EQ(dialog.Control("lbPrintersLabel").Text,
            Text("fmXALConfigPrinter_lbPrintersLabelCaption_Single"));
  EXPECT_EQ(dialog.Control("lbPrinters").Kind, TXALControlKind::List);
  EXPECT_EQ(dialog.Control("lbPrinters").ItemIndex, 1);
  EXPECT_EQ(dialog.Names(), "hp laserjet") << "selecting the line leaves the text as preset";

  dialog.Select("lbPrinters", 2);
  EXPECT_EQ(dialog.Names(), "Brother");
  dialog.PressEnter("edNames");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
}

TEST_F(PrinterDialog, PrintersThatCantBeListedLeaveTheListEmptyAndSayWhy) {
  sim.printers.fail = true;
  TfmXALConfigPrinter dialog(context, TXALPrinterChoice::Single);
  host.scripts.push_back([](TXALDialog& d) {
    d.Type("edNames", "Office printer");
    d.Click("btOK");
  });
  EXPECT_EQ(host.ShowModal(dialog), TXALModalResult::OK);
  EXPECT_TRUE(dialog.Control("lbPrinters").Items.empty());
  EXPECT_EQ(host.messages, Names{"The printers can't be enumerated."});
  EXPECT_EQ(dialog.Names(), "Office printer");
}

TEST_F(PrinterDialog, RefusesNamesTheDataFileCantHold) {
  TfmXALConfigPrinter dialog(context, TXALPrinterChoice::Several);
  dialog.Show();
  dialog.Type("edNames", std::string("Canon,\x02", 7));
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
  EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+0002)");
}

TEST(PrintersToAdd, SplitsTrimsAndLeavesOutKnownNamesWhateverTheirCase) {
  TXALPrinters existing(nullptr);
  existing.Add("HP LaserJet");
  existing.Add("Canon");
  struct Case {
    const char* text;
    Names added;
  };
  const Case cases[] = {
      {"Brother,Epson", {"Brother", "Epson"}},
      {"  hp laserjet , Brother,, \tbrother ,Epson  ", {"Brother", "Epson"}},
      {"CANON,HP LASERJET", {}},
      {"Office Printer 2", {"Office Printer 2"}},
      {"", {}},
      {" , ,", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PrintersToAdd(c.text, existing), c.added) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace xal
