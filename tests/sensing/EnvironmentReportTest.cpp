// The console companion's report: every probe under its heading, and a failing probe that
// leaves the others running.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/SimPlatform.h"
#include "sensing/XALCurrent.h"
#include "sensing/XALEnvironmentReport.h"
#include "sensing/XALProbes.h"

namespace xal {
namespace {

const char* const kEthernetID = "{11111111-0000-0000-0000-000000000001}";

class EnvironmentReport : public ::testing::Test {
 protected:
  EnvironmentReport() : current_(sim_.Platform(), language_) {
    language_.Load(
        "fmXALCurrent_gbWiFiCaption=Wi-Fi\n"
        "fmXALCurrent_gbIPAddressesCaption=IP addresses\n"
        "fmXALCurrent_gbDisplaysCaption=Displays\n"
        "fmXALCurrent_lbDisplaysCountLabelCaption=Number of displays:\n"
        "fmXALCurrent_gbPrintersCaption=Printers\n"
        "fmXALCurrent_gbDefaultPrinterCaption=Default printer\n"
        "fmXALCurrent_gbProxyCaption=Proxy server\n"
        "fmXALCurrent_gbAutoConfigURLCaption=Configuration script\n"
        "fmXALCurrent_NoProxyMsg=(no proxy server)\n"
        "fmXALCurrent_NoAutoConfigURLMsg=(no configuration script)\n");
    sim_.management.SetObjects(
        sim::kAdapterClass,
        {sim::SimAdapter(kEthernetID, "[00000007] Intel(R) PRO/1000", {"fe80::1", "10.0.0.5"})});
    sim_.wireless.AddNetwork("Office", true);
    sim_.wireless.AddNetwork("Cafe", false);
    sim_.monitors.SetAttached({sim::SimMonitor(1, 0, 0, 1920, 1080),
                               sim::SimMonitor(2, -1280, 0, 1280, 1024, "Dell U2412M")});
    sim_.monitors.Refresh();
    sim_.management.SetObjects(sim::kPrinterClass,
                               {sim::SimPrinter("Laser").Set("Attributes", 4).Set("Default", true),
                                sim::SimPrinter("Offline one").Set("WorkOffline", true)});
    sim_.proxy.server = "proxy.example:8080";
  }

  sim::SimPlatform sim_;
  TXALLanguage language_;
  TfmXALCurrent current_;
};

TEST_F(EnvironmentReport, EveryProbeUnderItsHeading) {
  const TXALEnvironmentReport report = MakeEnvironmentReport(current_, language_);
  EXPECT_FALSE(report.Failed);
  EXPECT_EQ(report.Text,
            "IP addresses\n"
            "  10.0.0.5(Intel(R) PRO/1000,{11111111-0000-0000-0000-000000000001})\n"
            "Wi-Fi\n"
            "  Office\n"
            "Displays\n"
            "  Number of displays: 2\n"
            "  1:Generic PnP Monitor(0,0,1920,1080)\n"
            "  2:Dell U2412M(-1280,0,1280,1024)\n"
            "Printers\n"
            "  Laser\n"
            "Default printer\n"
            "  Laser\n"
            "Proxy server\n"
            "  proxy.example:8080\n"
            "Configuration script\n"
            "  (no configuration script)\n");
}

TEST_F(EnvironmentReport, AFailingServiceIsReportedAndTheOtherProbesStillRun) {
  sim_.management.SetUnreachable(true);
  sim_.proxy.server.reset();
  sim_.registry.SetString(TXALRegistryRoot::CurrentUser, kInternetSettingsKey, "AutoConfigURL",
                          "http://wpad.example/proxy.pac");

  const TXALEnvironmentReport report = MakeEnvironmentReport(current_, language_);

  EXPECT_TRUE(report.Failed);
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < report.Text.size();) {
    const std::size_t end = report.Text.find('\n', start);
    lines.push_back(report.Text.substr(start, end - start));
    start = end + 1;
  }
  ASSERT_EQ(lines.size(), 16u) << report.Text;
  // The three sections that ask the management service carry its error instead of lines.
  for (const std::size_t errorLine : {1u, 9u, 11u}) {
    EXPECT_EQ(lines[errorLine].rfind("  ! ", 0), 0u) << lines[errorLine];
    EXPECT_GT(lines[errorLine].size(), 4u);
  }
  EXPECT_EQ(lines[0], "IP addresses");
  EXPECT_EQ(lines[3], "  Office");
  EXPECT_EQ(lines[5], "  Number of displays: 2");
  EXPECT_EQ(lines[8], "Printers");
  EXPECT_EQ(lines[10], "Default printer");
  EXPECT_EQ(lines[13], "  (no proxy server)");
  EXPECT_EQ(lines[15], "  http://wpad.example/proxy.pac");
}

}  // namespace
}  // namespace xal
