// Matching sets against the environment, and choosing what their targets ask for.
#include <gtest/gtest.h>

#include <memory>

#include "catalogue/XALClasses00100.h"
#include "catalogue/XALErrors.h"
#include "core/XALRecheck.h"
#include "platform/sim/SimWirelessLan.h"
#include "sensing/XALNetwork.h"

namespace xal {
namespace {

class Matching : public ::testing::Test {
 protected:
  TXALSet& AddSet(const std::string& name) {
    auto set = std::make_unique<TXALSet>(&owner_);
    set->Name = name;
    TXALSet& added = *set;
    sets_.Add(std::move(set));
    return added;
  }

  void SetAddresses(std::vector<std::string> addresses) {
    statusStore_.clear();
    statuses_.Clear();
    for (std::string& address : addresses) {
      statusStore_.push_back(std::make_unique<TXALIPStatus>());
      statusStore_.back()->Address = std::move(address);
      statuses_.Add(statusStore_.back().get());
    }
  }

  // Through one matcher for the whole test, as the program keeps one: what it learnt at one
  // visit must not answer for the next.
  std::vector<std::string> Match() {
    TXALSetList matching;
    matcher_.FindMatchingSets(sets_, {wireless_, statuses_, monitors_, printers_}, matching);
    std::vector<std::string> names;
    for (const TXALSet* set : matching) {
      names.push_back(set->Name);
    }
    return names;
  }

  TXALComponent owner_;
  TXALSets sets_{&owner_};
  sim::SimWirelessLan wireless_;
  std::vector<std::unique_ptr<TXALIPStatus>> statusStore_;
  TXALIPStatusList statuses_;
  std::vector<TXALMonitor> monitors_{{1, {0, 0, 1920, 1080}, "\\\\.\\DISPLAY1", "Monitor"}};
  std::vector<std::string> printers_;
  TXALSetMatcher matcher_;
};

TEST_F(Matching, ListsMatchingSetsFromTheLowestInTheCatalogueUp) {
  AddSet("A");
  AddSet("B").Environment.Network.WiFi = "Elsewhere";
  AddSet("C");
  EXPECT_EQ(Match(), (std::vector<std::string>{"C", "A"}));
}

TEST_F(Matching, AddressPatternsEachNeedAHitAnywhereInAnAddress) {
  struct Case {
    std::vector<std::string> patterns;
    std::vector<std::string> addresses;
    bool matches;
  };
  const Case cases[] = {
      {{"192.168.*.*"}, {"192.168.10.4"}, true},
      {{"10.0.0.1"}, {"110.0.0.15"}, true},
      {{"192.168.1.1"}, {"192.168.1.100"}, true},
      {{"10.*.*.*", "192.168.*.*"}, {"10.1.2.3"}, false},
      {{"10.*.*.*", "192.168.*.*"}, {"10.1.2.3", "192.168.0.9"}, true},
      {{"10.*.*.*"}, {}, false},
      {{}, {}, true},
  };
  for (const Case& c : cases) {
    sets_.Clear();
    TXALSet& set = AddSet("S");
    for (const std::string& pattern : c.patterns) {
      set.Environment.Network.IPList.Add(pattern);
    }
    SetAddresses(c.addresses);
    EXPECT_EQ(Match().size(), c.matches ? 1u : 0u)
        << ::testing::PrintToString(c.patterns) << " vs " << ::testing::PrintToString(c.addresses);
  }
}

TEST_F(Matching, WiFiMustBeConnectedAndIgnoresCase) {
  AddSet("Office").Environment.Network.WiFi = "Office";
  wireless_.AddNetwork("Cafe", false);
  EXPECT_TRUE(Match().empty()) << "a network merely in reach does not count";
  wireless_.AddNetwork("OFFICE", true);
  EXPECT_EQ(Match(), std::vector<std::string>{"Office"});
  // Every letter folds, not only ASCII ones.
  AddSet("B\xC3\xBCro").Environment.Network.WiFi = "B\xC3\xBCro";
  wireless_.AddNetwork("B\xC3\x9CRO", true);
  EXPECT_EQ(Match(), (std::vector<std::string>{"B\xC3\xBCro", "Office"}));
  wireless_.SetUnavailable(true);
  EXPECT_TRUE(Match().empty());
}

TEST_F(Matching, DisplaysAndPrintersMustAllBeThere) {
  TXALSet& set = AddSet("Desk");
  set.Environment.Printers.Add("Laser");
  set.Environment.Printers.Add("Plotter");
  printers_ = {"LASER"};
  EXPECT_TRUE(Match().empty());
  printers_ = {"plotter", "laser"};
  EXPECT_EQ(Match().size(), 1u);

  set.Environment.Displays.DisplayCount = 2;
  EXPECT_TRUE(Match().empty());
}

TEST_F(Matching, AMalformedStoredPatternEndsTheVisitKeepingWhatMatched) {
  AddSet("Broken").Environment.Network.IPList.Add("10.(");
  AddSet("Fine");
  SetAddresses({"10.0.0.1"});
  TXALSetList matching;
  EXPECT_THROW(
      matcher_.FindMatchingSets(sets_, {wireless_, statuses_, monitors_, printers_}, matching),
      EXALError);
  ASSERT_EQ(matching.Count(), 1);
  EXPECT_EQ(matching.Items(0)->Name, "Fine");
  // Mended, the pattern is worked out afresh by the same matcher.
  sets_.Items(0).Environment.Network.IPList.Clear();
  sets_.Items(0).Environment.Network.IPList.Add("10.*");
  EXPECT_EQ(Match(), (std::vector<std::string>{"Fine", "Broken"}));
}

TEST_F(Matching, APatternCarriedBySeveralSetsHoldsAlikeForEach) {
  // Simple patterns and a stored one that only the engine understands, each on several sets,
  // some of them twice within a set.
  const std::vector<std::vector<std::string>> patterns = {
      {"10.*.*.*"},       {"192.168.*.*"},          {"10.*.*.*", "10.[0-9]"}, {"10.*.*.*"},
      {"10.[0-9]"},       {"192.168.*.*", "10.1"},  {"0.1", "10.*.*.*"},      {"10.[0-9]", "0.9"},
      {"*.*.*.*", "*.*"}, {"10.*.*.*", "10.*.*.*"},
  };
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    TXALSet& set = AddSet(std::to_string(i));
    for (const std::string& pattern : patterns[i]) {
      set.Environment.Network.IPList.Add(pattern);
    }
  }
  SetAddresses({"172.16.0.1", "10.1.2.3"});
  EXPECT_EQ(Match(), (std::vector<std::string>{"9", "8", "6", "4", "3", "2", "0"}));
  SetAddresses({"192.168.10.4"});
  EXPECT_EQ(Match(), (std::vector<std::string>{"8", "4", "1"}));
}

TEST_F(Matching, ManyDistinctPatternsInFewSetsKeepTheirAnswers) {
  // Far more patterns than sets, so that what is kept of them has to grow during the visit;
  // the sets above the big one are visited after it and look its patterns up again.
  AddSet("Known").Environment.Network.IPList.Add("10.0.0.7");
  TXALSet& missing = AddSet("Missing");
  missing.Environment.Network.IPList.Add("10.0.0.3");
  missing.Environment.Network.IPList.Add("10.0.0.99");
  std::vector<std::string> addresses;
  TXALSet& many = AddSet("Many");
  for (int i = 0; i < 40; ++i) {
    addresses.push_back("10.0.0." + std::to_string(i));
    many.Environment.Network.IPList.Add(addresses.back());
  }
  SetAddresses(addresses);
  EXPECT_EQ(Match(), (std::vector<std::string>{"Many", "Known"}));
}

TEST_F(Matching, AMalformedPatternIsOnlyTriedWhereTheWiFiHolds) {
  TXALSet& broken = AddSet("Broken");
  broken.Environment.Network.WiFi = "Office";
  broken.Environment.Network.IPList.Add("10.(");
  AddSet("Fine").Environment.Network.IPList.Add("10.*.*.*");
  SetAddresses({"10.0.0.1"});
  EXPECT_EQ(Match(), std::vector<std::string>{"Fine"});
  wireless_.AddNetwork("Office", true);
  TXALSetList matching;
  try {
    FindMatchingSets(sets_, {wireless_, statuses_, monitors_, printers_}, matching);
    FAIL() << "no error";
  } catch (const EXALError& error) {
    // Named as the user wrote it, not as the expression it became.
    EXPECT_NE(std::string(error.what()).find("\"10.(\""), std::string::npos) << error.what();
  }
  EXPECT_EQ(matching.Count(), 1);
}

TEST_F(Matching, TheHighestSetWinsEachValueOnItsOwnAndStartupsRunLowestFirst) {
  TXALSet& a = AddSet("A");
  a.Target.Network.Proxy = "p1:8080";
  auto startupC = std::make_unique<TXALStartup>(&owner_);
  TXALSet& b = AddSet("B");
  TXALSet& c = AddSet("C");
  c.Target.Network.Proxy = "p2:8080";
  c.Target.DefaultPrinter = "Laser";
  c.Target.Network.AutoConfigURL = "http://c/proxy.pac";
  for (const char* file : {"a1.exe", "a2.exe"}) {
    auto startup = std::make_unique<TXALStartup>(&owner_);
    startup->FilePath = file;
    a.Target.Startups.Add(std::move(startup));
  }
  startupC->FilePath = "c.exe";
  startupC->OnlyNew = true;
  c.Target.Startups.Add(std::move(startupC));

  TXALSetList matching;
  matching.Add(&c);
  matching.Add(&b);
  matching.Add(&a);
  TXALSetList previous;
  TXALTargetChoice choice = ChooseTargets(matching, previous);
  EXPECT_EQ(choice.Proxy, "p1:8080");
  EXPECT_EQ(choice.AutoConfigURL, "http://c/proxy.pac");
  EXPECT_EQ(choice.DefaultPrinter, "Laser");
  EXPECT_EQ(choice.FilePaths, (std::vector<std::string>{"c.exe", "a1.exe", "a2.exe"}));
  EXPECT_EQ(choice.Params.size(), 3u);

  // Other sets that matched before don't make c's entry old.
  previous.Add(&a);
  previous.Add(&b);
  EXPECT_EQ(ChooseTargets(matching, previous).FilePaths.size(), 3u);

  previous.Add(&c);
  choice = ChooseTargets(matching, previous);
  EXPECT_EQ(choice.FilePaths, (std::vector<std::string>{"a1.exe", "a2.exe"}))
      << "an only-new entry does not run again while its set keeps matching";
}

}  // namespace
}  // namespace xal
