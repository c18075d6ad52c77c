#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CatalogueSamples.h"
#include "catalogue/XALClasses00100.h"
#include "catalogue/XmlParser.h"

namespace xal {
namespace {

using test::MakeHomeSet;
using test::MakeOfficeSet;
using test::MakeOfficeSetAsRead;

TEST(ItemText, NewItemsHaveOneLineTextForms) {
  TXALComponent owner;
  EXPECT_EQ(TXALSet(&owner).ToText(), "<XALSet Name=\"\"><Environment/><Target/></XALSet>\r\n");
  EXPECT_EQ(TXALApp(&owner).ToText(),
            "<App><Display Value=\"1\"/><State Value=\"Normal\"/>"
            "<Position Left=\"0\" Top=\"0\" Width=\"-1\" Height=\"-1\"/></App>\r\n");
  EXPECT_EQ(TXALDisplay(&owner).ToText(),
            "<Display Number=\"-1\" Left=\"-1\" Top=\"-1\" Width=\"0\" Height=\"0\"/>\r\n");
  // What the file writer leaves out has the empty text.
  TXALTargetIPSetting maskOnly(&owner);
  maskOnly.SubnetMask = "255.0.0.0";
  EXPECT_EQ(maskOnly.ToText(), "");
  TXALStartup noPath(&owner);
  noPath.Name = "n";
  EXPECT_EQ(noPath.ToText(), "");
  // Inside a set they leave an empty Startups element and no Network element.
  TXALSet set(&owner);
  set.Target.Network.IPSettings.Add(std::make_unique<TXALTargetIPSetting>(&owner));
  set.Target.Network.IPSettings.Items(0).Assign(maskOnly);
  set.Target.Startups.Add(std::make_unique<TXALStartup>(&owner));
  EXPECT_EQ(set.ToText(),
            "<XALSet Name=\"\"><Environment/><Target><Startups/></Target></XALSet>\r\n");
}

TEST(ItemText, ToTextAndFromTextRoundTrip) {
  TXALComponent owner;
  const auto office = MakeOfficeSet(&owner);
  TXALSet set(&owner);
  set.FromText(office->ToText());
  EXPECT_TRUE(set.Equals(*MakeOfficeSetAsRead(&owner)));
  TXALSet home(&owner);
  home.FromText(MakeHomeSet(&owner)->ToText());
  EXPECT_TRUE(home.Equals(*MakeHomeSet(&owner)));

  TXALApp app(&owner);
  app.FromText(office->Target.Apps.Items(0).ToText());
  EXPECT_TRUE(app.Equals(office->Target.Apps.Items(0)));

  TXALDisplay display(&owner);
  display.FromText(office->Environment.Displays.Items(1).ToText());
  EXPECT_TRUE(display.Equals(office->Environment.Displays.Items(1)));

  TXALTargetIPSetting setting(&owner);
  setting.FromText(office->Target.Network.IPSettings.Items(0).ToText());
  EXPECT_TRUE(setting.Equals(office->Target.Network.IPSettings.Items(0)));
  // The mask next to DHCP is lost.
  TXALTargetIPSetting dhcp(&owner);
  dhcp.FromText(office->Target.Network.IPSettings.Items(1).ToText());
  EXPECT_EQ(dhcp.Address, "dhcp");
  EXPECT_EQ(dhcp.SubnetMask, "");

  TXALStartup startup(&owner);
  startup.FromText(office->Target.Startups.Items(0).ToText());
  EXPECT_TRUE(startup.Equals(office->Target.Startups.Items(0)));
}

TEST(ItemText, FromTextReadsOnlyAFirstNodeOfItsOwnElement) {
  TXALComponent owner;
  const TXALApp rule(&owner);
  const std::string appText = rule.ToText();
  const std::string displayText = "<Display Number=\"2\" Left=\"5\"/>";
  const std::vector<std::string> texts = {
      appText,
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + displayText,
      "<!--c-->" + displayText,
      "<display Number=\"2\"/>",
  };
  for (const std::string& text : texts) {
    TXALDisplay display(&owner);
    EXPECT_NO_THROW(display.FromText(text)) << text;
    EXPECT_TRUE(display.Equals(TXALDisplay(&owner))) << text;
  }
  TXALDisplay display(&owner);
  display.FromText(displayText + "\r\n");
  EXPECT_EQ(display.Number, 2);
  EXPECT_EQ(display.Bounds, (TXALRect{5, 0, 5, 0}));
}

TEST(ItemText, FromTextErrorsPass) {
  TXALComponent owner;
  TXALTargetIPSetting setting(&owner);
  EXPECT_THROW(setting.FromText(""), xml::EXmlParseError);
  TXALSet set(&owner);
  EXPECT_THROW(set.FromText("<XALSet Name=\"a\">"), xml::EXmlParseError);
  EXPECT_THROW(set.FromText("<XALSet/>"), EConvertError);
  TXALApp app(&owner);
  try {
    app.FromText("<App><State Value=\"maximized\"/></App>");
    FAIL() << "no error";
  } catch (const EXALError& error) {
    EXPECT_STREQ(error.what(), "maximized");
  }
  TXALStartup startup(&owner);
  EXPECT_THROW(startup.FromText("<Startup FilePath=\"f\" OnlyNew=\"maybe\"/>"), EXALError);
}

TEST(ItemText, AddressPatternCheck) {
  const std::pair<const char*, bool> cases[] = {
      {"192.168.*.*", true}, {"10.0.0.1", true},   {"*.*.*.*", true},    {"010.001.000.255", true},
      {"0.0.0.0", true},     {"256.1.1.1", false}, {"1.1.1.260", false}, {"1.2.3", false},
      {"1.2.3.4.5", false},  {"1*.2.3.4", false},  {"1.2.**.4", false},  {"", false},
      {" 1.2.3.4", false},   {"1.2.3.4 ", false},  {"1.2.3.4\n", false}, {"0300.1.1.1", false},
      {"a.b.c.d", false},    {"１.2.3.4", false},
  };
  for (const auto& [text, accepted] : cases) {
    EXPECT_EQ(IsIPAddressPattern(text), accepted) << '"' << text << '"';
  }
}

TEST(ItemText, PrinterListSplit) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"Laser A, \tColor B ,,\r\nBüro", {"Laser A", "Color B", "Büro"}},
      {"", {}},
      {" , ,", {}},
      {"One", {"One"}},
      {"\x01Name\x1f", {"Name"}},
  };
  for (const auto& [text, names] : cases) {
    EXPECT_EQ(SplitPrinterList(text), names) << text;
  }
}

TEST(ItemText, DisplayLabel) {
  TXALComponent owner;
  TXALDisplays displays(&owner);
  EXPECT_EQ(DisplayLabel(displays.AddDisplay(2, 1920, 0, 1280, 1024)), "2:(1920,0,1280,1024)");
  EXPECT_EQ(DisplayLabel(displays.AddDisplay(1, -1280, -4, 1280, 1024)), "1:(-1280,-4,1280,1024)");
  EXPECT_EQ(DisplayLabel(TXALDisplay(&owner)), "-1:(-1,-1,0,0)");
}

}  // namespace
}  // namespace xal
