// The recheck cycle as the running program drives it: at start-up, from the tray menu, on
// display changes and from the address monitor, with the appliers behind it.
#include <gtest/gtest.h>

#include <memory>

#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"
#include "sensing/XALNetwork.h"

namespace xal {
namespace {

const char* const kFolder = "C:\\Kelpra\\";
const char* const kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Office matches the adapter at 10.0.0.5; Home needs the Wi-Fi "Home"; Two needs two displays.
const char* const kSets =
    "<XALSets Version=\"1.00\">"
    "<XALSet Name=\"Office\"><Environment><Network><IP Address=\"10.0.*.*\"/></Network>"
    "</Environment><Target><Network><Proxy Server=\"proxy.office:8080\"/>"
    "<AutoConfigURL URL=\"http://office/proxy.pac\"/></Network>"
    "<Startups><Startup FilePath=\"every.exe\"/><Startup FilePath=\"once.exe\" OnlyNew=\"True\"/>"
    "</Startups></Target></XALSet>"
    "<XALSet Name=\"Home\"><Environment><Network><WiFi Name=\"Home\"/></Network></Environment>"
    "<Target><Network><Proxy Server=\"off\"/></Network></Target></XALSet>"
    "<XALSet Name=\"Two\"><Environment><Displays Count=\"2\"/></Environment><Target>"
    "<Startups><Startup FilePath=\"two.exe\"/></Startups></Target></XALSet>"
    "</XALSets>";

class MainRecheck : public ::testing::Test {
 protected:
  MainRecheck() {
    sim_.system.executablePath = std::string(kFolder) + "KelpraTremvale.exe";
    sim_.system.arguments = {"-m"};
    sim_.files.PutFile(std::string(kFolder) + "Languages\\1033.txt",
                       "fmXALCurrent_NoProxyMsg=(no proxy)\r\n"
                       "fmXALCurrent_NoAutoConfigURLMsg=(no script)\r\n"
                       "fmXALMain_TrayIconBalloonTitleIPAddressToSet=IP settings to apply\r\n"
                       "fmXALMain_TrayIconBalloonHintIPAddressToSet=Choose Apply.\r\n");
    sim_.files.PutFile(std::string(kFolder) + "XALData.xml", kSets);
    sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                               {sim::SimAdapter("{A1}", "LAN", {"10.0.0.5"})});
    sim_.monitors.SetAttached({sim::SimMonitor(1, 0, 0, 1920, 1080)});
    sim_.hostAddresses.addresses = {"10.0.0.5"};
  }

  TfmXALMain& Start() {
    form_ = std::make_unique<TfmXALMain>(sim_.Platform(), view_);
    form_->FormCreate();
    return *form_;
  }

  std::vector<std::string> Started() const {
    std::vector<std::string> files;
    for (const sim::SimShellCall& call : sim_.shell.calls) {
      if (call.kind == sim::SimShellCall::Kind::Execute) {
        files.push_back(call.file);
      }
    }
    return files;
  }

  std::vector<std::string> Matching() const {
    std::vector<std::string> names;
    for (const TXALSet* set : form_->MatchingSets()) {
      names.push_back(set->Name);
    }
    return names;
  }

  std::optional<std::string> Setting(const char* name) const {
    return sim_.registry.ReadString(TXALRegistryRoot::CurrentUser, kInternetSettings, name);
  }

  sim::SimPlatform sim_;
  sim::SimMainView view_;
  std::unique_ptr<TfmXALMain> form_;
};

TEST_F(MainRecheck, StartupMatchesAndAppliesTheTargets) {
  TfmXALMain& form = Start();
  ASSERT_TRUE(form.StartupComplete()) << ::testing::PrintToString(sim_.boxes.Errors());
  EXPECT_EQ(Matching(), std::vector<std::string>{"Office"});
  EXPECT_EQ(Setting("ProxyServer"), "proxy.office:8080");
  EXPECT_EQ(Setting("AutoConfigURL"), "http://office/proxy.pac");
  EXPECT_EQ(
      sim_.registry.ReadDword(TXALRegistryRoot::CurrentUser, kInternetSettings, "ProxyEnable"), 1u);
  EXPECT_EQ(Started(), (std::vector<std::string>{"every.exe", "once.exe"}));
  EXPECT_TRUE(form.PreviousMatchingSets().IndexOf(&form.WorkingSets()->Items(0)) >= 0);
}

TEST_F(MainRecheck, OnlyNewEntriesRunOnceAndShiftHoldsProgramsBack) {
  TfmXALMain& form = Start();
  sim_.shell.calls.clear();
  form.miRecheckClick();
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"});

  sim_.shell.calls.clear();
  sim_.keyboard.shiftDown = true;
  form.miRecheckClick();
  EXPECT_TRUE(Started().empty());
}

TEST_F(MainRecheck, ShiftAtTheFirstMatchStillCountsTheSetAsMatched) {
  sim_.keyboard.shiftDown = true;
  TfmXALMain& form = Start();
  EXPECT_TRUE(Started().empty());
  sim_.keyboard.shiftDown = false;
  form.miRecheckClick();
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"});
}

TEST_F(MainRecheck, AddressMonitorRunsTheCycleOncePerChangedCheck) {
  TfmXALMain& form = Start();
  sim_.shell.calls.clear();

  form.IdIPAddrMonCheck();
  EXPECT_TRUE(Started().empty()) << "nothing changed";

  // Two addresses change in one check: one refresh and one recheck.
  sim_.hostAddresses.addresses = {"192.168.1.20", "172.16.0.1"};
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                             {sim::SimAdapter("{A1}", "LAN", {"192.168.1.20"})});
  sim_.wireless.AddNetwork("home", true);
  form.IdIPAddrMonCheck();
  EXPECT_EQ(Matching(), std::vector<std::string>{"Home"});
  EXPECT_TRUE(Started().empty());
  EXPECT_EQ(
      sim_.registry.ReadDword(TXALRegistryRoot::CurrentUser, kInternetSettings, "ProxyEnable"), 0u);
  EXPECT_EQ(Setting("ProxyServer"), "proxy.office:8080") << "switching off keeps the server";

  // Back at the office: the set matches anew, so its only-new entry runs again, once.
  sim_.hostAddresses.addresses = {"10.0.0.5"};
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                             {sim::SimAdapter("{A1}", "LAN", {"10.0.0.5"})});
  sim_.wireless.SetUnavailable(true);
  form.IdIPAddrMonCheck();
  EXPECT_EQ(Started(), (std::vector<std::string>{"every.exe", "once.exe"}));
}

// The watch that decides when the address monitor checks, driven as the window layer drives it.
class AddressWatch : public MainRecheck {
 protected:
  TXALAddressWatch& Watch(TXALAddressWatchMode mode) {
    TfmXALMain& form = Start();
    watch_ = std::make_unique<TXALAddressWatch>(
        sim_.addressWatch, [&form](bool prepared) { return form.IdIPAddrMonCheck(prepared); },
        [&form] { form.IdIPAddrMonPrepare(); });
    watch_->Start(mode);
    if (watch_->Mode() == TXALAddressWatchMode::Notifications) {
      // The check after the registration; nothing changed since start-up.
      EXPECT_EQ(sim_.addressWatch.wakeInMs, kAddressSettleMs);
      watch_->OnWake();
    }
    sim_.shell.calls.clear();
    sim_.management.ResetCounters();
    return *watch_;
  }

  // Notices at the given times (milliseconds from now), then the armed wake-up.
  void NoticesThenWake(std::initializer_list<int> times) {
    const std::uint64_t start = sim_.addressWatch.now;
    for (const int t : times) {
      sim_.addressWatch.now = start + static_cast<std::uint64_t>(t);
      watch_->OnNotice();
    }
    ASSERT_GE(sim_.addressWatch.wakeInMs, 0);
    sim_.addressWatch.now += static_cast<std::uint64_t>(sim_.addressWatch.wakeInMs);
    watch_->OnWake();
  }

  void MoveTo(std::vector<std::string> addresses) {
    sim_.hostAddresses.addresses = addresses;
    sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                               {sim::SimAdapter("{A1}", "LAN", std::move(addresses))});
  }

  std::size_t AdapterQueries() const {
    std::size_t count = 0;
    for (const std::string& query : sim_.management.Queries()) {
      count += query == kAdapterQuery ? 1 : 0;
    }
    return count;
  }

  std::unique_ptr<TXALAddressWatch> watch_;
};

TEST_F(AddressWatch, ABurstOfNoticesIsOneRefreshAndOneRecheck) {
  TXALAddressWatch& watch = Watch(TXALAddressWatchMode::Notifications);
  EXPECT_EQ(watch.Mode(), TXALAddressWatchMode::Notifications);
  EXPECT_TRUE(sim_.addressWatch.registered);
  EXPECT_LT(sim_.addressWatch.wakeInMs, 0) << "nothing runs until the system reports a change";

  // A lease renewal: the old address goes, two new ones come, each with its own notice.
  MoveTo({"10.0.0.7", "10.0.0.8"});
  NoticesThenWake({0, 5, 12});
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"});
  // The adapters read at the first notice, and once after the burst for both addresses and
  // their statuses, since the later notices made the first read stale.
  EXPECT_EQ(AdapterQueries(), 2u);
  ASSERT_EQ(form_->fmXALCurrent()->IPStatuses().Count(), 2);
  EXPECT_EQ(form_->fmXALCurrent()->IPStatuses().Items(1)->Address, "10.0.0.7");
  EXPECT_LT(sim_.addressWatch.wakeInMs, 0) << "quiet again after the check";
}

// A notice alone: the adapters are read at once, while the settle time runs, and the check's
// refresh takes that read. It serves that one check: a later one reads anew.
TEST_F(AddressWatch, ALoneNoticeIsRefreshedFromTheAdaptersReadWhileItSettles) {
  Watch(TXALAddressWatchMode::Notifications);
  MoveTo({"10.0.0.7"});
  watch_->OnNotice();
  EXPECT_EQ(AdapterQueries(), 1u) << "read at the notice";
  // Known only to the service: what the refresh shows is what was read at the notice.
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                             {sim::SimAdapter("{A1}", "LAN", {"10.0.0.70"})});
  sim_.addressWatch.now += static_cast<std::uint64_t>(sim_.addressWatch.wakeInMs);
  watch_->OnWake();
  EXPECT_EQ(AdapterQueries(), 1u);
  ASSERT_EQ(form_->fmXALCurrent()->IPStatuses().Count(), 1);
  EXPECT_EQ(form_->fmXALCurrent()->IPStatuses().Items(0)->Address, "10.0.0.7");
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"});

  MoveTo({"10.0.0.8"});
  EXPECT_TRUE(form_->IdIPAddrMonCheck(true)) << "told it was prepared, with nothing kept";
  EXPECT_EQ(AdapterQueries(), 2u);
  EXPECT_EQ(form_->fmXALCurrent()->IPStatuses().Items(0)->Address, "10.0.0.8");
}

// Addresses that move on before the check, with their notice still to come: the read made for
// the addresses before is not taken for the ones the check finds.
TEST_F(AddressWatch, AReadServesOnlyTheAddressesItWasMadeFor) {
  Watch(TXALAddressWatchMode::Notifications);
  MoveTo({"10.0.0.7"});
  watch_->OnNotice();
  MoveTo({"10.0.0.8"});
  sim_.addressWatch.now += static_cast<std::uint64_t>(sim_.addressWatch.wakeInMs);
  watch_->OnWake();
  EXPECT_EQ(AdapterQueries(), 2u);
  ASSERT_EQ(form_->fmXALCurrent()->IPStatuses().Count(), 1);
  EXPECT_EQ(form_->fmXALCurrent()->IPStatuses().Items(0)->Address, "10.0.0.8");
}

// Addresses that come back before the check: nothing is refreshed, and what was read at the
// notice is not kept for a later check.
TEST_F(AddressWatch, AReadWhoseCheckFoundNoChangeIsDropped) {
  Watch(TXALAddressWatchMode::Notifications);
  MoveTo({"10.0.0.7"});
  watch_->OnNotice();
  MoveTo({"10.0.0.5"});
  sim_.addressWatch.now += static_cast<std::uint64_t>(sim_.addressWatch.wakeInMs);
  watch_->OnWake();
  EXPECT_TRUE(Started().empty());
  EXPECT_EQ(AdapterQueries(), 1u);

  MoveTo({"10.0.0.9"});
  EXPECT_TRUE(form_->IdIPAddrMonCheck(true));
  EXPECT_EQ(AdapterQueries(), 2u);
  EXPECT_EQ(form_->fmXALCurrent()->IPStatuses().Items(0)->Address, "10.0.0.9");
}

// The preparing and the check may pump messages (the management service does, on Windows): a
// wake-up handled meanwhile is armed again once they are done, behind the messages still
// queued, and a notice handled meanwhile makes what was read stale.
TEST(AddressWatchPreparing, MessagesHandledWhilePreparingWaitForIt) {
  struct Case {
    bool noticeMeanwhile;
    bool prepared;
  };
  for (const Case c : {Case{false, true}, Case{true, false}}) {
    sim::SimAddressWatch port;
    std::vector<std::string> events;
    std::unique_ptr<TXALAddressWatch> watch;
    watch = std::make_unique<TXALAddressWatch>(
        port,
        [&](bool prepared) {
          events.push_back(prepared ? "check prepared" : "check");
          return true;
        },
        [&] {
          events.push_back("prepare");
          watch->OnWake();
          if (c.noticeMeanwhile) {
            watch->OnNotice();
          }
        });
    watch->Start(TXALAddressWatchMode::Notifications);
    watch->OnWake();
    events.clear();

    watch->OnNotice();
    EXPECT_EQ(events, std::vector<std::string>{"prepare"});
    // The notice armed the wake-up anew, over the one that fired before it.
    EXPECT_EQ(port.wakeInMs, c.noticeMeanwhile ? kAddressSettleMs : 0) << c.noticeMeanwhile;
    watch->OnWake();
    EXPECT_EQ(events,
              (std::vector<std::string>{"prepare", c.prepared ? "check prepared" : "check"}))
        << c.noticeMeanwhile;
  }
}

TEST(AddressWatchPreparing, AWakeUpDuringTheCheckRunsItAgainAfterIt) {
  sim::SimAddressWatch port;
  int checks = 0;
  std::unique_ptr<TXALAddressWatch> watch;
  watch = std::make_unique<TXALAddressWatch>(port, [&](bool) {
    if (++checks == 1) {
      // A change and its settled wake-up, handled while the first check waits.
      watch->OnNotice();
      watch->OnWake();
      EXPECT_EQ(checks, 1) << "no check inside the check";
    }
    return true;
  });
  watch->Start(TXALAddressWatchMode::Notifications);
  watch->OnWake();
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(port.wakeInMs, 0);
  watch->OnWake();
  EXPECT_EQ(checks, 2);
  EXPECT_LT(port.wakeInMs, 0);
}

TEST_F(AddressWatch, NoticesThatLeaveTheAddressesAsTheyWereRecheckNothing) {
  Watch(TXALAddressWatchMode::Notifications);
  // Removed and added back before the burst settled, or a change the host name does not show
  // (an IPv6 address): the check finds the list unchanged.
  NoticesThenWake({0, 8});
  EXPECT_TRUE(Started().empty());
  EXPECT_EQ(AdapterQueries(), 0u);
}

TEST_F(AddressWatch, NoticesSettleBeforeTheCheckButNeverWaitPastTheLongestWait) {
  Watch(TXALAddressWatchMode::Notifications);
  watch_->OnNotice();
  EXPECT_EQ(sim_.addressWatch.wakeInMs, kAddressSettleMs);
  // A stream that never pauses: each notice would push the check back, the longest wait holds.
  sim_.addressWatch.now += kAddressLongestWaitMs - 10;
  watch_->OnNotice();
  EXPECT_EQ(sim_.addressWatch.wakeInMs, 10);
}

TEST_F(AddressWatch, ACheckDueDuringARecheckRunsOnceItHasEnded) {
  TfmXALMain& form = Start();
  bool busy = true;
  int checks = 0;
  TXALAddressWatch watch(sim_.addressWatch, [&](bool prepared) {
    ++checks;
    return busy ? false : form.IdIPAddrMonCheck(prepared);
  });
  watch.Start(TXALAddressWatchMode::Notifications);
  sim_.shell.calls.clear();
  MoveTo({"10.0.0.9"});
  // The check that follows the registration comes while a recheck runs.
  watch.OnWake();
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(sim_.addressWatch.wakeInMs, kAddressSettleMs) << "tried again without a new notice";
  busy = false;
  watch.OnWake();
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"});
  EXPECT_LT(sim_.addressWatch.wakeInMs, 0);
}

TEST_F(AddressWatch, WithoutNoticesItPollsAndStopsCleanly) {
  sim_.addressWatch.notificationsOffered = false;
  TXALAddressWatch& watch = Watch(TXALAddressWatchMode::Notifications);
  EXPECT_EQ(watch.Mode(), TXALAddressWatchMode::Polling) << "the registration failed";
  EXPECT_EQ(sim_.addressWatch.wakeInMs, kAddressPollMs);

  watch.OnWake();
  EXPECT_TRUE(Started().empty());
  EXPECT_EQ(sim_.addressWatch.wakeInMs, kAddressPollMs) << "polling goes on";
  MoveTo({"10.0.0.9"});
  watch.OnWake();
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"});

  watch.Stop();
  EXPECT_LT(sim_.addressWatch.wakeInMs, 0);
  MoveTo({"10.0.0.10"});
  watch.OnWake();
  watch.OnNotice();
  EXPECT_EQ(Started(), std::vector<std::string>{"every.exe"}) << "stopped: nothing runs";
}

TEST(AddressWatchMode, TheSwitchWinsOverWhatTheSystemOffers) {
  using enum TXALAddressWatchMode;
  struct Case {
    const char* choice;
    bool noticesNeverFire;
    TXALAddressWatchMode mode;
  };
  const Case cases[] = {
      {"", false, Notifications},      {"", true, Polling},
      {"poll", false, Polling},        {"notify", true, Notifications},
      {"other", false, Notifications},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseAddressWatchMode(c.choice, c.noticesNeverFire), c.mode)
        << '"' << c.choice << "\" " << c.noticesNeverFire;
  }
}

TEST_F(MainRecheck, AddressMonitorDropsErrorsSilently) {
  TfmXALMain& form = Start();
  sim_.hostAddresses.addresses = {"10.0.0.6"};
  sim_.management.SetUnreachable(true);
  form.IdIPAddrMonCheck();
  EXPECT_TRUE(sim_.boxes.Shown().empty());
}

TEST_F(MainRecheck, AnErrorEndsTheRecheckAndIsShown) {
  TfmXALMain& form = Start();
  form.WorkingSets()->Items(0).Environment.Network.IPList.Add("10.(");
  sim_.shell.calls.clear();
  const TXALSetList previous = form.PreviousMatchingSets();
  form.HandleEvent([&] { form.miRecheckClick(); });
  ASSERT_EQ(sim_.boxes.Errors().size(), 1u);
  EXPECT_NE(sim_.boxes.Errors()[0].find("10.("), std::string::npos);
  EXPECT_TRUE(Started().empty());
  // The sets visited before the broken one did not match; the previous list is untouched.
  EXPECT_TRUE(Matching().empty());
  EXPECT_EQ(form.PreviousMatchingSets().Count(), previous.Count());
}

TEST_F(MainRecheck, DisplayChangeRechecks) {
  TfmXALMain& form = Start();
  sim_.shell.calls.clear();
  sim_.monitors.SetAttached(
      {sim::SimMonitor(1, 0, 0, 1920, 1080), sim::SimMonitor(2, 1920, 0, 1280, 1024)});
  form.WMDisplayChange();
  EXPECT_EQ(Matching(), (std::vector<std::string>{"Two", "Office"}));
  EXPECT_EQ(Started(), (std::vector<std::string>{"two.exe", "every.exe"}));
}

TEST_F(MainRecheck, ARecheckAskedForDuringARecheckRunsAfterItOnce) {
  // A shell error box pumps messages while a program starts; the tray's Recheck and a display
  // change handled then must not start "only new" programs a second time.
  TfmXALMain& form = Start();
  form.WorkingSets()->Items(0).Target.Startups.Items(1).FilePath = "once-more.exe";
  sim_.hostAddresses.addresses = {"192.168.1.20"};
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                             {sim::SimAdapter("{A1}", "LAN", {"192.168.1.20"})});
  form.IdIPAddrMonCheck();  // Office leaves the matching sets
  sim_.hostAddresses.addresses = {"10.0.0.5"};
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration",
                             {sim::SimAdapter("{A1}", "LAN", {"10.0.0.5"})});
  sim_.shell.calls.clear();
  int reentered = 0;
  sim_.shell.onCall = [&](const sim::SimShellCall&) {
    if (reentered++ == 0) {
      sim_.monitors.SetAttached(
          {sim::SimMonitor(1, 0, 0, 1920, 1080), sim::SimMonitor(2, 1920, 0, 1280, 1024)});
      form.WMDisplayChange();
      form.miRecheckClick();
      form.IdIPAddrMonCheck();
    }
  };
  form.IdIPAddrMonCheck();
  // The first pass starts both Office programs; the one deferred pass after it sees the second
  // display as well, and the only-new entry does not run again.
  EXPECT_EQ(Started(),
            (std::vector<std::string>{"every.exe", "once-more.exe", "two.exe", "every.exe"}));
  EXPECT_EQ(Matching(), (std::vector<std::string>{"Two", "Office"}));
  sim_.shell.onCall = nullptr;
}

TEST_F(MainRecheck, NoMatchingSetChangesNothingAndWithdrawsTheBalloon) {
  sim_.management.SetObjects("Win32_NetworkAdapterConfiguration", {});
  TfmXALMain& form = Start();
  EXPECT_TRUE(Matching().empty());
  EXPECT_FALSE(Setting("ProxyServer"));
  EXPECT_TRUE(sim_.internet.options.empty());
  EXPECT_TRUE(Started().empty());
  ASSERT_FALSE(view_.balloons.empty());
  EXPECT_EQ(view_.balloons.back(), (std::pair<std::string, std::string>{"", ""}));
  form.pmTaskTrayPopup();
  EXPECT_FALSE(view_.trayVisible[TXALTrayItem::SetIPAddresses]);
}

TEST_F(MainRecheck, PendingIPSettingsShowTheTrayItemAndForceTheHandOff) {
  sim_.files.PutFile(std::string(kFolder) + "XALData.xml",
                     "<XALSets><XALSet Name=\"Lab\"><Environment/><Target><Network><IPSettings>"
                     "<IPSetting Adapter=\"LAN\" Address=\"DHCP\"/></IPSettings></Network></Target>"
                     "</XALSet></XALSets>");
  TfmXALMain& form = Start();
  ASSERT_FALSE(view_.balloons.empty());
  EXPECT_FALSE(view_.balloons.back().first.empty()) << "the balloon offers the hand-off";

  form.pmTaskTrayPopup();
  EXPECT_TRUE(view_.trayVisible[TXALTrayItem::SetIPAddresses]);
  form.miSetIPAddressesClick();
  ASSERT_FALSE(sim_.shell.calls.empty());
  const sim::SimShellCall& call = sim_.shell.calls.back();
  EXPECT_EQ(call.kind, sim::SimShellCall::Kind::ExecuteEx);
  EXPECT_EQ(call.verb, "runas");
  EXPECT_EQ(call.file, std::string(kFolder) + "XALSetIPSettings.exe");
  // "LAN", "DHCP" and four empty lines, each with CR LF: 5 + 6 + 4 * 2 bytes.
  EXPECT_EQ(call.parameters, "19");
}

}  // namespace
}  // namespace xal
