// The address watch's Windows port: notices from other threads arrive posted, a burst as one
// message; the wake-up fires once on the window's thread; stopping is prompt.
#include "platform/win32/Win32AddressWatch.h"

#include <gtest/gtest.h>

#include "MessageWindow.h"
#include "TestThread.h"
#include "Wine.h"

namespace xal::win32 {
namespace {

constexpr UINT kNotice = WM_APP + 21;
constexpr UINT_PTR kWake = 7;

struct Seen {
  int notices = 0;
  int sent = 0;
  int wakes = 0;
  Win32AddressWatch* port = nullptr;
};
Seen* seen = nullptr;

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == kNotice) {
    ++seen->notices;
    // The check may call the management service, which refuses inside a sent message.
    seen->sent += InSendMessage() ? 1 : 0;
    seen->port->NoticeTaken();
    return 0;
  }
  if (message == WM_TIMER && w == kWake) {
    ++seen->wakes;
    seen->port->WakeFired();
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

void Pump(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  MSG message;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
}

TEST(Win32AddressWatch, NoticesArrivePostedAndABurstIsOneMessage) {
  const MessageWindow target(L"XalAddressWatchTest", &WatchProc);
  ASSERT_NE(target.Handle(), nullptr);
  Win32AddressWatch port(target.Handle(), kNotice, kWake);
  Seen state;
  state.port = &port;
  seen = &state;

  // The system's thread pool stands in: three notices before the window takes the first.
  TestThread system([&port] {
    for (int i = 0; i < 3; ++i) {
      port.SystemNotice();
    }
  });
  system.Join();
  Pump(100);
  EXPECT_EQ(state.notices, 1);
  EXPECT_EQ(state.sent, 0);
  // Taken: the next notice is posted again.
  TestThread later([&port] { port.SystemNotice(); });
  later.Join();
  Pump(100);
  EXPECT_EQ(state.notices, 2);

  // The registration succeeds where notices are offered; Wine accepts it too, though it never
  // reports a change. Either way it ends promptly.
  const bool registered = port.StartNotifications();
  if (!RunningUnderWine()) {
    EXPECT_TRUE(registered);
  }
  port.StopNotifications();
  seen = nullptr;
}

TEST(Win32AddressWatch, TheWakeUpFiresOnceAndCanBeDisarmed) {
  const MessageWindow target(L"XalAddressWakeTest", &WatchProc);
  ASSERT_NE(target.Handle(), nullptr);
  Win32AddressWatch port(target.Handle(), kNotice, kWake);
  Seen state;
  state.port = &port;
  seen = &state;

  port.SetWake(20);
  Pump(300);
  EXPECT_EQ(state.wakes, 1);

  port.SetWake(50);
  port.SetWake(-1);
  Pump(200);
  EXPECT_EQ(state.wakes, 1);
  seen = nullptr;
}

}  // namespace
}  // namespace xal::win32
