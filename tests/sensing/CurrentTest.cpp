// The probe-result store: its lists after each refresh, what open dialogs are told, and what a
// failing service leaves behind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALCurrent.h"

namespace xal {
namespace {

using sim::kAdapterClass;
using sim::kPrinterClass;
using sim::SimAdapter;
using sim::SimMonitor;
using sim::SimPrinter;
using Lines = std::vector<std::string>;

const char* const kEthernetID = "{11111111-0000-0000-0000-000000000001}";
const char* const kWineID = "{22222222-0000-0000-0000-000000000002}";
const char* const kTunnelID = "{33333333-0000-0000-0000-000000000003}";
const char* const kWlanID = "{44444444-0000-0000-0000-000000000004}";

// Records what a dialog would have been given.
class RecordingDialog : public IXALCurrentListener {
 public:
  void OnIPAddressesChanged(const std::vector<std::string>& lines) override {
    addresses.push_back(lines);
  }
  void OnWiFiChanged(const std::vector<std::string>& names) override { wifi.push_back(names); }
  void OnDisplaysChanged(const std::vector<TXALDisplayLine>& lines) override {
    displays.push_back(lines);
  }
  void OnPrintersChanged(const std::vector<std::string>& names) override {
    printers.push_back(names);
  }
  void OnLabelsChanged() override { ++labelReads; }
  void OnRefreshFailed() override { ++failures; }
  std::vector<Lines> addresses;
  std::vector<Lines> wifi;
  std::vector<std::vector<TXALDisplayLine>> displays;
  std::vector<Lines> printers;
  int labelReads = 0;
  int failures = 0;
};

class CurrentStore : public ::testing::Test {
 protected:
  CurrentStore() : current_(sim_.Platform(), language_) {
    language_.Load(
        "fmXALCurrent_NoProxyMsg=(no proxy server)\r\n"
        "fmXALCurrent_NoAutoConfigURLMsg=(no script)\r\n");
    current_.AddListener(&dialog_);
  }

  void ExpectInvariant() {
    ASSERT_EQ(current_.IPStatuses().Count(), static_cast<int>(current_.lbIPAddresses().size()));
  }

  sim::SimPlatform sim_;
  TXALLanguage language_;
  TfmXALCurrent current_;
  RecordingDialog dialog_;
};

TEST_F(CurrentStore, OneLineAndOneStatusPerIPv4Address) {
  sim_.management.SetObjects(
      kAdapterClass,
      {SimAdapter(kEthernetID, "[00000007] Intel(R) PRO/1000, Port 2", {"10.0.0.5", "10.0.0.6"})
           .Set("IPSubnet", std::vector<std::string>{"255.0.0.0", "255.255.0.0"})
           .Set("DefaultIPGateway", std::vector<std::string>{"10.0.0.1"}),
       SimAdapter(kTunnelID, "Teredo", {"2001:0:53aa::1", "fe80::1"}),
       SimAdapter(kWineID, "eth0", {"fe80::5054:ff:fe12:3456", "192.168.122.15"})
           .Set("IPSubnet", std::vector<std::string>{"64", "255.255.255.0"})});

  current_.RefreshIPAddresses();

  const Lines expected = {
      std::string("10.0.0.5(Intel(R) PRO/1000, Port 2,") + kEthernetID + ")",
      std::string("10.0.0.6(Intel(R) PRO/1000, Port 2,") + kEthernetID + ")",
      std::string("192.168.122.15(eth0,") + kWineID + ")",
  };
  EXPECT_EQ(current_.lbIPAddresses(), expected);
  ExpectInvariant();
  // Every entry holds its adapter's configuration, whichever of its addresses the line shows.
  for (int i : {0, 1}) {
    EXPECT_EQ(current_.IPStatus(i).Address, "10.0.0.5");
    EXPECT_EQ(current_.IPStatus(i).SubnetMask, "255.0.0.0");
    EXPECT_EQ(current_.IPStatus(i).Gateway, "10.0.0.1");
    EXPECT_EQ(current_.IPStatus(i).Adapter, "Intel(R) PRO/1000, Port 2");
  }
  EXPECT_EQ(current_.IPStatus(2).Address, "192.168.122.15");
  EXPECT_EQ(current_.IPStatus(2).SubnetMask, "255.255.255.0");
  EXPECT_EQ(dialog_.addresses, std::vector<Lines>{expected});
  EXPECT_EQ(sim_.management.Queries().front(),
            "Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE");
}

TEST_F(CurrentStore, AnAdapterThatCannotBeReadIsLeftOutAndTheRestListed) {
  sim_.management.SetObjects(kAdapterClass,
                             {SimAdapter(kEthernetID, "Broken", {"10.0.0.5"}).Fail("Caption"),
                              SimAdapter(kWlanID, "Wireless", {"192.168.1.20"}).Fail("IPAddress"),
                              SimAdapter(kWineID, "eth0", {"192.168.122.15"})});
  current_.RefreshIPAddresses();
  EXPECT_EQ(current_.lbIPAddresses(), Lines{std::string("192.168.122.15(eth0,") + kWineID + ")"});
  ExpectInvariant();
}

TEST_F(CurrentStore, OneQueryServesTheLinesAndTheStatuses) {
  sim_.management.SetObjects(kAdapterClass,
                             {SimAdapter(kEthernetID, "Ethernet", {"10.0.0.5", "10.0.0.6"}),
                              SimAdapter(kWlanID, "Wireless", {"10.0.0.9"})});
  // A service that answers a single query still gives every line and its status.
  sim_.management.FailQueriesAfter(1);
  current_.RefreshIPAddresses();
  EXPECT_EQ(sim_.management.Queries().size(), 1u);
  ASSERT_EQ(current_.lbIPAddresses().size(), 3u);
  EXPECT_EQ(current_.IPStatus(1).Address, "10.0.0.5");
  EXPECT_EQ(current_.IPStatus(2).Adapter, "Wireless");
  ExpectInvariant();
}

TEST_F(CurrentStore, FailingServiceEmptiesBothListsAndTellsNoDialog) {
  sim_.management.SetObjects(kAdapterClass, {SimAdapter(kEthernetID, "Ethernet", {"10.0.0.5"}),
                                             SimAdapter(kWlanID, "Wireless", {"10.0.0.9"})});
  current_.RefreshIPAddresses();
  ASSERT_EQ(current_.lbIPAddresses().size(), 2u);

  sim_.management.SetUnreachable(true);
  EXPECT_THROW(current_.RefreshIPAddresses(), EXALError);
  EXPECT_TRUE(current_.lbIPAddresses().empty());
  ExpectInvariant();

  sim_.management.SetUnreachable(false);
  sim_.management.FailEnumerationAfter(1);
  EXPECT_THROW(current_.RefreshIPAddresses(), EXALError);
  EXPECT_TRUE(current_.lbIPAddresses().empty());
  ExpectInvariant();
  EXPECT_EQ(dialog_.addresses.size(), 1u);

  // No adapter at all is not a failure: the dialogs receive the empty list.
  sim_.management.FailEnumerationAfter(std::nullopt);
  sim_.management.SetObjects(kAdapterClass, {});
  current_.RefreshIPAddresses();
  EXPECT_EQ(dialog_.addresses.back(), Lines{});
}

TEST_F(CurrentStore, WiFiListsTheConnectedNetworkAndTellsDialogs) {
  sim_.wireless.SetNetworks({{0, "Cafe"}, {1, "Office"}});
  current_.RefreshWiFi();
  EXPECT_EQ(current_.lbWiFi(), Lines{"Office"});

  sim_.wireless.SetUnavailable(true);
  current_.RefreshWiFi();
  EXPECT_TRUE(current_.lbWiFi().empty());
  EXPECT_EQ(dialog_.wifi, (std::vector<Lines>{{"Office"}, {}}));
}

TEST_F(CurrentStore, DisplayLinesUseTheMonitorListAsLastRead) {
  sim_.monitors.SetAttached(
      {SimMonitor(1, 0, 0, 1920, 1200, "Dell U2412M"), SimMonitor(2, -1280, -120, 1280, 1024, "")});
  sim_.monitors.Refresh();
  // Attached after the last read: the display-change handler has not re-read the list yet.
  sim_.monitors.SetAttached({SimMonitor(1, 0, 0, 1920, 1200)});

  current_.RefreshDisplays();

  EXPECT_EQ(current_.lbDisplaysCount(), "2");
  ASSERT_EQ(current_.lbDisplays().size(), 2u);
  EXPECT_EQ(current_.lbDisplays()[0].Text, "1:Dell U2412M(0,0,1920,1200)");
  EXPECT_EQ(current_.lbDisplays()[1].Text, "2:(-1280,-120,1280,1024)");
  EXPECT_EQ(current_.lbDisplays()[1].Monitor.Handle, sim_.monitors.List()[1].Handle);
  EXPECT_EQ(sim_.monitors.RefreshCount(), 1);
  ASSERT_EQ(dialog_.displays.size(), 1u);
  EXPECT_EQ(dialog_.displays[0][1].Text, "2:(-1280,-120,1280,1024)");
}

TEST_F(CurrentStore, PrintersListedByAvailability) {
  const struct {
    const char* caption;
    std::int32_t status;
    std::int32_t extended;
    bool offline;
    bool listed;
  } cases[] = {
      {"Idle", 3, 2, false, true},
      {"Offline", 7, 2, false, false},
      {"Other, extended offline", 1, 7, false, false},
      {"Other, extended idle", 1, 3, false, true},
      {"Idle, extended offline", 3, 7, false, true},
      {"Work offline", 3, 2, true, false},
  };
  std::vector<sim::SimObject> printers;
  Lines expected;
  for (const auto& c : cases) {
    printers.push_back(SimPrinter(c.caption)
                           .Set("PrinterStatus", c.status)
                           .Set("ExtendedPrinterStatus", c.extended)
                           .Set("WorkOffline", c.offline));
    if (c.listed) {
      expected.push_back(c.caption);
    }
  }
  printers.push_back(SimPrinter("Unreadable").Fail("PrinterStatus"));
  printers.push_back(SimPrinter("No caption").Remove("Caption"));
  sim_.management.SetObjects(kPrinterClass, printers);

  current_.btPrintersClick();
  EXPECT_EQ(current_.lbPrinters(), expected);
  current_.btPrintersClick();
  EXPECT_EQ(current_.lbPrinters(), expected);
  EXPECT_EQ(sim_.management.Queries(),
            (Lines{"Select * from Win32_Printer ", "Select * from Win32_Printer "}));

  sim_.management.SetUnreachable(true);
  EXPECT_THROW(current_.RefreshPrinters(), EXALError);
  EXPECT_TRUE(current_.lbPrinters().empty());
}

TEST_F(CurrentStore, LabelsShowTheLastValueRead) {
  sim_.management.SetObjects(
      kPrinterClass, {SimPrinter("Office Laser").Set("Default", true).Set("Attributes", 4)});
  sim_.proxy.server = "proxy.example:8080";
  current_.ReadLabels([](const std::exception& error) { ADD_FAILURE() << error.what(); });
  EXPECT_EQ(current_.lbDefaultPrinter(), "Office Laser");
  EXPECT_EQ(current_.lbProxy(), "proxy.example:8080");
  EXPECT_EQ(current_.lbAutoConfigURL(), "(no script)");

  sim_.proxy.server.reset();
  current_.btProxyClick();
  EXPECT_EQ(current_.lbProxy(), "(no proxy server)");

  // A failing button keeps the old label.
  sim_.management.SetUnreachable(true);
  EXPECT_THROW(current_.btDefaultPrinterClick(), EXALError);
  EXPECT_EQ(current_.lbDefaultPrinter(), "Office Laser");

  // Showing the window: the failing read is reported and the labels after it are read.
  sim_.proxy.server = "other.example:3128";
  std::vector<std::string> errors;
  current_.ReadLabels([&](const std::exception& error) { errors.push_back(error.what()); });
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(current_.lbDefaultPrinter(), "Office Laser");
  EXPECT_EQ(current_.lbProxy(), "other.example:3128");
}

// The window shows the store itself, so it must hear of printers, labels and of failures that
// emptied a list, which dialogs are not given.
TEST_F(CurrentStore, PrintersLabelsAndEmptyingFailuresAreTold) {
  sim_.management.SetObjects(kPrinterClass, {SimPrinter("Office Laser")});
  sim_.management.SetObjects(kAdapterClass, {SimAdapter(kEthernetID, "Ethernet", {"10.0.0.5"})});
  current_.RefreshPrinters();
  current_.RefreshIPAddresses();
  EXPECT_EQ(dialog_.printers, std::vector<Lines>{{"Office Laser"}});
  EXPECT_EQ(dialog_.failures, 0);

  current_.ReadLabels([](const std::exception& error) { ADD_FAILURE() << error.what(); });
  EXPECT_EQ(dialog_.labelReads, 3);

  sim_.management.SetUnreachable(true);
  EXPECT_THROW(current_.btPrintersClick(), EXALError);
  EXPECT_EQ(dialog_.failures, 1);
  EXPECT_THROW(current_.RefreshIPAddresses(), EXALError);
  EXPECT_EQ(dialog_.failures, 2);
  // The lists were told of once each, on success; a failed label read tells nothing.
  EXPECT_EQ(dialog_.printers.size(), 1u);
  EXPECT_EQ(dialog_.addresses.size(), 1u);
  EXPECT_THROW(current_.btDefaultPrinterClick(), EXALError);
  EXPECT_EQ(dialog_.labelReads, 3);
}

TEST_F(CurrentStore, ADialogThatClosesIsNoLongerTold) {
  RecordingDialog second;
  current_.AddListener(&second);
  current_.RemoveListener(&dialog_);
  current_.RefreshWiFi();
  EXPECT_TRUE(dialog_.wifi.empty());
  EXPECT_EQ(second.wifi.size(), 1u);
}

}  // namespace
}  // namespace xal
