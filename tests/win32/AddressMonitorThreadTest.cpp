// The address monitor's worker hands its checks over as posted messages, one at a time.
#include "platform/win32/AddressMonitorThread.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "MessageWindow.h"

namespace xal::win32 {
namespace {

constexpr UINT kCheck = WM_APP + 20;

struct Seen {
  int checks = 0;
  int sent = 0;
  AddressMonitorThread* monitor = nullptr;
  bool holdChecks = false;
};
Seen* seen = nullptr;

LRESULT CALLBACK CheckProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == kCheck) {
    ++seen->checks;
    // The check may call the management service, which refuses inside a sent message.
    if (InSendMessage()) {
      ++seen->sent;
    }
    if (!seen->holdChecks) {
      seen->monitor->CheckDone();
    }
    return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

void Pump(DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  MSG message;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
}

TEST(AddressMonitorThread, PostsOneCheckAtATimeAndStopsPromptly) {
  const MessageWindow target(L"XalAddressMonitorTest", &CheckProc);
  const HWND window = target.Handle();
  ASSERT_NE(window, nullptr);
  AddressMonitorThread monitor;
  Seen state;
  state.monitor = &monitor;
  seen = &state;

  monitor.Start(window, kCheck);
  Pump(1700);
  EXPECT_GE(state.checks, 2);
  EXPECT_EQ(state.sent, 0);

  // A check that has not run yet holds the next one back: no pile-up behind a busy thread.
  state.holdChecks = true;
  state.checks = 0;
  Pump(1700);
  EXPECT_EQ(state.checks, 1);
  // Stopping does not wait for the held check.
  monitor.Stop();
  Pump(700);
  EXPECT_EQ(state.checks, 1);

  seen = nullptr;
}

}  // namespace
}  // namespace xal::win32
