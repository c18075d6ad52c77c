// Windows as the placement reads and moves them: the program's own windows, a window of another
// process (where Wine refuses SetWindowPlacement and the move-and-show fallback takes over),
// handles that have gone, and the placement timer and message pump.
#include "platform/win32/Win32WindowSystem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "TestThread.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Monitors.h"
#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kTestClass[] = L"XalWindowSystemTest";

std::wstring ExePath() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  return std::wstring(path, length);
}

int timerTicks = 0;
int sentHandled = 0;
int postedHandled = 0;
constexpr UINT kSentMessage = WM_APP + 5;
constexpr UINT kPostedMessage = WM_APP + 6;

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kPlacementTimerId) {
    ++timerTicks;
    return 0;
  }
  if (message == kSentMessage) {
    ++sentHandled;
    return 0;
  }
  if (message == kPostedMessage) {
    ++postedHandled;
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const std::wstring& caption) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = TestProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kTestClass;
  RegisterClassW(&windowClass);
  return CreateWindowExW(0, kTestClass, caption.c_str(), WS_OVERLAPPEDWINDOW, 50, 60, 300, 200,
                         nullptr, nullptr, windowClass.hInstance, nullptr);
}

TXALWindowHandle HandleOf(HWND window) {
  return reinterpret_cast<TXALWindowHandle>(window);
}

TEST(Win32WindowSystem, ReadsAWindowAndNothingOnceItHasGone) {
  // Longer than any first buffer, and not ASCII.
  std::string caption = "Entwurf \xC3\xBC\xE6\x97\xA5\xE6\x9C\xAC ";
  caption.append(600, 'x');
  const HWND window = MakeWindow(Widen(caption));
  ASSERT_NE(window, nullptr);
  const TXALWindowHandle handle = HandleOf(window);
  Win32WindowSystem windows;

  EXPECT_TRUE(windows.IsWindow(handle));
  EXPECT_EQ(windows.ClassName(handle), Narrow(kTestClass));
  EXPECT_EQ(windows.Caption(handle), caption);
  EXPECT_EQ(windows.ModuleFileName(handle), Narrow(ExePath()));
  EXPECT_EQ(windows.Style(handle) & WS_CAPTION, static_cast<std::uint32_t>(WS_CAPTION));
  EXPECT_EQ(windows.Style(handle) & kWsChild, 0u);
  EXPECT_FALSE(windows.IsVisible(handle));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(windows.IsVisible(handle));
  EXPECT_TRUE(windows.IsEnabled(handle));
  EnableWindow(window, FALSE);
  EXPECT_FALSE(windows.IsEnabled(handle));
  EXPECT_EQ(windows.ProcessId(handle), GetCurrentProcessId());
  EXPECT_EQ(windows.FindTopLevel(Narrow(kTestClass)), handle);
  const auto all = windows.EnumTopLevel();
  EXPECT_NE(std::find(all.begin(), all.end(), handle), all.end());

  DestroyWindow(window);
  EXPECT_FALSE(windows.IsWindow(handle));
  EXPECT_EQ(windows.ClassName(handle), "");
  EXPECT_EQ(windows.Caption(handle), "");
  EXPECT_EQ(windows.ModuleFileName(handle), "");
  TXALWindowPlacement placement;
  placement.ShowCmd = 99;
  EXPECT_FALSE(windows.GetPlacement(handle, placement));
  EXPECT_EQ(placement.ShowCmd, 99);
  windows.SetPlacement(handle, {0, kSwShowNormal, {}, {}, {1, 2, 3, 4}});
  EXPECT_EQ(windows.FindTopLevel(Narrow(kTestClass)), 0u);
}

TEST(Win32WindowSystem, SystemFolderAndMonitors) {
  Win32WindowSystem windows;
  const std::string folder = windows.SystemDirectory();
  ASSERT_GE(folder.size(), 9u);
  std::string tail = folder.substr(folder.size() - 9);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  EXPECT_EQ(tail, "\\system32");

  Win32Monitors monitors;
  ASSERT_FALSE(monitors.List().empty());
  const TXALMonitor& first = monitors.List().front();
  const TXALRect inside{first.Bounds.Left + 10, first.Bounds.Top + 10, first.Bounds.Left + 20,
                        first.Bounds.Top + 20};
  EXPECT_EQ(windows.MonitorFromRect(inside), first.Handle);
  // Far off every screen: still the nearest monitor, never none.
  EXPECT_NE(windows.MonitorFromRect({-100000, -100000, -99990, -99990}), 0u);
}

// Each state the pass writes, on a window of another process, reads back as written: normal
// rectangle and show command.
TEST(Win32WindowSystem, PlacesAWindowOfAnotherProcessInEachState) {
  std::wstring folder = ExePath();
  folder.resize(folder.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + folder + L"xal_hook_target.exe\" placement";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &process));
  HWND target = nullptr;
  for (int wait = 0; wait < 200 && target == nullptr; ++wait) {
    Sleep(50);
    target = FindWindowW(L"XalPlacementTarget", nullptr);
  }
  ASSERT_NE(target, nullptr) << "the target window did not open";
  const TXALWindowHandle handle = HandleOf(target);

  Win32WindowSystem windows;
  const TXALRect rect{120, 90, 520, 390};
  struct Step {
    int write;
    int read;
  };
  for (const Step step :
       {Step{kSwShowMinNoActive, kSwShowMinimized}, Step{kSwShowMaximized, kSwShowMaximized},
        Step{kSwShowMinimized, kSwShowMinimized}, Step{kSwShowNormal, kSwShowNormal}}) {
    windows.SetPlacement(handle, {0, step.write, {}, {}, rect});
    TXALWindowPlacement read;
    ASSERT_TRUE(windows.GetPlacement(handle, read));
    EXPECT_EQ(read.ShowCmd, step.read) << "after writing " << step.write;
    EXPECT_EQ(read.NormalPosition, rect) << "after writing " << step.write;
  }
  EXPECT_TRUE(windows.IsVisible(handle));
  EXPECT_EQ(windows.ProcessId(handle), process.dwProcessId);
  EXPECT_EQ(windows.Caption(handle), "Placement target");
  // The other program's file, whichever way it was found.
  EXPECT_NE(windows.ModuleFileName(handle).find("xal_hook_target.exe"), std::string::npos)
      << windows.ModuleFileName(handle);

  PostMessageW(target, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

TEST(Win32PlacementClock, TimerTicksAndMessagesAreHandledAndAQuitIsKept) {
  const HWND window = MakeWindow(L"Clock");
  ASSERT_NE(window, nullptr);
  Win32PlacementClock clock;
  clock.SetOwner(window);
  timerTicks = 0;
  clock.EnableTimer(true);
  for (int wait = 0; wait < 40 && timerTicks < 2; ++wait) {
    clock.Sleep(50);
    clock.ProcessMessages();
  }
  EXPECT_GE(timerTicks, 2);
  clock.EnableTimer(false);
  clock.Sleep(250);
  clock.ProcessMessages();
  const int ticks = timerTicks;
  clock.Sleep(250);
  clock.ProcessMessages();
  EXPECT_EQ(timerTicks, ticks);

  // Waiting serves messages other threads send, which would otherwise hold them up; posted
  // ones wait for the pump.
  sentHandled = 0;
  postedHandled = 0;
  PostMessageW(window, kPostedMessage, 0, 0);
  {
    TestThread sender([window] { SendMessageW(window, kSentMessage, 0, 0); });
    clock.Sleep(300);
    EXPECT_EQ(sentHandled, 1);
    EXPECT_EQ(postedHandled, 0);
  }
  clock.ProcessMessages();
  EXPECT_EQ(postedHandled, 1);

  // A quit request met while a pass handles messages stays for the main loop.
  PostQuitMessage(7);
  clock.ProcessMessages();
  MSG message{};
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
  DestroyWindow(window);
}

}  // namespace
}  // namespace xal::win32
