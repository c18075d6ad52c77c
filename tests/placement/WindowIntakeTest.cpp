// The hook notices: application list, first-activation placement, the pending lists and their
// timer, the printer stack, and catalogue edits while entries are pending.
#include <string>
#include <vector>

#include "PlacementFixture.h"

namespace xal {
namespace {

using Intake = PlacementFixture;
using Names = std::vector<std::string>;

const TXALRect kRect{10, 20, 410, 320};

TEST_F(Intake, AWindowIsPlacedOnItsFirstActivationOnly) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Maximized, 2);
  const TXALWindowHandle window = Open("Notepad");

  intake_.HandleHookMessage(TXALHookNotice::Activated, window);
  EXPECT_EQ(NormalRect(window), (TXALRect{1930, 20, 2330, 320}));
  EXPECT_EQ(ShowCmd(window), kSwShowMaximized);
  EXPECT_EQ(intake_.HandledWindows().IndexOf(window), 0);
  EXPECT_EQ(intake_.PendingWindows().Count(), 1);
  EXPECT_TRUE(windows_.timerEnabled);
  ASSERT_EQ(current_.lbApps().size(), 1u);
  EXPECT_EQ(current_.lbApps()[0].Text, "Doc(Notepad)");

  const int writes = windows_.WriteCount(window);
  windows_.Window(window).Placement.NormalPosition = {0, 0, 5, 5};
  intake_.HandleHookMessage(TXALHookNotice::Activated, window);
  EXPECT_EQ(windows_.WriteCount(window), writes);
  EXPECT_EQ(intake_.HandledWindows().Count(), 1);
}

TEST_F(Intake, ReactivationDuringItsOwnPassStartsNoSecondPass) {
  // Showing the window in its rule's state activates it again, and that notice is handled in
  // the pass's waits; with two matching sets a pass started there would start another.
  for (int i = 0; i < 2; ++i) {
    AddRule(AddMatchingSet(), "Notepad", kRect, TXALAppState::Normal);
  }
  const TXALWindowHandle window = Open("Notepad");
  int notices = 0;
  windows_.onProcessMessages = [&] {
    ++notices;
    intake_.HandleHookMessage(TXALHookNotice::Activated, window);
  };
  intake_.HandleHookMessage(TXALHookNotice::Activated, window);
  EXPECT_GE(notices, 2);
  EXPECT_EQ(intake_.PendingWindows().Count(), 2);
  EXPECT_EQ(intake_.HandledWindows().Count(), 1);
  EXPECT_EQ(NormalRect(window), kRect);
}

TEST_F(Intake, AHandleReusedAfterItsDestroyNoticeIsPlacedAgain) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect);
  const TXALWindowHandle window = Open("Notepad");
  intake_.WindowActivated(window);
  intake_.WindowDestroyed(window);
  windows_.Destroy(window);
  EXPECT_EQ(intake_.HandledWindows().Count(), 0);
  EXPECT_TRUE(current_.lbApps().empty());

  sim::SimWindow reborn;
  reborn.ClassName = "Notepad";
  windows_.AddWithHandle(window, reborn);
  intake_.WindowActivated(window);
  EXPECT_EQ(NormalRect(window), kRect);
  EXPECT_EQ(intake_.HandledWindows().IndexOf(window), 0);
}

TEST_F(Intake, WithManagementOffAWindowIsListedButNotPlacedUntilItIsBackOn) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect);
  const TXALWindowHandle window = Open("Notepad");
  intake_.EnableManageWindow = false;
  intake_.WindowActivated(window);
  EXPECT_EQ(current_.lbApps().size(), 1u);
  EXPECT_EQ(windows_.WriteCount(window), 0);
  EXPECT_EQ(intake_.HandledWindows().Count(), 0);

  intake_.EnableManageWindow = true;
  intake_.WindowActivated(window);
  EXPECT_EQ(NormalRect(window), kRect);
  EXPECT_EQ(current_.lbApps().size(), 1u);
}

TEST_F(Intake, OnlyApplicationWindowsArePlaced) {
  // The black list and the invisible-windows switch decide which windows are moved, as they
  // decide which are listed.
  TXALSet& set = AddMatchingSet();
  AddRule(set, "BlackClass", kRect);
  AddRule(set, "Hidden", kRect);
  const TXALWindowHandle black = Open("BlackClass");
  const TXALWindowHandle hidden = Open("Hidden");
  windows_.Window(hidden).Visible = false;
  const TXALRect before = NormalRect(hidden);
  intake_.WindowActivated(black);
  intake_.WindowActivated(hidden);
  EXPECT_TRUE(current_.lbApps().empty());
  EXPECT_NE(NormalRect(black), kRect);
  EXPECT_EQ(NormalRect(hidden), before);
  EXPECT_TRUE(intake_.PendingWindows().Count() == 0);
  // Not taken as handled: shown later, the window is placed on its next activation.
  windows_.Window(hidden).Visible = true;
  intake_.WindowActivated(hidden);
  EXPECT_EQ(NormalRect(hidden), kRect);
  // With the switch on, a hidden window counts.
  const TXALWindowHandle hiddenToo = Open("Hidden");
  windows_.Window(hiddenToo).Visible = false;
  intake_.ManageInvisibleWindows = true;
  intake_.WindowActivated(hiddenToo);
  EXPECT_EQ(NormalRect(hiddenToo), kRect);
}

TEST_F(Intake, TwoMatchingSetsLeaveTwoEntriesAndTheFirstCatalogueSetWins) {
  // The recheck lists sets from the last to the first, so the first catalogue set comes last.
  TXALSet& second = AddMatchingSet();
  TXALSet& first = AddMatchingSet();
  TXALApp& secondRule = AddRule(second, "Notepad", {0, 0, 100, 100}, TXALAppState::Normal, 1, "B");
  TXALApp& firstRule = AddRule(first, "Notepad", kRect, TXALAppState::Normal, 2, "C");
  const TXALWindowHandle window = Open("Notepad");

  intake_.WindowActivated(window);
  EXPECT_EQ(NormalRect(window), (TXALRect{1930, 20, 2330, 320}));
  ASSERT_EQ(intake_.PendingWindows().Count(), 2);
  EXPECT_EQ(intake_.PendingApps().Items(0), &secondRule);
  EXPECT_EQ(intake_.PendingApps().Items(1), &firstRule);
  EXPECT_EQ(printers_.AppPrinters(), (Names{"C", "B", "A"}));
  EXPECT_EQ(DefaultPrinter(), "C");
}

TEST_F(Intake, TheDestroyNoticeReleasesItsSenderBeforeTheManagementServiceIsCalled) {
  // The closing program sends the notice and waits; the management service (which switches the
  // printer back) refuses calls until the sender is answered.
  sim_.management.callsRefused = &windows_.sentMessagePending;
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Normal, 1, "B");
  AddRule(set, "Calc", kRect, TXALAppState::Normal, 1, "C");
  const TXALWindowHandle notepad = Open("Notepad", "Letter");
  const TXALWindowHandle calc = Open("Calc");
  intake_.WindowActivated(notepad);
  intake_.WindowActivated(calc);
  EXPECT_EQ(DefaultPrinter(), "C");

  windows_.calls.clear();
  windows_.sentMessagePending = true;
  intake_.WindowDestroyed(calc);
  EXPECT_FALSE(windows_.sentMessagePending);
  EXPECT_EQ(DefaultPrinter(), "B");
  // Read first, then released: the rule was still found by class and caption.
  EXPECT_EQ(windows_.calls.front(), "ReplyToSender");
  EXPECT_EQ(printers_.AppPrinters(), (Names{"B", "A"}));
}

TEST_F(Intake, PrinterStackFollowsWindowsOpeningAndClosing) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Normal, 1, "b");
  AddRule(set, "Calc", kRect, TXALAppState::Normal, 1, "NotInstalled");
  const TXALWindowHandle notepad = Open("Notepad");

  intake_.WindowActivated(notepad);
  EXPECT_EQ(printers_.AppPrinters(), (Names{"b", "A"}));
  EXPECT_EQ(DefaultPrinter(), "B");
  intake_.WindowDestroyed(notepad);
  EXPECT_EQ(printers_.AppPrinters(), Names{"A"});
  EXPECT_EQ(DefaultPrinter(), "A");

  // An uninstalled printer changes nothing on opening; closing still goes back to the top.
  const TXALWindowHandle calc = Open("Calc");
  intake_.WindowActivated(calc);
  EXPECT_EQ(printers_.AppPrinters(), Names{"A"});
  MakeDefault("C");
  intake_.WindowDestroyed(calc);
  EXPECT_EQ(DefaultPrinter(), "A");

  // A window that was never handled releases nothing.
  MakeDefault("C");
  const TXALWindowHandle stranger = Open("Notepad");
  intake_.WindowDestroyed(stranger);
  EXPECT_EQ(DefaultPrinter(), "C");
}

TEST_F(Intake, ASettlingWindowIsRetriedAndARefusingOneCostsTenWaitsPerStep) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Maximized);
  struct Case {
    const char* name;
    int ignoredWrites;
    bool refuses;
    int expectedMs;
    bool placed;
  };
  const std::vector<Case> cases = {
      {"takes the first write", 0, false, 0, true},
      {"takes the fourth write", 3, false, 300, true},
      {"refuses", 0, true, 2000, false},
  };
  for (const Case& c : cases) {
    sim::SimWindow window;
    window.ClassName = "Notepad";
    window.IgnoredWrites = c.ignoredWrites;
    window.RefusesWrites = c.refuses;
    const TXALWindowHandle handle = windows_.Add(window);
    windows_.elapsedMs = 0;
    intake_.WindowActivated(handle);
    EXPECT_EQ(windows_.elapsedMs, c.expectedMs) << c.name;
    EXPECT_EQ(intake_.Placer().IsPlaced(set.Target.Apps.Items(0), handle), c.placed) << c.name;
  }
}

TEST_F(Intake, TheSweepHoldsPendingWindowsForAbout102Ticks) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Maximized);
  const TXALWindowHandle window = Open("Notepad");
  intake_.WindowActivated(window);
  // The window falls back to normal; the sweep puts it back and, once it stays, lets go.
  windows_.Window(window).Placement = {0, kSwShowNormal, {}, {}, {0, 0, 50, 50}};
  EXPECT_TRUE(intake_.CheckPendingPlacements());
  EXPECT_EQ(ShowCmd(window), kSwShowMaximized);
  EXPECT_FALSE(intake_.CheckPendingPlacements());
  EXPECT_EQ(intake_.PendingWindows().Count(), 0);

  // A window that never stays put keeps the timer running for 102 ticks, then stays pending.
  sim::SimWindow stubborn;
  stubborn.ClassName = "Notepad";
  stubborn.RefusesWrites = true;
  const TXALWindowHandle refusing = windows_.Add(stubborn);
  intake_.WindowActivated(refusing);
  EXPECT_EQ(RunTimer(), 102);
  EXPECT_EQ(intake_.PendingWindows().Count(), 1);

  // A later placement restarts the count.
  intake_.WindowActivated(Open("Notepad"));
  EXPECT_EQ(intake_.TickCount(), 0);
  EXPECT_TRUE(windows_.timerEnabled);
}

TEST_F(Intake, DeletedRulesAndSetsTakeTheirPendingEntriesAlong) {
  TXALSet& keep = AddMatchingSet();
  TXALSet& drop = AddMatchingSet();
  TXALApp& kept = AddRule(keep, "Notepad", kRect, TXALAppState::Maximized);
  AddRule(drop, "Notepad", kRect, TXALAppState::Maximized);
  AddRule(drop, "Calc", kRect, TXALAppState::Maximized);
  sim::SimWindow window;
  window.ClassName = "Notepad";
  window.RefusesWrites = true;
  intake_.WindowActivated(windows_.Add(window));
  window.ClassName = "Calc";
  intake_.WindowActivated(windows_.Add(window));
  ASSERT_EQ(intake_.PendingWindows().Count(), 3);

  intake_.ForgetRulesOf(drop);
  matching_.Delete(1);
  catalogue_.Delete(1);
  ASSERT_EQ(intake_.PendingApps().Count(), 1);
  EXPECT_EQ(intake_.PendingApps().Items(0), &kept);
  intake_.TimerTimer();

  intake_.ForgetRule(kept);
  keep.Target.Apps.Delete(0);
  EXPECT_EQ(intake_.PendingWindows().Count(), 0);

  AddRule(keep, "Notepad", kRect, TXALAppState::Maximized);
  intake_.WindowActivated(windows_.Add(window));
  window.ClassName = "Notepad";
  intake_.WindowActivated(windows_.Add(window));
  intake_.ForgetAll();
  matching_.Clear();
  catalogue_.Clear();
  EXPECT_EQ(intake_.PendingApps().Count(), 0);
  EXPECT_FALSE(intake_.CheckPendingPlacements());
}

TEST_F(Intake, ACatalogueEditDuringThePassStopsIt) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Maximized, 1, "B");
  sim::SimWindow window;
  window.ClassName = "Notepad";
  window.RefusesWrites = true;
  const TXALWindowHandle handle = windows_.Add(window);
  windows_.onProcessMessages = [&] {
    if (catalogue_.Count() > 0) {
      intake_.ForgetRulesOf(catalogue_.Items(0));
      matching_.Clear();
      catalogue_.Clear();
    }
  };
  intake_.WindowActivated(handle);
  EXPECT_EQ(windows_.messagePumps, 1);
  EXPECT_EQ(intake_.PendingWindows().Count(), 0);
  EXPECT_TRUE(printers_.AppPrinters().empty());
  EXPECT_EQ(intake_.HandledWindows().IndexOf(handle), 0);
}

TEST_F(Intake, AWindowThatVanishesIsNeitherPlacedNorAnError) {
  TXALSet& set = AddMatchingSet();
  AddRule(set, "Notepad", kRect, TXALAppState::Maximized, 1, "B");
  // Vanishes at the k-th call that names it: before, inside and after the two settle loops.
  for (const int k : {1, 3, 5, 8, 12}) {
    sim::SimWindow window;
    window.ClassName = "Notepad";
    window.RefusesWrites = true;
    window.VanishOnCall = k;
    const TXALWindowHandle handle = windows_.Add(window);
    EXPECT_NO_THROW(intake_.WindowActivated(handle)) << k;
    EXPECT_EQ(intake_.PendingWindows().Count(), 0) << k;
    EXPECT_TRUE(printers_.AppPrinters().empty()) << k;
  }

  // A pending window that goes without its destroy notice is dropped without a write.
  const TXALWindowHandle pending = Open("Notepad");
  windows_.Window(pending).RefusesWrites = true;
  intake_.WindowActivated(pending);
  ASSERT_EQ(intake_.PendingWindows().Count(), 1);
  windows_.Destroy(pending);
  windows_.calls.clear();
  EXPECT_FALSE(intake_.CheckPendingPlacements());
  EXPECT_TRUE(windows_.calls.empty());
}

TEST_F(Intake, ApplicationListKeepsOneLinePerWindowMostRecentFirst) {
  struct Recorder : IXALCurrentListener {
    void OnAppsChanged(const std::vector<TXALAppLine>& lines) override {
      last = lines;
      ++calls;
    }
    std::vector<TXALAppLine> last;
    int calls = 0;
  } dialog;
  current_.AddListener(&dialog);
  const TXALWindowHandle a = Open("Notepad", "A");
  const TXALWindowHandle b = Open("Calc", "B");
  Open("BlackClass", "hidden from the list");

  current_.RefreshApps(intake_.HandledWindows());
  ASSERT_EQ(current_.lbApps().size(), 2u);
  EXPECT_EQ(current_.lbApps()[0].Handle, b);
  EXPECT_EQ(intake_.HandledWindows().Count(), 2);
  // Windows open at start-up are not placed when activated.
  AddRule(AddMatchingSet(), "Notepad", kRect);
  intake_.WindowActivated(a);
  EXPECT_EQ(windows_.WriteCount(a), 0);
  EXPECT_EQ(current_.lbApps()[0].Handle, a);
  EXPECT_EQ(current_.lbAppsItemIndex(), 0);

  windows_.Window(b).Caption = "B2";
  intake_.WindowCaptionChanged(b);
  EXPECT_EQ(current_.lbApps()[1].Text, "B2(Calc)");
  EXPECT_EQ(dialog.last.size(), 2u);

  current_.lbAppsDblClick();
  EXPECT_EQ(windows_.calls.back(), "Flash 0x100 5");

  intake_.WindowDestroyed(a);
  ASSERT_EQ(current_.lbApps().size(), 1u);
  EXPECT_EQ(current_.lbApps()[0].Handle, b);
  EXPECT_EQ(current_.lbAppsItemIndex(), -1);
  EXPECT_EQ(dialog.last.size(), 1u);
  current_.RemoveListener(&dialog);
}

}  // namespace
}  // namespace xal
