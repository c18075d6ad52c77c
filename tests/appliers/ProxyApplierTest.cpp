// The proxy and configuration script writers: what reaches the registry and the change notices.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "appliers/XALProxyApplier.h"
#include "catalogue/XALErrors.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALProbes.h"
#include "ui/XALLanguage.h"

namespace xal {
namespace {

constexpr auto kUser = TXALRegistryRoot::CurrentUser;
// The default connection's settings, then the two notices.
const std::vector<std::uint32_t> kWriteAndNotices{75, 39, 37};

std::string Describe(const std::vector<sim::SimRegistry::Write>& writes) {
  std::string text;
  for (const auto& write : writes) {
    text += write.name + "=";
    if (const auto* number = std::get_if<std::uint32_t>(&write.value)) {
      text += std::to_string(*number);
    } else {
      text += std::get<std::string>(write.value);
    }
    text += ";";
  }
  return text;
}

class ProxyApplier : public ::testing::Test {
 protected:
  ProxyApplier() {
    language_.Load("fmXALCurrent_NoProxyMsg=(no proxy)\nfmXALCurrent_NoAutoConfigURLMsg=(none)\n");
  }

  sim::SimPlatform sim_;
  TXALLanguage language_;
};

struct ProxyCase {
  const char* label;
  std::optional<std::string> inForce;
  std::string target;
  std::string writes;
  // What the proxy probe reads afterwards.
  std::string inForceAfter;
};

TEST_F(ProxyApplier, WritesOnlyWhatChanges) {
  const std::vector<ProxyCase> cases{
      {"empty target", "proxy:8080", "", "", "proxy:8080"},
      {"off with no proxy", std::nullopt, "OFF", "", "(no proxy)"},
      {"off with a proxy", "proxy:8080", "off", "ProxyEnable=0;", "(no proxy)"},
      {"same server", "proxy:8080", "proxy:8080", "", "proxy:8080"},
      {"letter case differs", "proxy:8080", "PROXY:8080", "ProxyServer=PROXY:8080;ProxyEnable=1;",
       "PROXY:8080"},
      {"new server", std::nullopt, "other:3128", "ProxyServer=other:3128;ProxyEnable=1;",
       "other:3128"},
  };
  for (const ProxyCase& c : cases) {
    sim::SimPlatform sim;
    sim.proxy.server = c.inForce;
    ApplyProxy(sim.Platform(), language_, c.target);
    EXPECT_EQ(Describe(sim.registry.Writes()), c.writes) << c.label;
    EXPECT_EQ(GetCurrentProxy(sim.proxy, language_), c.inForceAfter) << c.label;
    EXPECT_EQ(sim.internet.options,
              c.writes.empty() ? std::vector<std::uint32_t>{} : kWriteAndNotices)
        << c.label;
  }
}

// What the writers put in force is what the next recheck reads back: the same target writes
// nothing again, and off finds the proxy on and turns it off.
TEST_F(ProxyApplier, TheNextRecheckReadsWhatWasWritten) {
  ApplyProxy(sim_.Platform(), language_, "proxy:8080");
  sim_.registry.ClearWrites();
  ApplyProxy(sim_.Platform(), language_, "proxy:8080");
  EXPECT_TRUE(sim_.registry.Writes().empty());
  EXPECT_EQ(sim_.internet.options, kWriteAndNotices);

  ApplyProxy(sim_.Platform(), language_, "Off");
  EXPECT_EQ(sim_.registry.ReadDword(kUser, kInternetSettingsKey, "ProxyEnable"), 0u);
  // Switching off keeps the server for later, in both places.
  EXPECT_EQ(sim_.registry.ReadString(kUser, kInternetSettingsKey, "ProxyServer"), "proxy:8080");
  ASSERT_TRUE(sim_.internet.connection);
  EXPECT_FALSE(sim_.internet.connection->ProxyEnabled);
  EXPECT_EQ(sim_.internet.connection->ProxyServer, "proxy:8080");
  // Off again finds no proxy in force and writes nothing.
  sim_.registry.ClearWrites();
  ApplyProxy(sim_.Platform(), language_, "off");
  EXPECT_TRUE(sim_.registry.Writes().empty());

  // The script URL goes to the connection as well, and off switches it off there.
  ApplyAutoConfigURL(sim_.Platform(), language_, "http://a/p.pac");
  EXPECT_TRUE(sim_.internet.connection->ScriptEnabled);
  EXPECT_EQ(sim_.internet.connection->AutoConfigURL, "http://a/p.pac");
  ApplyAutoConfigURL(sim_.Platform(), language_, "off");
  EXPECT_FALSE(sim_.internet.connection->ScriptEnabled);
  EXPECT_EQ(sim_.internet.connection->AutoConfigURL, "");
}

struct UrlCase {
  const char* label;
  std::optional<std::string> inForce;
  std::string target;
  std::string writes;
};

TEST_F(ProxyApplier, ScriptURLWritesOnChangeAndOffAlways) {
  const std::vector<UrlCase> cases{
      {"empty target", "http://a/p.pac", "", ""},
      {"off when already empty", std::nullopt, "off", "AutoConfigURL=;"},
      {"off when set", "http://a/p.pac", "OFF", "AutoConfigURL=;"},
      {"same URL", "http://a/p.pac", "http://a/p.pac", ""},
      {"letter case differs", "http://a/p.pac", "http://a/P.pac", "AutoConfigURL=http://a/P.pac;"},
      {"new URL", std::nullopt, "http://b/", "AutoConfigURL=http://b/;"},
  };
  for (const UrlCase& c : cases) {
    sim::SimPlatform sim;
    if (c.inForce) {
      sim.registry.SetString(kUser, kInternetSettingsKey, "AutoConfigURL", *c.inForce);
    }
    ApplyAutoConfigURL(sim.Platform(), language_, c.target);
    EXPECT_EQ(Describe(sim.registry.Writes()), c.writes) << c.label;
    EXPECT_EQ(sim.internet.options,
              c.writes.empty() ? std::vector<std::uint32_t>{} : kWriteAndNotices)
        << c.label;
  }
  // Off leaves the value present, with empty text.
  ApplyAutoConfigURL(sim_.Platform(), language_, "off");
  EXPECT_EQ(sim_.registry.ReadString(kUser, kInternetSettingsKey, "AutoConfigURL"), "");
}

TEST_F(ProxyApplier, AKeyThatCannotBeOpenedWritesAndAnnouncesNothing) {
  sim_.registry.SetUnwritable(kUser, kInternetSettingsKey);
  WriteProxySettings(sim_.Platform(), true, "proxy:8080");
  WriteProxySettings(sim_.Platform(), false, "");
  WriteAutoConfigURL(sim_.Platform(), "http://a/");
  EXPECT_TRUE(sim_.registry.Writes().empty());
  EXPECT_TRUE(sim_.internet.options.empty());
  EXPECT_FALSE(sim_.internet.connection);
}

TEST_F(ProxyApplier, AFailingWriteRaisesNamingTheValueAndAnnouncesNothing) {
  sim_.registry.FailWritesOf("ProxyEnable");
  sim_.registry.FailWritesOf("AutoConfigURL");
  for (const auto& [value, write] : std::vector<std::pair<std::string, std::function<void()>>>{
           {"ProxyEnable", [&] { ApplyProxy(sim_.Platform(), language_, "proxy:8080"); }},
           {"AutoConfigURL", [&] { ApplyAutoConfigURL(sim_.Platform(), language_, "off"); }}}) {
    try {
      write();
      ADD_FAILURE() << value << " did not raise";
    } catch (const EXALError& error) {
      EXPECT_NE(std::string(error.what()).find(value), std::string::npos) << error.what();
    }
  }
  // The connection was set before the registry values; only the notices are held back.
  EXPECT_EQ(sim_.internet.options, (std::vector<std::uint32_t>{75, 75}));
}

}  // namespace
}  // namespace xal
