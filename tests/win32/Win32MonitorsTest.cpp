#include "platform/win32/Win32Monitors.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "catalogue/XALRect.h"

namespace xal::win32 {
namespace {

TEST(Win32Monitors, ListsTheMonitorsWithFullBounds) {
  Win32Monitors monitors;
  const auto& list = monitors.List();
  ASSERT_FALSE(list.empty());
  for (const TXALMonitor& monitor : list) {
    EXPECT_NE(monitor.Handle, 0u);
    EXPECT_GT(RectWidth(monitor.Bounds), 0);
    EXPECT_GT(RectHeight(monitor.Bounds), 0);
    EXPECT_EQ(monitor.DeviceName.rfind("\\\\.\\DISPLAY", 0), 0u) << monitor.DeviceName;
    EXPECT_FALSE(monitor.Description.empty()) << monitor.DeviceName;
  }
  // The primary monitor holds the desktop's origin.
  const TXALMonitor& primary = list.front();
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(primary.Handle), &info));
  EXPECT_EQ(primary.Bounds, (TXALRect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                                      info.rcMonitor.bottom}));

  const auto before = list;
  monitors.Refresh();
  ASSERT_EQ(monitors.List().size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(monitors.List()[i].Bounds, before[i].Bounds);
    EXPECT_EQ(monitors.List()[i].Description, before[i].Description);
  }
}

// The Wine runner says which desktop it made ("1280x800"): one monitor of exactly that size.
TEST(Win32Monitors, MatchesTheTestDesktop) {
  const char* size = std::getenv("XAL_TEST_DESKTOP_SIZE");
  int width = 0;
  int height = 0;
  if (size == nullptr || std::sscanf(size, "%dx%d", &width, &height) != 2) {
    GTEST_SKIP() << "XAL_TEST_DESKTOP_SIZE is not set (only the Wine runner sets it)";
  }
  Win32Monitors monitors;
  ASSERT_EQ(monitors.List().size(), 1u);
  EXPECT_EQ(monitors.List()[0].Bounds, (TXALRect{0, 0, width, height}));
}

}  // namespace
}  // namespace xal::win32
