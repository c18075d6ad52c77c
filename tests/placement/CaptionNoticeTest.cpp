#include "hooks/CaptionNotice.h"

#include <gtest/gtest.h>

namespace xal::hooks {
namespace {

constexpr unsigned long kTray = 100;
constexpr unsigned long kOther = 200;

struct Case {
  const char* what;
  ReturnedCall call;
  unsigned long notified;
  bool reported;
};

TEST(CaptionNoticeTest, ReportsCaptionChangesOfOtherProgramsTopLevelWindows) {
  const Case cases[] = {
      // Also the 32-bit build's case of a 64-bit program's window, whose call runs in the tray
      // itself: only the window's own process decides.
      {"caption set on another program's window",
       {kSetTextMessage, false, false, kOther},
       kTray,
       true},
      {"window becomes active", {kNcActivateMessage, true, false, kOther}, kTray, true},
      {"window becomes inactive", {kNcActivateMessage, false, false, kOther}, kTray, false},
      {"the tray's own window", {kSetTextMessage, false, false, kTray}, kTray, false},
      {"the tray's own window becoming active",
       {kNcActivateMessage, true, false, kTray},
       kTray,
       false},
      {"child control", {kSetTextMessage, false, true, kOther}, kTray, false},
      {"other message", {0x0005 /* WM_SIZE */, true, false, kOther}, kTray, false},
      {"window already gone", {kSetTextMessage, false, false, 0}, kTray, false},
      {"no notified window", {kSetTextMessage, false, false, kOther}, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReportsCaption(c.call, c.notified), c.reported) << c.what;
  }
}

}  // namespace
}  // namespace xal::hooks
