// The window test, the target rectangle, the placement test, the one-shot move, capture and the
// move buttons.
#include <functional>
#include <string>
#include <vector>

#include "PlacementFixture.h"

namespace xal {
namespace {

using Placement = PlacementFixture;

struct AppWindowCase {
  const char* name;
  std::function<void(sim::SimWindow&)> shape;
  bool manageInvisible;
  bool expected;
};

TEST_F(Placement, ApplicationWindowTest) {
  // The file manager runs as process 7.
  sim::SimWindow folder;
  folder.ClassName = "CabinetWClass";
  folder.Process = 7;
  windows_.Add(folder);

  const std::vector<AppWindowCase> cases = {
      {"plain", [](sim::SimWindow&) {}, false, true},
      {"black-listed", [](sim::SimWindow& w) { w.ClassName = "blackclass"; }, false, false},
      {"black- and white-listed", [](sim::SimWindow& w) { w.ClassName = "WhiteClass"; }, false,
       true},
      {"child", [](sim::SimWindow& w) { w.Style = kWsChild; }, false, false},
      {"white-listed child",
       [](sim::SimWindow& w) {
         w.Style = kWsChild;
         w.ClassName = "whiteclass";
       },
       false, true},
      {"disabled", [](sim::SimWindow& w) { w.Enabled = false; }, false, false},
      {"system module", [](sim::SimWindow& w) { w.Module = "C:\\Windows\\system32\\notepad.exe"; },
       false, false},
      // Paths are one file whatever their case: how the program was started decides nothing.
      {"system module, other letter case",
       [](sim::SimWindow& w) { w.Module = "C:\\WINDOWS\\SYSTEM32\\notepad.exe"; }, false, false},
      {"file manager process", [](sim::SimWindow& w) { w.Process = 7; }, false, false},
      {"invisible, switch off", [](sim::SimWindow& w) { w.Visible = false; }, false, false},
      {"invisible, switch on", [](sim::SimWindow& w) { w.Visible = false; }, true, true},
      {"invisible white-listed child, switch off",
       [](sim::SimWindow& w) {
         w.Visible = false;
         w.Style = kWsChild;
         w.ClassName = "WhiteClass";
       },
       false, false},
      {"invisible black-listed, switch on",
       [](sim::SimWindow& w) {
         w.Visible = false;
         w.ClassName = "BlackClass";
       },
       true, false},
  };
  for (const AppWindowCase& c : cases) {
    sim::SimWindow window;
    window.ClassName = "Notepad";
    c.shape(window);
    const TXALWindowHandle handle = windows_.Add(window);
    intake_.ManageInvisibleWindows = c.manageInvisible;
    EXPECT_EQ(intake_.IsAppWindow(handle), c.expected) << c.name;
  }
}

TEST_F(Placement, OwnWindowsAndGoneWindowsAreNotApplicationWindows) {
  const TXALWindowHandle own = Open("TfmXALCurrent");
  const TXALWindowHandle white = Open("WhiteClass");
  intake_.SetOwnWindows([&](TXALWindowHandle w) { return w == own || w == white; });
  EXPECT_FALSE(intake_.IsAppWindow(own));
  EXPECT_TRUE(intake_.IsAppWindow(white));

  const TXALWindowHandle gone = Open("Notepad");
  windows_.Destroy(gone);
  EXPECT_FALSE(intake_.IsAppWindow(gone));
}

TEST_F(Placement, TargetRectOffsetsByTheDisplayAndFallsBackToThePrimary) {
  TXALSet& set = AddMatchingSet();
  const TXALRect position{10, 20, 110, 220};
  struct Case {
    int display;
    TXALRect expected;
  };
  const std::vector<Case> cases = {
      {1, {10, 20, 110, 220}}, {2, {1930, 20, 2030, 220}}, {3, {10, 20, 110, 220}},
      {0, {10, 20, 110, 220}}, {-4, {10, 20, 110, 220}},
  };
  for (const Case& c : cases) {
    const TXALApp& rule = AddRule(set, "Notepad", position, TXALAppState::Normal, c.display);
    EXPECT_EQ(intake_.Placer().TargetRect(rule), c.expected) << "display " << c.display;
  }

  // The primary display is the one at the desktop origin, not the first one listed.
  sim_.monitors.SetAttached(
      {sim::SimMonitor(1, -1280, 0, 1280, 1024), sim::SimMonitor(2, 0, 0, 1920, 1080)});
  sim_.monitors.Refresh();
  const TXALApp& rule = AddRule(set, "Notepad", position, TXALAppState::Normal, 3);
  EXPECT_EQ(intake_.Placer().TargetRect(rule), position);
}

TEST_F(Placement, IsPlacedForEachStateAndShowCommand) {
  TXALSet& set = AddMatchingSet();
  const TXALRect position{10, 20, 110, 220};
  const TXALRect elsewhere{500, 500, 600, 600};
  struct Case {
    TXALAppState state;
    int showCmd;
    TXALRect rect;
    bool expected;
  };
  const std::vector<Case> cases = {
      // A normal window that moved itself away is brought back during the hold.
      {TXALAppState::Normal, kSwShowNormal, elsewhere, false},
      {TXALAppState::Normal, kSwShowNormal, position, true},
      {TXALAppState::Normal, kSwShowMinimized, position, false},
      {TXALAppState::Normal, kSwShowMaximized, position, false},
      {TXALAppState::Minimized, kSwShowMinimized, elsewhere, true},
      {TXALAppState::Minimized, kSwShowMaximized, position, false},
      {TXALAppState::Minimized, kSwShowNormal, elsewhere, false},
      // Restored to the rule's rectangle: the user's choice, left alone.
      {TXALAppState::Minimized, kSwShowNormal, position, true},
      {TXALAppState::Maximized, kSwShowMaximized, elsewhere, true},
      {TXALAppState::Maximized, kSwShowMinimized, position, false},
      {TXALAppState::Maximized, kSwShowNormal, elsewhere, false},
      // Other show commands contradict nothing.
      {TXALAppState::Maximized, 0, elsewhere, true},
      {TXALAppState::Normal, 5, elsewhere, true},
  };
  const TXALWindowHandle window = Open("Notepad");
  for (const Case& c : cases) {
    const TXALApp& rule = AddRule(set, "Notepad", position, c.state);
    windows_.Window(window).Placement.ShowCmd = c.showCmd;
    windows_.Window(window).Placement.NormalPosition = c.rect;
    EXPECT_EQ(intake_.Placer().IsPlaced(rule, window), c.expected)
        << "state " << static_cast<int>(c.state) << " show " << c.showCmd;
  }
  // On the second display the rectangle written includes the display's offset, and that is
  // what a placed window shows.
  const TXALApp& second = AddRule(set, "Notepad", position, TXALAppState::Normal, 2);
  windows_.Window(window).Placement.ShowCmd = kSwShowNormal;
  windows_.Window(window).Placement.NormalPosition = position;
  EXPECT_FALSE(intake_.Placer().IsPlaced(second, window));
  windows_.Window(window).Placement.NormalPosition = intake_.Placer().TargetRect(second);
  EXPECT_TRUE(intake_.Placer().IsPlaced(second, window));
  // A handle that names no window any more is left alone.
  windows_.Destroy(window);
  EXPECT_TRUE(intake_.Placer().IsPlaced(set.Target.Apps.Items(0), window));
}

TEST_F(Placement, PlaceWindowWritesMinimisedThenTheStateAndBringsTheWindowForward) {
  TXALSet& set = AddMatchingSet();
  const TXALApp& rule = AddRule(set, "Notepad", {10, 20, 110, 220}, TXALAppState::Maximized, 2);
  const TXALWindowHandle window = Open("Notepad");
  const TXALWindowHandle other = Open("Other");
  intake_.Placer().PlaceWindow(rule, other);
  EXPECT_TRUE(windows_.calls.empty());

  intake_.Placer().PlaceWindow(rule, window);
  EXPECT_EQ(windows_.calls,
            (std::vector<std::string>{"SetPlacement 0x100 7", "SetPlacement 0x100 3",
                                      "SetForeground 0x100"}));
  EXPECT_EQ(NormalRect(window), (TXALRect{1930, 20, 2030, 220}));
  EXPECT_EQ(ShowCmd(window), kSwShowMaximized);

  windows_.calls.clear();
  windows_.Destroy(window);
  intake_.Placer().PlaceWindow(rule, window);
  EXPECT_TRUE(windows_.calls.empty());
}

TEST_F(Placement, CaptureTakesDisplayRelativePositionAndState) {
  struct Case {
    int showCmd;
    TXALRect rect;
    TXALAppState state;
    int display;
    TXALRect position;
  };
  const std::vector<Case> cases = {
      {kSwShowMinimized, {100, 50, 500, 450}, TXALAppState::Minimized, 1, {100, 50, 500, 450}},
      {kSwShowMaximized, {2000, 10, 2300, 310}, TXALAppState::Maximized, 2, {80, 10, 380, 310}},
      {kSwShowNormal, {1900, 0, 2400, 300}, TXALAppState::Normal, 2, {-20, 0, 480, 300}},
      // Off every display: the nearest one.
      {kSwShowNormal, {4000, 0, 4100, 100}, TXALAppState::Normal, 2, {2080, 0, 2180, 100}},
  };
  for (const Case& c : cases) {
    sim::SimWindow window;
    window.ClassName = "Notepad";
    window.Caption = "Notes - Notepad";
    window.Placement.ShowCmd = c.showCmd;
    window.Placement.NormalPosition = c.rect;
    const TXALWindowHandle handle = windows_.Add(window);
    TXALApp rule(nullptr);
    rule.Name = "mine";
    rule.DefaultPrinter = "B";
    ASSERT_TRUE(intake_.Placer().CaptureWindow(handle, rule));
    EXPECT_EQ(rule.WindowClass, "Notepad");
    EXPECT_EQ(rule.Title, "Notes - Notepad");
    EXPECT_EQ(rule.State, c.state) << c.showCmd;
    EXPECT_EQ(rule.Display, c.display) << c.showCmd;
    EXPECT_EQ(rule.Position, c.position) << c.showCmd;
    EXPECT_EQ(rule.Name, "mine");
    EXPECT_EQ(rule.DefaultPrinter, "B");
  }
}

TEST_F(Placement, MoveButtonsPlaceHandledWindowsOnlyAndLeaveNothingPending) {
  const TXALWindowHandle seen = Open("Notepad");
  const TXALWindowHandle unseen = Open("Notepad");
  const TXALWindowHandle calc = Open("Calc");
  intake_.HandledWindows().Add(seen);
  intake_.HandledWindows().Add(calc);

  // The set need not match.
  TXALSets others{&owner_};
  TXALSet& set = others.Items(others.Add(std::make_unique<TXALSet>(&owner_)));
  AddRule(set, "Notepad", {1, 1, 101, 101});
  AddRule(set, "Calc", {2, 2, 102, 102});

  intake_.btTargetAppsMoveClick(set.Target.Apps, 0);
  intake_.btTargetAppsMoveClick(set.Target.Apps, 3);
  EXPECT_TRUE(windows_.calls.empty());

  intake_.btTargetAppsMoveClick(set.Target.Apps, 2);
  EXPECT_EQ(NormalRect(calc), (TXALRect{2, 2, 102, 102}));
  EXPECT_EQ(windows_.WriteCount(seen), 0);

  intake_.btTargetAppsMoveAllClick(set.Target.Apps);
  EXPECT_EQ(NormalRect(seen), (TXALRect{1, 1, 101, 101}));
  EXPECT_EQ(windows_.WriteCount(unseen), 0);
  EXPECT_EQ(intake_.PendingWindows().Count(), 0);
  EXPECT_FALSE(windows_.timerEnabled);
}

}  // namespace
}  // namespace xal
