// The Wi-Fi, default printer, proxy and configuration script probes.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "catalogue/Utf8.h"
#include "catalogue/XALErrors.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALProbes.h"
#include "ui/XALLanguage.h"

namespace xal {
namespace {

using sim::kPrinterClass;
using sim::SimPrinter;

std::vector<std::string> Networks(sim::SimWirelessLan& wireless, bool connectedOnly) {
  std::vector<std::string> names{"left over"};
  GetWiFiNetworks(wireless, connectedOnly, names);
  return names;
}

TEST(GetWiFiNetworks, ListsInPlatformOrderWithDuplicatesOrOnlyTheConnectedOnes) {
  sim::SimWirelessLan wireless;
  wireless.SetNetworks({{0, "Cafe"}, {1, "Office"}, {0, "Cafe"}, {0x3, "Office-5G"}});

  EXPECT_EQ(Networks(wireless, false),
            (std::vector<std::string>{"Cafe", "Office", "Cafe", "Office-5G"}));
  EXPECT_EQ(Networks(wireless, true), (std::vector<std::string>{"Office", "Office-5G"}));

  wireless.SetUnavailable(true);
  EXPECT_TRUE(Networks(wireless, false).empty());
}

TEST(GetWiFiNetworks, NamesKeepEveryByteOfTheSsid) {
  const std::string full32 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  ASSERT_EQ(full32.size(), 32u);
  const std::string utf8 = "Caf\xC3\xA9 \xE6\x9D\xB1\xE4\xBA\xAC";
  const std::string latin1("Caf\xE9\x00x", 6);

  sim::SimWirelessLan wireless;
  wireless.SetNetworks({{1, full32}, {1, utf8}, {1, latin1}});
  const std::vector<std::string> names = Networks(wireless, true);

  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[0], full32);
  EXPECT_EQ(names[1], utf8);
  // Not UTF-8: each byte stands for its Latin-1 character, so the name stays storable.
  EXPECT_EQ(names[2], std::string("Caf\xC3\xA9\x00x", 7));
  EXPECT_TRUE(IsValidUtf8(names[2]));
}

TEST(ControlsAsPictures, ShowsWhatAnXmlFileCantHoldAndKeepsTheRest) {
  // How the Windows port makes a name of the system storable.
  EXPECT_EQ(ControlsAsPictures(std::string("\x00"
                                           "a\x01\t\r\n\x1F",
                                           7)),
            "\xE2\x90\x80"
            "a\xE2\x90\x81\t\r\n\xE2\x90\x9F");
  EXPECT_EQ(ControlsAsPictures("Caf\xC3\xA9 \xE6\x9D\xB1"), "Caf\xC3\xA9 \xE6\x9D\xB1");
}

TEST(GetDefaultPrinter, TakesTheFirstReadablePrinterWithTheDefaultAttribute) {
  sim::SimManagementService management;
  management.SetObjects(
      kPrinterClass,
      {SimPrinter("Not default").Set("Attributes", 4),
       SimPrinter("Unreadable").Set("Default", true).Fail("Attributes"),
       SimPrinter("Flag without attribute").Set("Default", true).Set("Attributes", 0x40),
       SimPrinter("Office Laser").Set("Default", true).Set("Attributes", 0x4 | 0x40),
       SimPrinter("Second").Set("Default", true).Set("Attributes", 4)});

  EXPECT_EQ(GetDefaultPrinter(management), "Office Laser");
  EXPECT_EQ(management.Queries(),
            std::vector<std::string>{"Select * from Win32_Printer Where Default = True"});

  management.SetObjects(kPrinterClass, {SimPrinter("Office Laser")});
  EXPECT_EQ(GetDefaultPrinter(management), "");

  management.SetUnreachable(true);
  EXPECT_THROW(GetDefaultPrinter(management), EXALError);
}

class LabelProbes : public ::testing::Test {
 protected:
  LabelProbes() {
    language_.Load(
        "fmXALCurrent_NoProxyMsg=(no proxy server)\r\n"
        "fmXALCurrent_NoAutoConfigURLMsg=(no script)\r\n");
  }
  TXALLanguage language_;
};

TEST_F(LabelProbes, ProxyServerOrTheNoProxyText) {
  const struct {
    std::optional<std::string> server;
    const char* expected;
  } cases[] = {
      {std::nullopt, "(no proxy server)"},
      {"", "(no proxy server)"},
      {"proxy.example:8080", "proxy.example:8080"},
      {"http=a:3128;https=b:3129", "http=a:3128;https=b:3129"},
  };
  for (const auto& c : cases) {
    sim::SimProxyConfig proxy;
    proxy.server = c.server;
    EXPECT_EQ(GetCurrentProxy(proxy, language_), c.expected);
  }
}

TEST_F(LabelProbes, AutoConfigURLFromTheUserKeyOrTheNoURLText) {
  const std::string key = kInternetSettingsKey;
  sim::SimRegistry registry;
  EXPECT_EQ(GetAutoConfigURL(registry, language_), "(no script)") << "no key";

  registry.SetString(TXALRegistryRoot::LocalMachine, key, "AutoConfigURL", "http://machine/");
  registry.SetString(TXALRegistryRoot::CurrentUser, key, "ProxyEnable", "1");
  EXPECT_EQ(GetAutoConfigURL(registry, language_), "(no script)") << "no value";

  registry.SetString(TXALRegistryRoot::CurrentUser, key, "AutoConfigURL", "");
  EXPECT_EQ(GetAutoConfigURL(registry, language_), "(no script)") << "empty value";

  registry.SetString(TXALRegistryRoot::CurrentUser, key, "AutoConfigURL", "http://wpad/a.pac");
  EXPECT_EQ(GetAutoConfigURL(registry, language_), "http://wpad/a.pac");
}

}  // namespace
}  // namespace xal
