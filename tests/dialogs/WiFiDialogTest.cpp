#include <memory>
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "ui/XALConfigWiFi.h"

namespace xal {
namespace {

using Lines = std::vector<std::string>;
using WiFiDialog = DialogFixture;

TEST_F(WiFiDialog, OffersEachNetworkInReachOnceWhateverItsCase) {
  // Connected or not, every network in reach is offered; one reported per profile and in
  // another letter case is offered once.
  sim.wireless.SetNetworks({{1, "Office"}, {0, "cafe"}, {0, "CAFE"}, {0, "Lab"}, {0, "office"}});
  TfmXALConfigWiFi dialog(context);
  dialog.SetName("Office");
  dialog.Show();

  EXPECT_EQ(dialog.Title(), Text("fmXALConfigWiFiCaption"));
  EXPECT_EQ(dialog.Control("lbAccessPointsLabel").Text,
            Text("fmXALConfigWiFi_lbAccessPointsLabelCaption"));
  EXPECT_EQ(dialog.Control("btOK").Text, Text("fmXALConfigWiFi_btOkCaption"));
  EXPECT_EQ(dialog.Control("edName").Text, "Office");
  EXPECT_EQ(dialog.Control("lbAccessPoints").Items, (Lines{"Office", "cafe", "Lab"}));
  EXPECT_EQ(dialog.TipText("lbAccessPoints", 1), "cafe");
  EXPECT_EQ(dialog.TipText("lbAccessPoints", 3), "");

  dialog.Select("lbAccessPoints", 2);
  EXPECT_EQ(dialog.Name(), "Lab");
  dialog.Select("lbAccessPoints", -1);
  EXPECT_EQ(dialog.Name(), "Lab") << "a click below the lines changes nothing";
  EXPECT_EQ(dialog.TipText("edName", -1), "Lab");
  dialog.PressEnter("edName");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
}

TEST_F(WiFiDialog, TheConnectedNetworkPushedWhileOpenReplacesTheList) {
  sim.wireless.SetNetworks({{0, "Cafe"}, {0, "Lab"}});
  auto dialog = std::make_unique<TfmXALConfigWiFi>(context);
  int redraws = 0;
  dialog->SetChangedHandler([&] { ++redraws; });
  dialog->Show();
  dialog->Select("lbAccessPoints", 1);

  sim.wireless.SetNetworks({{0, "Cafe"}, {1, "Home"}});
  current.RefreshWiFi();
  EXPECT_EQ(dialog->Control("lbAccessPoints").Items, Lines{"Home"});
  EXPECT_EQ(dialog->Control("lbAccessPoints").ItemIndex, -1);
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(dialog->Name(), "Lab") << "the typed name stays";

  // Once the dialog is gone the store pushes to nobody.
  dialog.reset();
  current.RefreshWiFi();
  EXPECT_EQ(current.lbWiFi(), Lines{"Home"});
}

TEST_F(WiFiDialog, TakesAnyNameButOneTheDataFileCantHold) {
  TfmXALConfigWiFi dialog(context);
  dialog.SetName("Office");
  dialog.Show();
  EXPECT_TRUE(dialog.Control("lbAccessPoints").Items.empty()) << "no wireless service";
  dialog.Type("edName", std::string("Caf\x7F\x1B", 5));
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
  EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+001B)");
  dialog.Type("edName", "");
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(dialog.Name(), "") << "an empty name removes the condition";
}

}  // namespace
}  // namespace xal
