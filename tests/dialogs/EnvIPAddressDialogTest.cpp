#include <string>
#include <vector>

#include "DialogFixture.h"
#include "catalogue/XALErrors.h"
#include "platform/sim/SimManagementService.h"
#include "ui/XALConfigEnvIPAddress.h"

namespace xal {
namespace {

using Lines = std::vector<std::string>;

const char* const kEthernetID = "{11111111-0000-0000-0000-000000000001}";
const char* const kWlanID = "{44444444-0000-0000-0000-000000000004}";

class EnvIPAddressDialog : public DialogFixture {
 protected:
  void SetAdapters(std::vector<sim::SimObject> adapters) {
    sim.management.SetObjects(sim::kAdapterClass, std::move(adapters));
    current.RefreshIPAddresses();
  }
};

TEST_F(EnvIPAddressDialog, OKTakesOnlyAWholeWildcardPattern) {
  struct Case {
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {"192.168.*.*", true},      {"*.*.*.*", true},
      {"010.0.0.1", true},        {"255.255.255.0", true},
      {"192.168.1.2*", false},    {"192.168.1", false},
      {"192.168.1.256", false},   {"1.2.3.4.5", false},
      {"**.1.1.1", false},        {"", false},
      {" 192.168.1.1", false},    {"192.168.1.1 ", false},
      {"192.168.1.1\r\n", false}, {"192.168.1.1\n", false},
  };
  for (const Case& c : cases) {
    TfmXALConfigEnvIPAddress dialog(context);
    dialog.SetAddress(c.text);
    dialog.Show();
    dialog.Click("btOK");
    if (c.accepted) {
      EXPECT_EQ(dialog.Result(), TXALModalResult::OK) << '"' << c.text << '"';
      EXPECT_FALSE(dialog.HasMessage()) << c.text;
      EXPECT_EQ(dialog.Address(), c.text);
    } else {
      EXPECT_EQ(dialog.Result(), TXALModalResult::None) << '"' << c.text << '"';
      EXPECT_EQ(dialog.TakeMessage(), Text("fmXALConfigEnvIPAddress_InvalidIPAddressMsg"))
          << c.text;
    }
  }
}

TEST_F(EnvIPAddressDialog, APickedLineGivesItsAddressWithOrWithoutTheWildcard) {
  // The caption holds parentheses and a comma of its own; the address ends at the first "(".
  SetAdapters({sim::SimAdapter(kEthernetID, "Intel(R) PRO/1000, Port 2", {"172.16.5.20"}),
               sim::SimAdapter(kWlanID, "Wireless", {"10.0.0.5"})});
  TfmXALConfigEnvIPAddress dialog(context);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigEnvIPAddressCaption"));
  EXPECT_EQ(dialog.Control("cbImportWithWildcard").Text,
            Text("fmXALConfigEnvIPAddress_cbImportWithWildcardCaption"));
  EXPECT_EQ(dialog.Control("lbIPAddresses").Items, current.lbIPAddresses());
  EXPECT_EQ(dialog.TipText("lbIPAddresses", 0), current.lbIPAddresses()[0]);
  ASSERT_TRUE(dialog.Control("cbImportWithWildcard").Checked);

  dialog.Select("lbIPAddresses", 0);
  EXPECT_EQ(dialog.Address(), "172.16.5.*");
  dialog.Click("cbImportWithWildcard");
  dialog.Select("lbIPAddresses", 0);
  EXPECT_EQ(dialog.Address(), "172.16.5.20");
  dialog.Select("lbIPAddresses", -1);
  EXPECT_EQ(dialog.Address(), "172.16.5.20");
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);

  EXPECT_EQ(PatternOfAddressLine("10.0.0.5(eth0,{X})", true), "10.0.0.*");
  EXPECT_EQ(PatternOfAddressLine("10.0.0.5", false), "10.0.0.5");
}

TEST_F(EnvIPAddressDialog, FreshAddressesPushedWhileOpenReplaceTheListAndAFailureKeepsIt) {
  SetAdapters({sim::SimAdapter(kEthernetID, "Ethernet", {"10.0.0.5", "10.0.0.6"})});
  TfmXALConfigEnvIPAddress dialog(context);
  dialog.Show();
  dialog.Select("lbIPAddresses", 1);

  SetAdapters({sim::SimAdapter(kWlanID, "Wireless", {"192.168.1.20"})});
  const Lines fresh = {std::string("192.168.1.20(Wireless,") + kWlanID + ")"};
  EXPECT_EQ(dialog.Control("lbIPAddresses").Items, fresh);
  EXPECT_EQ(dialog.Control("lbIPAddresses").ItemIndex, -1);
  EXPECT_EQ(dialog.Address(), "10.0.0.*") << "the picked pattern stays";

  sim.management.SetUnreachable(true);
  EXPECT_THROW(current.RefreshIPAddresses(), EXALError);
  EXPECT_EQ(dialog.Control("lbIPAddresses").Items, fresh);
}

}  // namespace
}  // namespace xal
