// Which balloon calls the tray icon makes: a withdrawal only while one of ours may be shown.
#include "core/XALTrayBalloon.h"

#include <gtest/gtest.h>

namespace xal {
namespace {

TEST(TrayBalloon, AWithdrawalIsSentOnlyWhileOneOfOursMayBeShown) {
  TXALTrayBalloon balloon;
  EXPECT_FALSE(balloon.Needed("", "")) << "nothing shown since the icon was added";
  EXPECT_TRUE(balloon.Needed("IP settings", "Apply them."));

  balloon.Sent("IP settings", "Apply them.", false);
  EXPECT_FALSE(balloon.Needed("", "")) << "the notification area refused to show it";

  balloon.Sent("IP settings", "Apply them.", true);
  EXPECT_TRUE(balloon.Needed("", ""));
  EXPECT_TRUE(balloon.Needed("IP settings", "Apply them.")) << "shown again at every recheck";

  balloon.Sent("", "", false);
  EXPECT_TRUE(balloon.Needed("", "")) << "a withdrawal refused is tried again";
  balloon.Sent("", "", true);
  EXPECT_FALSE(balloon.Needed("", ""));

  balloon.Sent("IP settings", "Apply them.", true);
  balloon.IconAdded();
  EXPECT_FALSE(balloon.Needed("", "")) << "a new icon has no balloon";
}

}  // namespace
}  // namespace xal
