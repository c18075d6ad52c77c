// The display-layout test of an environment against the attached monitors.
#include <gtest/gtest.h>

#include <vector>

#include "catalogue/XALDisplays.h"
#include "platform/sim/SimMonitors.h"

namespace xal {
namespace {

using sim::SimMonitor;

struct Entry {
  int number, left, top, width, height;
};

TEST(MatchesScreen, CountAndBoundsMustMatchExactly) {
  const std::vector<TXALMonitor> none;
  const std::vector<TXALMonitor> one = {SimMonitor(1, 0, 0, 1920, 1080)};
  const std::vector<TXALMonitor> two = {SimMonitor(1, 0, 0, 1920, 1080),
                                        SimMonitor(2, -1280, 120, 1280, 1024)};
  const struct {
    const char* name;
    int displayCount;
    std::vector<Entry> entries;
    const std::vector<TXALMonitor>& screen;
    bool expected;
  } cases[] = {
      {"any count, no entries, no monitors", 0, {}, none, true},
      {"count only, two monitors", 2, {}, two, true},
      {"count only, one monitor", 2, {}, one, false},
      {"exact second display", 2, {{2, -1280, 120, 1280, 1024}}, two, true},
      {"any count, entry matches", 0, {{1, 0, 0, 1920, 1080}}, two, true},
      {"both entries", 0, {{2, -1280, 120, 1280, 1024}, {1, 0, 0, 1920, 1080}}, two, true},
      {"one pixel left", 0, {{2, -1279, 120, 1280, 1024}}, two, false},
      {"one pixel wide", 0, {{1, 0, 0, 1921, 1080}}, two, false},
      {"number 3 of two", 0, {{3, 0, 0, 1920, 1080}}, two, false},
      {"number 0", 0, {{0, 0, 0, 1920, 1080}}, two, false},
      {"second entry fails", 0, {{1, 0, 0, 1920, 1080}, {2, 0, 0, 1, 1}}, two, false},
  };
  for (const auto& c : cases) {
    TXALDisplays displays(nullptr);
    displays.DisplayCount = c.displayCount;
    for (const Entry& e : c.entries) {
      displays.AddDisplay(e.number, e.left, e.top, e.width, e.height);
    }
    EXPECT_EQ(displays.MatchesScreen(c.screen), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace xal
