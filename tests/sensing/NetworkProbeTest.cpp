// The adapter probe: caption and gateway clean-up, address lines, the name-server test and the
// reading of one adapter's configuration, driven through the simulated platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALNetwork.h"

namespace xal {
namespace {

using sim::kAdapterClass;
using sim::SimAdapter;
using sim::SimObject;

const char* const kEthernetID = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
const char* const kWlanID = "{8A1D2C3B-0000-4000-8000-00AA00BB00CC}";

std::string InterfaceKey(const std::string& settingID) {
  return kInterfacesKey + settingID;
}

TEST(StripAdapterIndex, DropsOnlyALeadingBracketedIndex) {
  const struct {
    const char* caption;
    const char* expected;
  } cases[] = {
      {"[00000007] Intel(R) Ethernet Connection", "Intel(R) Ethernet Connection"},
      {"[00000001]\t Realtek [PCIe] GbE \r\n", "Realtek [PCIe] GbE"},
      {"Realtek [PCIe] GbE", "Realtek [PCIe] GbE"},
      {" [00000007] Intel", " [00000007] Intel"},
      {"[00000003]", ""},
      {"[no closing bracket ", "[no closing bracket"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StripAdapterIndex(c.caption), c.expected) << c.caption;
  }
}

TEST(NormalizeGateway, OnlyTheExactUnspecifiedAddressBecomesEmpty) {
  EXPECT_EQ(NormalizeGateway("0.0.0.0"), "");
  EXPECT_EQ(NormalizeGateway("192.168.1.1"), "192.168.1.1");
  EXPECT_EQ(NormalizeGateway("0.0.0.0 "), "0.0.0.0 ");
}

TEST(AddressLine, SurvivesCaptionsWithParenthesesAndCommas) {
  const std::string line =
      MakeAddressLine("10.0.0.5", "[00000002] Intel(R) PRO/1000 (Port 2, copper)", kEthernetID);
  EXPECT_EQ(line, std::string("10.0.0.5(Intel(R) PRO/1000 (Port 2, copper),") + kEthernetID + ")");
  EXPECT_EQ(AddressOfLine(line), "10.0.0.5");
  EXPECT_EQ(SettingIDOfLine(line), kEthernetID);

  EXPECT_EQ(AddressOfLine("10.0.0.5"), "10.0.0.5");
  EXPECT_EQ(SettingIDOfLine("10.0.0.5(no id)"), "");
  EXPECT_EQ(SettingIDOfLine("10.0.0.5(a,b"), "");
}

TEST(IsDNSAutomatic, TrueOnlyForAnExistingKeyWithoutNameServers) {
  sim::SimRegistry registry;
  EXPECT_FALSE(IsDNSAutomatic(registry, kEthernetID)) << "missing key";

  registry.AddKey(TXALRegistryRoot::LocalMachine, InterfaceKey(kEthernetID));
  EXPECT_TRUE(IsDNSAutomatic(registry, kEthernetID)) << "missing value reads as empty";

  registry.SetString(TXALRegistryRoot::LocalMachine, InterfaceKey(kEthernetID), "NameServer", "");
  EXPECT_TRUE(IsDNSAutomatic(registry, kEthernetID));

  registry.SetString(TXALRegistryRoot::LocalMachine, InterfaceKey(kEthernetID), "NameServer",
                     "10.0.0.53,10.0.0.54");
  EXPECT_FALSE(IsDNSAutomatic(registry, kEthernetID));

  // The key lives under the local machine, not the user.
  sim::SimRegistry userOnly;
  userOnly.SetString(TXALRegistryRoot::CurrentUser, InterfaceKey(kEthernetID), "NameServer", "");
  EXPECT_FALSE(IsDNSAutomatic(userOnly, kEthernetID));
}

class GetIPStatusTest : public ::testing::Test {
 protected:
  // An adapter with a static configuration: gateway, and name servers in the registry.
  static SimObject StaticEthernet() {
    return SimAdapter(kEthernetID, "[00000007] Intel(R) Ethernet", {"10.0.0.5", "fe80::1"})
        .Set("IPSubnet", std::vector<std::string>{"255.255.255.0", "64"})
        .Set("DefaultIPGateway", std::vector<std::string>{"10.0.0.1"})
        .Set("DNSServerSearchOrder", std::vector<std::string>{"10.0.0.53", "10.0.0.54"});
  }

  void SetNameServers(const std::string& settingID, const std::string& servers) {
    sim_.registry.SetString(TXALRegistryRoot::LocalMachine, InterfaceKey(settingID), "NameServer",
                            servers);
  }

  TXALIPStatus Read(const std::string& settingID) {
    TXALIPStatus status;
    status.Address = "stale";
    status.DHCP = true;
    GetIPStatus(sim_.Platform(), settingID, status);
    return status;
  }

  sim::SimPlatform sim_;
};

TEST_F(GetIPStatusTest, ReadsTheAdapterWithTheSettingID) {
  SetNameServers(kEthernetID, "10.0.0.53,10.0.0.54");
  sim_.management.SetObjects(kAdapterClass,
                             {SimAdapter(kWlanID, "Wireless", {"192.168.1.20"}), StaticEthernet()});

  const TXALIPStatus status = Read(kEthernetID);

  EXPECT_EQ(status.Adapter, "Intel(R) Ethernet");
  EXPECT_EQ(status.Address, "10.0.0.5");
  EXPECT_EQ(status.SubnetMask, "255.255.255.0");
  EXPECT_EQ(status.Gateway, "10.0.0.1");
  EXPECT_EQ(status.DNS1, "10.0.0.53");
  EXPECT_EQ(status.DNS2, "10.0.0.54");
  EXPECT_FALSE(status.DHCP);
  EXPECT_EQ(sim_.management.Queries(),
            std::vector<std::string>{
                "Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE"});
}

TEST_F(GetIPStatusTest, UnknownSettingIDLeavesTheStatusCleared) {
  sim_.management.SetObjects(kAdapterClass, {StaticEthernet()});
  EXPECT_EQ(Read(kWlanID), TXALIPStatus());
}

TEST_F(GetIPStatusTest, DhcpAdapterWithoutGateway) {
  sim_.management.SetObjects(kAdapterClass,
                             {StaticEthernet()
                                  .Set("DHCPEnabled", true)
                                  .Set("DefaultIPGateway", std::vector<std::string>{"0.0.0.0"})});
  const TXALIPStatus status = Read(kEthernetID);
  EXPECT_TRUE(status.DHCP);
  EXPECT_EQ(status.Gateway, "");
}

TEST_F(GetIPStatusTest, NameServersAreTakenOnlyWhenStaticAndOnlyIPv4) {
  const struct {
    const char* name;
    std::optional<std::string> registryValue;  // nullopt: no interface key
    std::optional<std::vector<std::string>> service;
    const char* dns1;
    const char* dns2;
  } cases[] = {
      {"static", "10.0.0.53,10.0.0.54", std::vector<std::string>{"10.0.0.53", "10.0.0.54"},
       "10.0.0.53", "10.0.0.54"},
      {"from DHCP", "", std::vector<std::string>{"10.0.0.53", "10.0.0.54"}, "", ""},
      {"key missing", std::nullopt, std::vector<std::string>{"8.8.8.8"}, "8.8.8.8", ""},
      {"three with IPv6 first", "x",
       std::vector<std::string>{"2001:db8::53", "1.1.1.1", "8.8.8.8", "9.9.9.9"}, "1.1.1.1",
       "8.8.8.8"},
      {"invalid entries use no slot", "x",
       std::vector<std::string>{"1.1.1.1", "1.1.1.256", " 8.8.8.8", "8.8.4.4"}, "1.1.1.1",
       "8.8.4.4"},
      {"null list", "x", std::nullopt, "", ""},
  };
  for (const auto& c : cases) {
    sim::SimPlatform sim;
    if (c.registryValue) {
      sim.registry.SetString(TXALRegistryRoot::LocalMachine, InterfaceKey(kEthernetID),
                             "NameServer", *c.registryValue);
    }
    SimObject adapter = StaticEthernet();
    if (c.service) {
      adapter.Set("DNSServerSearchOrder", *c.service);
    } else {
      adapter.SetNull("DNSServerSearchOrder");
    }
    sim.management.SetObjects(kAdapterClass, {adapter});
    TXALIPStatus status;
    GetIPStatus(sim.Platform(), kEthernetID, status);
    EXPECT_EQ(status.DNS1, c.dns1) << c.name;
    EXPECT_EQ(status.DNS2, c.dns2) << c.name;
  }
}

TEST_F(GetIPStatusTest, AFailingPropertyKeepsWhatWasReadBeforeIt) {
  SetNameServers(kEthernetID, "10.0.0.53");
  // Read order: SettingID, Caption, DHCPEnabled, IPAddress, IPSubnet, DefaultIPGateway, DNS.
  sim_.management.SetObjects(kAdapterClass,
                             {StaticEthernet().Set("DHCPEnabled", true).Fail("IPSubnet")});
  TXALIPStatus status = Read(kEthernetID);
  EXPECT_EQ(status.Adapter, "Intel(R) Ethernet");
  EXPECT_TRUE(status.DHCP);
  EXPECT_EQ(status.Address, "10.0.0.5");
  EXPECT_EQ(status.SubnetMask, "");
  EXPECT_EQ(status.Gateway, "");
  EXPECT_EQ(status.DNS1, "");

  // An adapter without a gateway reports null, which ends the reading before the DNS servers.
  sim_.management.SetObjects(kAdapterClass, {StaticEthernet().SetNull("DefaultIPGateway")});
  status = Read(kEthernetID);
  EXPECT_EQ(status.SubnetMask, "255.255.255.0");
  EXPECT_EQ(status.Gateway, "");
  EXPECT_EQ(status.DNS1, "");
  EXPECT_EQ(status.DNS2, "");
}

TEST_F(GetIPStatusTest, AnAdapterThatCannotBeReadDoesNotHideTheOthers) {
  sim_.management.SetObjects(
      kAdapterClass, {SimAdapter(kWlanID, "Broken", {"192.168.1.20"}).Fail("SettingID"),
                      SimAdapter(kWlanID, "Also broken", {"192.168.1.21"}).Set("SettingID", true),
                      StaticEthernet()});
  EXPECT_EQ(Read(kEthernetID).Address, "10.0.0.5");
}

TEST_F(GetIPStatusTest, TakesTheFirstIPv4AddressWhenIPv6IsListedFirst) {
  sim_.management.SetObjects(
      kAdapterClass,
      {SimAdapter(kEthernetID, "Wine adapter", {"fe80::1", "2001:db8::5", "10.0.0.5"})
           .Set("IPSubnet", std::vector<std::string>{"64", "64", "255.255.0.0"})});
  const TXALIPStatus status = Read(kEthernetID);
  EXPECT_EQ(status.Address, "10.0.0.5");
  EXPECT_EQ(status.SubnetMask, "255.255.0.0");
}

TEST_F(GetIPStatusTest, ServiceFailuresRaiseAndLeaveTheStatusCleared) {
  sim_.management.SetObjects(kAdapterClass, {StaticEthernet(), StaticEthernet()});
  sim_.management.SetUnreachable(true);
  TXALIPStatus status;
  status.Address = "stale";
  EXPECT_THROW(GetIPStatus(sim_.Platform(), kEthernetID, status), EXALError);
  EXPECT_EQ(status, TXALIPStatus());

  sim_.management.SetUnreachable(false);
  sim_.management.FailEnumerationAfter(1);
  status.Address = "stale";
  EXPECT_THROW(GetIPStatus(sim_.Platform(), kEthernetID, status), EXALError);
  EXPECT_EQ(status, TXALIPStatus());
}

}  // namespace
}  // namespace xal
