// The target IP address dialog: the current adapters offered and read anew when one is picked,
// fresh lines while it is open, and the values the IP settings helper could not use.
#include <string>
#include <vector>

#include "DialogFixture.h"
#include "catalogue/XALTargetNetwork.h"
#include "ui/XALConfigTargetIPAddress.h"

namespace xal {
namespace {

using sim::kAdapterClass;
using sim::SimAdapter;
using sim::SimObject;
using Lines = std::vector<std::string>;

const char* const kEthernetID = "{11111111-0000-0000-0000-000000000001}";
const char* const kWlanID = "{44444444-0000-0000-0000-000000000004}";

class TargetIPAddressDialog : public DialogFixture {
 protected:
  TargetIPAddressDialog() {
    SetNameServers(kEthernetID, "10.0.0.53,10.0.0.54");
    SetNameServers(kWlanID, "9.9.9.9");
    sim.management.SetObjects(kAdapterClass, {Ethernet(), Wlan()});
    current.RefreshIPAddresses();
  }

  static SimObject Ethernet() {
    return SimAdapter(kEthernetID, "[00000007] Intel(R) Ethernet", {"10.0.0.5"})
        .Set("DefaultIPGateway", std::vector<std::string>{"10.0.0.1"})
        .Set("DNSServerSearchOrder", std::vector<std::string>{"10.0.0.53", "10.0.0.54"});
  }
  // On DHCP, with one name server of its own.
  static SimObject Wlan() {
    return SimAdapter(kWlanID, "Wireless (2.4, 5 GHz)", {"192.168.1.20"})
        .Set("DHCPEnabled", true)
        .Set("DefaultIPGateway", std::vector<std::string>{"192.168.1.1"})
        .Set("DNSServerSearchOrder", std::vector<std::string>{"9.9.9.9"});
  }
  void SetNameServers(const std::string& settingID, const std::string& servers) {
    sim.registry.SetString(TXALRegistryRoot::LocalMachine, kInterfacesKey + settingID, "NameServer",
                           servers);
  }

  Lines Fields(const TXALDialog& dialog) const {
    Lines fields;
    for (const char* name :
         {"edAdapter", "edAddress", "edSubnetMask", "edGateway", "edDNS1", "edDNS2"}) {
      fields.push_back(dialog.Control(name).Text);
    }
    return fields;
  }
};

TEST_F(TargetIPAddressDialog, ShowsTheSettingAndTheCurrentAdapters) {
  TXALComponent owner;
  TXALTargetIPSetting setting(&owner);
  setting.Adapter = "Intel";
  setting.Address = "10.0.0.9";
  setting.SubnetMask = "255.255.255.0";
  TfmXALConfigTargetIPAddress dialog(context);
  dialog.SetSetting(setting);
  dialog.Show();

  EXPECT_EQ(dialog.Title(), Text("fmXALConfigTargetIPAddressCaption"));
  EXPECT_EQ(dialog.Control("lbCurrentAddressesLabel").Text,
            Text("fmXALConfigTargetIPAddress_lbCurrentAddressesCaption"));
  EXPECT_EQ(dialog.Control("btOK").Text, Text("fmXALConfigTargetIPAddress_btOkCaption"));
  EXPECT_EQ(Fields(dialog), (Lines{"Intel", "10.0.0.9", "255.255.255.0", "", "", ""}));
  EXPECT_EQ(dialog.Control("lbCurrentAddresses").Items, current.lbIPAddresses());
  ASSERT_EQ(current.lbIPAddresses().size(), 2u);
  EXPECT_EQ(dialog.TipText("lbCurrentAddresses", 1), current.lbIPAddresses()[1]);
  EXPECT_EQ(dialog.TipText("lbCurrentAddresses", 2), "");
  EXPECT_EQ(dialog.TipText("edAddress", -1), "10.0.0.9");
}

TEST_F(TargetIPAddressDialog, PickingAnAdapterReadsItsConfigurationNow) {
  TfmXALConfigTargetIPAddress dialog(context);
  dialog.Show();
  // Changed since the store was filled: the pick reads the adapter as it is.
  sim.management.SetObjects(
      kAdapterClass,
      {Ethernet().Set("DefaultIPGateway", std::vector<std::string>{"10.0.0.254"}), Wlan()});

  dialog.Select("lbCurrentAddresses", 0);
  EXPECT_EQ(Fields(dialog), (Lines{"Intel(R) Ethernet", "10.0.0.5", "255.255.255.0", "10.0.0.254",
                                   "10.0.0.53", "10.0.0.54"}));

  // DHCP gives address, mask and gateway; the name server set by hand stays.
  dialog.Select("lbCurrentAddresses", 1);
  EXPECT_EQ(Fields(dialog), (Lines{"Wireless (2.4, 5 GHz)", "DHCP", "", "", "9.9.9.9", ""}));

  dialog.Select("lbCurrentAddresses", -1);
  EXPECT_EQ(Fields(dialog)[1], "DHCP") << "a click beside the lines changes nothing";

  dialog.Click("btOK");
  ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
  TXALComponent owner;
  TXALTargetIPSetting setting(&owner);
  dialog.GetSetting(setting);
  EXPECT_EQ(setting.Adapter, "Wireless (2.4, 5 GHz)");
  EXPECT_EQ(setting.Address, "DHCP");
  EXPECT_EQ(setting.SubnetMask, "");
  EXPECT_EQ(setting.DNS1, "9.9.9.9");
}

TEST_F(TargetIPAddressDialog, AServiceThatCantBeReachedIsToldAndLeavesTheFields) {
  TfmXALConfigTargetIPAddress dialog(context);
  dialog.Show();
  dialog.Type("edAdapter", "Intel");
  sim.management.SetUnreachable(true);
  dialog.Select("lbCurrentAddresses", 0);
  EXPECT_TRUE(dialog.HasMessage());
  EXPECT_EQ(Fields(dialog), (Lines{"Intel", "", "", "", "", ""}));
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

TEST_F(TargetIPAddressDialog, FreshAddressLinesReachTheOpenDialogOnly) {
  auto dialog = std::make_unique<TfmXALConfigTargetIPAddress>(context);
  dialog->Show();
  int redraws = 0;
  dialog->SetChangedHandler([&] { ++redraws; });
  dialog->Select("lbCurrentAddresses", 0);

  sim.management.SetObjects(kAdapterClass, {Wlan()});
  current.RefreshIPAddresses();
  EXPECT_EQ(dialog->Control("lbCurrentAddresses").Items, current.lbIPAddresses());
  EXPECT_EQ(dialog->Control("lbCurrentAddresses").ItemIndex, -1);
  EXPECT_EQ(redraws, 1);

  dialog.reset();
  sim.management.SetObjects(kAdapterClass, {});
  current.RefreshIPAddresses();  // no dialog left to tell
  EXPECT_TRUE(current.lbIPAddresses().empty());
}

// The helper refuses a whole hand-off for one value it can't use, so such a value is refused
// where it is typed.
TEST_F(TargetIPAddressDialog, RefusesWhatTheIPSettingsHelperCantUse) {
  const std::string notIPv4 = Text("fmXALConfigTargetIPAddress_InvalidIPv4Msg");
  const struct {
    Lines fields;  // address, mask, gateway, DNS 1, DNS 2
    std::string message;
  } cases[] = {
      {{"", "", "", "", ""}, ""},
      {{"192.168.1.10", "255.255.255.0", "192.168.1.1", "8.8.8.8", "8.8.4.4"}, ""},
      {{"DHCP", "", "", "8.8.8.8", ""}, ""},
      {{"DHCP", "255.255.255.0", "", "", ""}, ""},  // the server's mask wins; the helper notes it
      {{"", "", "10.0.0.1", "", ""}, ""},
      {{"dhcp", "", "", "", ""}, Text("fmXALConfigTargetIPAddress_InvalidAddressMsg")},
      {{"10.0.0.256", "255.0.0.0", "", "", ""},
       Text("fmXALConfigTargetIPAddress_InvalidAddressMsg")},
      {{" 10.0.0.5", "255.0.0.0", "", "", ""},
       Text("fmXALConfigTargetIPAddress_InvalidAddressMsg")},
      {{"10.0.0.5", "255.0.255.0", "", "", ""},
       Text("fmXALConfigTargetIPAddress_InvalidSubnetMaskMsg")},
      {{"10.0.0.5", "0.0.0.0", "", "", ""},
       Text("fmXALConfigTargetIPAddress_InvalidSubnetMaskMsg")},
      {{"10.0.0.5", "/24", "", "", ""}, Text("fmXALConfigTargetIPAddress_InvalidSubnetMaskMsg")},
      {{"", "", "router", "", ""}, notIPv4 + "Default gateway"},
      {{"", "", "", "8.8.8", ""}, notIPv4 + "Preferred DNS server"},
      {{"", "", "", "", "8.8.4.4 "}, notIPv4 + "Alternate DNS server"},
      {{"10.0.0.5", "", "", "", ""}, Text("fmXALConfigTargetIPAddress_AddressAndMaskMsg")},
      {{"", "255.255.255.0", "", "", ""}, Text("fmXALConfigTargetIPAddress_AddressAndMaskMsg")},
  };
  const char* const edits[] = {"edAddress", "edSubnetMask", "edGateway", "edDNS1", "edDNS2"};
  for (const auto& c : cases) {
    TfmXALConfigTargetIPAddress dialog(context);
    dialog.Show();
    dialog.Type("edAdapter", "Intel");
    for (std::size_t i = 0; i < c.fields.size(); ++i) {
      dialog.Type(edits[i], c.fields[i]);
    }
    dialog.Click("btOK");
    const std::string shown = c.fields[0] + "|" + c.fields[1] + "|" + c.fields[2];
    EXPECT_EQ(dialog.TakeMessage(), c.message) << shown;
    EXPECT_EQ(dialog.Result(), c.message.empty() ? TXALModalResult::OK : TXALModalResult::None)
        << shown;
  }
}

TEST_F(TargetIPAddressDialog, RefusesTextTheDataFileCantHold) {
  TfmXALConfigTargetIPAddress dialog(context);
  dialog.Show();
  dialog.Type("edAdapter", "Intel\x02");
  dialog.Click("btOK");
  EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+0002)");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

}  // namespace
}  // namespace xal
