// The proxy and configuration script dialogs: what a target's value selects and fills in, the
// fields that take input only for a server or URL, and the result.
#include <string>

#include "DialogFixture.h"
#include "ui/XALConfigAutoConfigURL.h"
#include "ui/XALConfigProxy.h"

namespace xal {
namespace {

using ProxyDialog = DialogFixture;
using AutoConfigURLDialog = DialogFixture;

const char* Selected(const TXALDialog& dialog, const char* const (&radios)[3]) {
  for (const char* name : radios) {
    if (dialog.Control(name).Checked) {
      return name;
    }
  }
  return "";
}

const char* const kProxyRadios[3] = {"rbNoSetting", "rbDisableProxy", "rbEnableProxy"};

TEST_F(ProxyDialog, TheValueSelectsItsChoiceAndFillsTheServer) {
  const struct {
    const char* proxy;
    const char* radio;
    const char* address;
    const char* port;
  } cases[] = {
      {"", "rbNoSetting", "", ""},
      {"OFF", "rbDisableProxy", "", ""},
      {"proxy.example:3128", "rbEnableProxy", "proxy.example", "3128"},
      {"[fd00::1]:8000", "rbEnableProxy", "[fd00::1]", "8000"},
      // Without a port it is all address; OK then gives the default port.
      {"proxy.example", "rbEnableProxy", "proxy.example", ""},
  };
  for (const auto& c : cases) {
    TfmXALConfigProxy dialog(context);
    dialog.SetProxy(c.proxy);
    dialog.Show();
    EXPECT_STREQ(Selected(dialog, kProxyRadios), c.radio) << c.proxy;
    EXPECT_EQ(dialog.Control("edAddress").Text, c.address) << c.proxy;
    EXPECT_EQ(dialog.Control("edPort").Text, c.port) << c.proxy;
    const bool server = std::string(c.radio) == "rbEnableProxy";
    for (const char* name : {"lbAddress", "edAddress", "lbPort", "edPort"}) {
      EXPECT_EQ(dialog.Control(name).Enabled, server) << c.proxy << " " << name;
    }
  }
}

TEST_F(ProxyDialog, AnEmptyPortBecomesTheDefaultInTheFieldToo) {
  TfmXALConfigProxy dialog(context);
  dialog.SetProxy("proxy.example:3128");
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigProxyCaption"));
  EXPECT_EQ(dialog.Control("rbEnableProxy").Text, Text("fmXALConfigProxy_rbEnableProxyCaption"));
  EXPECT_EQ(dialog.TipText("edAddress", -1), "proxy.example");
  dialog.Type("edPort", "");
  dialog.PressEnter("edPort");
  ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(dialog.Proxy(), "proxy.example:8080");
  EXPECT_EQ(dialog.Control("edPort").Text, "8080");
}

TEST_F(ProxyDialog, OffInAnyCaseIsStoredAsOff) {
  TfmXALConfigProxy dialog(context);
  dialog.SetProxy("Off");
  dialog.Show();
  dialog.Click("btOK");
  ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(dialog.Proxy(), "off");
}

TEST_F(ProxyDialog, TheServerFieldsTakeInputOnlyWhileAServerIsChosen) {
  TfmXALConfigProxy dialog(context);
  dialog.SetProxy("proxy.example:3128");
  dialog.Show();
  dialog.Click("rbNoSetting");
  EXPECT_FALSE(dialog.Control("edPort").Enabled);
  dialog.Type("edAddress", "typed while off");
  EXPECT_EQ(dialog.Control("edAddress").Text, "proxy.example");
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Proxy(), "") << "no setting leaves the proxy alone";

  dialog.Click("rbEnableProxy");
  EXPECT_TRUE(dialog.Control("lbAddress").Enabled);
  EXPECT_TRUE(dialog.Control("edPort").Enabled);
  EXPECT_FALSE(dialog.Control("rbNoSetting").Checked);
  dialog.Click("rbDisableProxy");
  EXPECT_FALSE(dialog.Control("edAddress").Enabled);
}

// A server the system can't reach would take every browser down where the set matches.
TEST_F(ProxyDialog, RefusesAServerWithoutAddressOrWithABadPort) {
  const std::string noAddress = Text("fmXALConfigProxy_NoAddressMsg");
  const std::string badPort = Text("fmXALConfigProxy_InvalidPortMsg");
  const struct {
    const char* address;
    const char* port;
    std::string message;
  } cases[] = {
      {"proxy", "1", ""},          {"proxy", "65535", ""},       {"proxy", "080", ""},
      {"", "3128", noAddress},     {"", "", noAddress},          {"proxy", "0", badPort},
      {"proxy", "65536", badPort}, {"proxy", "3128 ", badPort},  {"proxy", "+80", badPort},
      {"proxy", "http", badPort},  {"proxy", "123456", badPort},
  };
  for (const auto& c : cases) {
    TfmXALConfigProxy dialog(context);
    dialog.Show();
    dialog.Click("rbEnableProxy");
    dialog.Type("edAddress", c.address);
    dialog.Type("edPort", c.port);
    dialog.Click("btOK");
    EXPECT_EQ(dialog.TakeMessage(), c.message) << c.address << ":" << c.port;
    EXPECT_EQ(dialog.Result(), c.message.empty() ? TXALModalResult::OK : TXALModalResult::None)
        << c.address << ":" << c.port;
  }
}

const char* const kScriptRadios[3] = {"rbNoSetting", "rbDisableAutoConfigURL",
                                      "rbEnableAutoConfigURL"};

TEST_F(AutoConfigURLDialog, TheValueSelectsItsChoiceAndComesBackAsTyped) {
  const struct {
    const char* url;
    const char* radio;
    const char* field;
    const char* result;
  } cases[] = {
      {"", "rbNoSetting", "", ""},
      {"oFF", "rbDisableAutoConfigURL", "", "off"},
      {"http://wpad.example/wpad.dat", "rbEnableAutoConfigURL", "http://wpad.example/wpad.dat",
       "http://wpad.example/wpad.dat"},
  };
  for (const auto& c : cases) {
    TfmXALConfigAutoConfigURL dialog(context);
    dialog.SetAutoConfigURL(c.url);
    dialog.Show();
    EXPECT_STREQ(Selected(dialog, kScriptRadios), c.radio) << c.url;
    EXPECT_EQ(dialog.Control("edURL").Text, c.field) << c.url;
    EXPECT_EQ(dialog.Control("edURL").Enabled, std::string(c.radio) == "rbEnableAutoConfigURL");
    dialog.Click("btOK");
    ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
    EXPECT_EQ(dialog.AutoConfigURL(), c.result) << c.url;
  }
}

TEST_F(AutoConfigURLDialog, AnEmptyURLIsKeptAsTypedAndTheFieldFollowsTheChoice) {
  TfmXALConfigAutoConfigURL dialog(context);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigAutoConfigURLCaption"));
  EXPECT_FALSE(dialog.Control("lbURL").Enabled);
  dialog.Click("rbEnableAutoConfigURL");
  EXPECT_TRUE(dialog.Control("lbURL").Enabled);
  dialog.Click("btOK");
  ASSERT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(dialog.AutoConfigURL(), "");

  TfmXALConfigAutoConfigURL unstorable(context);
  unstorable.SetAutoConfigURL(std::string("http://a/\x01", 10));
  unstorable.Show();
  unstorable.Click("btOK");
  EXPECT_EQ(unstorable.TakeMessage(), Text("NotStorableTextMsg") + " (U+0001)");
  EXPECT_EQ(unstorable.Result(), TXALModalResult::None);
}

}  // namespace
}  // namespace xal
