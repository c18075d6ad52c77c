// The IP settings hand-off: which settings are pending, the shared block's bytes, the stream
// over it, and how the helper is started.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "appliers/XALIPHandOff.h"
#include "catalogue/XALErrors.h"
#include "catalogue/XALSet.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALNetwork.h"
#include "ui/XALLanguage.h"

namespace xal {
namespace {

const char* const kFolder = "C:\\Kelpra\\";

struct Fields {
  std::string adapter{}, address{}, mask{}, gateway{}, dns1{}, dns2{};
};

TXALIPStatus Status(const Fields& f, bool dhcp = false) {
  TXALIPStatus status;
  status.Adapter = f.adapter;
  status.Address = f.address;
  status.SubnetMask = f.mask;
  status.Gateway = f.gateway;
  status.DNS1 = f.dns1;
  status.DNS2 = f.dns2;
  status.DHCP = dhcp;
  return status;
}

void Fill(TXALTargetIPSetting& setting, const Fields& f) {
  setting.Adapter = f.adapter;
  setting.Address = f.address;
  setting.SubnetMask = f.mask;
  setting.Gateway = f.gateway;
  setting.DNS1 = f.dns1;
  setting.DNS2 = f.dns2;
}

std::unique_ptr<TXALSet> SetWith(const std::vector<Fields>& settings) {
  auto set = std::make_unique<TXALSet>(nullptr);
  for (const Fields& f : settings) {
    auto setting = std::make_unique<TXALTargetIPSetting>(nullptr);
    Fill(*setting, f);
    set->Target.Network.IPSettings.Add(std::move(setting));
  }
  return set;
}

TEST(IPSettingRules, DiffersComparesOnlyGivenFieldsAndTreatsDHCPApart) {
  const Fields dhcpLan{"LAN", "192.168.0.7", "255.255.255.0", "192.168.0.1", "", ""};
  const Fields staticLan{"LAN", "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", "10.0.0.3"};
  struct Case {
    const char* label;
    Fields adapter;
    bool dhcp;
    Fields target;
    bool differs;
  };
  const std::vector<Case> cases{
      {"DHCP wanted and had", dhcpLan, true, {"LAN", "DHCP"}, false},
      {"DHCP with a new DNS1", dhcpLan, true, {"LAN", "DHCP", "", "", "192.168.0.1"}, true},
      {"DHCP with the same DNS2", dhcpLan, true, {"LAN", "DHCP", "", "", "", ""}, false},
      {"dhcp in other case is no DHCP", dhcpLan, true, {"LAN", "dhcp"}, true},
      {"static wanted on DHCP", dhcpLan, true, {"LAN", "192.168.0.7"}, true},
      // No address given leaves the adapter on DHCP; a leftover mask or gateway can't be
      // applied without one, so they don't keep the setting pending.
      {"no address on DHCP", dhcpLan, true, {"LAN", "", "255.0.0.0", "10.0.0.1"}, false},
      {"no address, a new DNS1 on DHCP", dhcpLan, true, {"LAN", "", "", "", "10.0.0.2"}, true},
      {"same address, gateway not given", staticLan, false, {"LAN", "10.0.0.5"}, false},
      {"everything equal", staticLan, false, staticLan, false},
      {"DHCP wanted on static", staticLan, false, {"LAN", "DHCP"}, true},
      {"mask differs", staticLan, false, {"LAN", "", "255.255.0.0"}, true},
      {"DNS2 differs", staticLan, false, {"LAN", "", "", "", "", "10.0.0.4"}, true},
  };
  for (const Case& c : cases) {
    TXALTargetIPSetting target(nullptr);
    Fill(target, c.target);
    EXPECT_EQ(IPSettingDiffers(target, Status(c.adapter, c.dhcp)), c.differs) << c.label;
  }
}

TEST(IPSettingRules, AppliesWhenTheAdapterTextOccursInTheNameWithCase) {
  struct Case {
    std::string target, adapter;
    bool applies;
  };
  const std::vector<Case> cases{
      {"Intel", "Intel(R) Ethernet", true},
      {"intel", "Intel(R) Ethernet", false},
      {"", "Intel(R) Ethernet", false},
      {"\xE6\x8E\xA5\xE7\xB6\x9A", "Ethernet \xE6\x8E\xA5\xE7\xB6\x9A", true},
  };
  for (const Case& c : cases) {
    TXALTargetIPSetting target(nullptr);
    target.Adapter = c.target;
    EXPECT_EQ(IPSettingApplies(target, Status({c.adapter})), c.applies) << c.target;
  }
}

class IPHandOff : public ::testing::Test {
 protected:
  IPHandOff() {
    language_.Load(
        "fmXALMain_TrayIconBalloonTitleIPAddressToSet=IP settings to apply\n"
        "fmXALMain_TrayIconBalloonHintIPAddressToSet=Choose Set IP addresses.\n");
  }

  void Statuses(std::vector<TXALIPStatus> statuses) {
    statusStore_ = std::move(statuses);
    statuses_.Clear();
    for (TXALIPStatus& status : statusStore_) {
      statuses_.Add(&status);
    }
  }
  // Sets in MatchingSets order: the lowest in the catalogue first.
  void Matching(std::vector<std::vector<Fields>> sets) {
    for (auto& settings : sets) {
      setStore_.push_back(SetWith(settings));
      sets_.Add(setStore_.back().get());
    }
  }
  void HandOff(bool force) { handOff_.HandOffIPSettings(sets_, statuses_, force, kFolder); }
  std::string Block() {
    const auto bytes = sim_.sharedMemory.Contents(kIPSettingsBlockName);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<none>";
  }

  sim::SimPlatform sim_;
  TXALLanguage language_;
  std::vector<std::pair<std::string, std::string>> balloons_;
  TXALIPHandOff handOff_{sim_.Platform(), language_,
                         [this](const std::string& title, const std::string& text) {
                           balloons_.emplace_back(title, text);
                         }};
  std::vector<TXALIPStatus> statusStore_;
  TXALIPStatusList statuses_;
  std::vector<std::unique_ptr<TXALSet>> setStore_;
  TXALSetList sets_;
};

TEST_F(IPHandOff, PendingListsEachAdapterEntryAndTheHighestSetFirst) {
  Statuses({Status({"LAN", "10.0.0.5"}), Status({"LAN", "10.0.0.6"}),
            Status({"Wireless LAN", "10.0.0.9"}), Status({"WAN", "10.0.0.1"})});
  Matching({{{"LAN", "10.0.0.8"}}, {{"LAN", "10.0.0.9"}, {"Bluetooth", "DHCP"}}});

  const TXALTargetIPSettingList pending = PendingIPSettings(sets_, statuses_);
  std::vector<std::string> addresses;
  for (const TXALTargetIPSetting* setting : pending) {
    addresses.push_back(setting->Address);
  }
  // The upper set's setting twice for the two addresses of LAN (Wireless LAN has it already),
  // then the lower set's for LAN twice and Wireless LAN.
  EXPECT_EQ(addresses,
            (std::vector<std::string>{"10.0.0.9", "10.0.0.9", "10.0.0.8", "10.0.0.8", "10.0.0.8"}));
  EXPECT_TRUE(HasPendingIPChanges(sets_, statuses_));
}

TEST_F(IPHandOff, NothingPendingWithdrawsTheBalloonAndStartsNothing) {
  Statuses({Status({"LAN", "192.168.0.7"}, true)});
  Matching({{{"LAN", "DHCP"}}});
  EXPECT_FALSE(HasPendingIPChanges(sets_, statuses_));
  HandOff(false);
  HandOff(true);
  EXPECT_EQ(balloons_, (std::vector<std::pair<std::string, std::string>>{{"", ""}, {"", ""}}));
  EXPECT_TRUE(sim_.shell.calls.empty());
  EXPECT_FALSE(sim_.sharedMemory.Exists(kIPSettingsBlockName));
}

TEST_F(IPHandOff, PendingShowsTheBalloonOnEveryRecheckAndWritesNothing) {
  Statuses({Status({"LAN", "192.168.0.7"}, true)});
  Matching({{{"LAN", "DHCP", "", "", "192.168.0.1"}}});
  HandOff(false);
  HandOff(false);
  const std::pair<std::string, std::string> offer{"IP settings to apply",
                                                  "Choose Set IP addresses."};
  EXPECT_EQ(balloons_, (std::vector<std::pair<std::string, std::string>>{offer, offer}));
  EXPECT_TRUE(sim_.shell.calls.empty());
  EXPECT_EQ(sim_.sharedMemory.OpenCount(), 0u);
}

TEST_F(IPHandOff, BalloonTextsAreCutWithoutSplittingACharacter) {
  std::string title;
  for (int i = 0; i < 70; ++i) {
    title += "\xC3\xA9";  // é
  }
  const std::string text = std::string(254, 'x') + "\xF0\x9F\x98\x80";  // one surrogate pair
  language_.Load("fmXALMain_TrayIconBalloonTitleIPAddressToSet=" + title +
                 "\nfmXALMain_TrayIconBalloonHintIPAddressToSet=" + text + "\n");
  Statuses({Status({"LAN", "10.0.0.5"})});
  Matching({{{"LAN", "DHCP"}}});
  HandOff(false);
  ASSERT_EQ(balloons_.size(), 1u);
  EXPECT_EQ(balloons_[0].first, title.substr(0, 63 * 2));
  EXPECT_EQ(balloons_[0].second, std::string(254, 'x'));
}

TEST(IPSettingsBlock, SixLinesPerSettingEachEndedByCRLF) {
  TXALTargetIPSetting dhcp(nullptr);
  Fill(dhcp, {"LAN", "DHCP"});
  TXALTargetIPSetting fixed(nullptr);
  Fill(fixed, {"Wi-Fi", "10.0.0.5", "255.0.0.0", "10.0.0.1", "10.0.0.2", ""});
  TXALTargetIPSettingList one;
  one.Add(&dhcp);
  EXPECT_EQ(IPSettingsBlockText(one), "LAN\r\nDHCP\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(IPSettingsBlockText(one).size(), 19u);

  TXALTargetIPSettingList two;
  two.Add(&fixed);
  two.Add(&dhcp);
  EXPECT_EQ(IPSettingsBlockText(two),
            "Wi-Fi\r\n10.0.0.5\r\n255.0.0.0\r\n10.0.0.1\r\n10.0.0.2\r\n\r\n"
            "LAN\r\nDHCP\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(IPSettingsBlockText({}), "");
}

TEST_F(IPHandOff, ForcedWritesTheBlockBeforeStartingTheHelperElevated) {
  Statuses({Status({"LAN", "10.0.0.5"})});
  Matching({{{"LAN", "DHCP"}}});
  std::string blockAtStart;
  sim_.shell.onCall = [&](const sim::SimShellCall&) { blockAtStart = Block(); };
  HandOff(true);

  ASSERT_EQ(sim_.shell.calls.size(), 1u);
  const sim::SimShellCall& call = sim_.shell.calls[0];
  EXPECT_EQ(call.kind, sim::SimShellCall::Kind::ExecuteEx);
  EXPECT_EQ(call.verb, "runas");
  EXPECT_EQ(call.file, "C:\\Kelpra\\XALSetIPSettings.exe");
  EXPECT_EQ(call.parameters, "19");
  EXPECT_EQ(blockAtStart, "LAN\r\nDHCP\r\n\r\n\r\n\r\n\r\n");
  EXPECT_TRUE(balloons_.empty());
  // Still open for the helper to find by name.
  EXPECT_TRUE(sim_.sharedMemory.Exists(kIPSettingsBlockName));

  sim_.shell.osMajorVersion = 5;
  sim_.shell.executeExResult = false;  // refused: not reported
  EXPECT_NO_THROW(HandOff(true));
  EXPECT_EQ(sim_.shell.calls.back().verb, "open");
}

TEST_F(IPHandOff, ALongerTextGetsANewBlockUnlessAHelperStillHoldsTheOldOne) {
  const std::string longer =
      "LAN\r\n10.0.0.6\r\n255.255.255.0\r\n\r\n\r\n\r\nLAN\r\nDHCP\r\n\r\n\r\n\r\n\r\n";
  Statuses({Status({"LAN", "10.0.0.5"})});
  Matching({{{"LAN", "DHCP"}}});
  HandOff(true);
  // Our own earlier block is let go first, so the longer text gets a block of its size.
  Matching({{{"LAN", "10.0.0.6", "255.255.255.0"}}});
  HandOff(true);
  ASSERT_EQ(sim_.shell.calls.size(), 2u);
  EXPECT_EQ(sim_.shell.calls.back().parameters, std::to_string(longer.size()));
  EXPECT_EQ(Block(), longer);
}

TEST_F(IPHandOff, ABlockStillHeldSmallerElsewhereIsRefusedAndNothingStarts) {
  // A helper started before still reads a small block: refuse rather than write past it or
  // tell the helper of bytes it can't read.
  sim_.sharedMemory.HoldElsewhere(kIPSettingsBlockName, 19);
  Statuses({Status({"LAN", "10.0.0.5"})});
  Matching({{{"LAN", "10.0.0.6", "255.255.255.0"}}});
  EXPECT_THROW(HandOff(true), EXALError);
  EXPECT_TRUE(sim_.shell.calls.empty());
  EXPECT_EQ(Block(), std::string(19, '\0'));

  sim_.sharedMemory.ReleaseElsewhere(kIPSettingsBlockName);
  HandOff(true);
  EXPECT_EQ(sim_.shell.calls.size(), 1u);
}

TEST_F(IPHandOff, AShorterTextFitsABlockStillHeldAndIsWrittenFromItsStart) {
  sim_.sharedMemory.HoldElsewhere(kIPSettingsBlockName, 32);
  Statuses({Status({"LAN", "10.0.0.5"})});
  Matching({{{"LAN", "DHCP"}}});
  HandOff(true);
  EXPECT_EQ(sim_.shell.calls.back().parameters, "19");
  EXPECT_EQ(Block().substr(0, 19), "LAN\r\nDHCP\r\n\r\n\r\n\r\n\r\n");
  EXPECT_EQ(Block().size(), 32u);
}

TEST_F(IPHandOff, ABlockThatCannotBeHadStartsNothing) {
  sim_.sharedMemory.SetFailing(true);
  Statuses({Status({"LAN", "10.0.0.5"})});
  Matching({{{"LAN", "DHCP"}}});
  EXPECT_THROW(HandOff(true), EXALError);
  EXPECT_TRUE(sim_.shell.calls.empty());
}

TEST(CommonMemoryStream, ReadWriteAndSeekStayInsideTheBlock) {
  sim::SimSharedMemory memory;
  TCommonMemoryStream stream;
  stream.Open(memory, "Block", 8);
  ASSERT_EQ(stream.Size(), 8);

  char out[16] = {};
  EXPECT_EQ(stream.Write("0123456789", 10), 8) << "cut at the end";
  EXPECT_EQ(stream.Position(), 8);
  EXPECT_EQ(stream.Write("x", 1), 0);
  EXPECT_EQ(stream.Seek(0, 0), 0);
  EXPECT_EQ(stream.Read(out, 16), 8);
  EXPECT_EQ(std::string(out, 8), "01234567");

  struct Case {
    std::int64_t offset;
    int origin;
    std::int64_t position;
    std::int64_t readCount;
    std::int64_t read;
  };
  const std::vector<Case> cases{
      {-2, 2, 6, 5, 2},   // from the end
      {3, 0, 3, 2, 2},    // from the start
      {-4, 1, 1, -1, 0},  // negative count
      {-1, 0, -1, 4, 0},  // negative position
      {20, 0, 20, 4, 0},  // past the end
      {5, 9, 20, 4, 0},   // unknown origin leaves the position
  };
  for (const Case& c : cases) {
    EXPECT_EQ(stream.Seek(c.offset, c.origin), c.position) << c.offset << "," << c.origin;
    EXPECT_EQ(stream.Read(out, c.readCount), c.read) << c.offset << "," << c.origin;
  }
  stream.Seek(-1, 0);
  EXPECT_EQ(stream.Write("x", 1), 0);
  EXPECT_EQ(stream.Write("x", -1), 0);

  // An existing block keeps its size; the stream never reaches past it.
  TCommonMemoryStream second;
  second.Open(memory, "Block", 100);
  EXPECT_EQ(second.Size(), 8);
  EXPECT_EQ(second.Write(std::string(100, 'y').data(), 100), 8);
}

}  // namespace
}  // namespace xal
