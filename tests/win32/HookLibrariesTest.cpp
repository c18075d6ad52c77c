#include "platform/win32/HookLibraries.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "TestFolders.h"
#include "catalogue/XALErrors.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

// The build puts the libraries in bin/ two levels above this test program; the runner may say
// otherwise.
std::string HookFolder() {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(L"XAL_HOOK_DIR", value, MAX_PATH * 2);
  if (length > 0 && length < MAX_PATH * 2) {
    return Narrow(value);
  }
  return Narrow(BuildBinFolder());
}

struct DestroyNotice {
  HWND window;
  std::wstring className;
  std::wstring caption;
};

// What the test window heard; the class name and caption are read inside the handler, as the
// program does.
struct Heard {
  UINT activateMessage = 0;
  UINT destroyMessage = 0;
  UINT captionMessage = 0;
  std::vector<HWND> activated;
  std::vector<DestroyNotice> destroyed;
  std::vector<HWND> captioned;
  // What no hook notice may ever turn into: a close request, or a registered number that isn't
  // one of the three.
  int closeRequests = 0;
  std::vector<UINT> strays;
};
Heard* heard = nullptr;

std::wstring ClassOf(HWND window) {
  wchar_t name[260];
  const int length = GetClassNameW(window, name, 260);
  return std::wstring(name, length > 0 ? length : 0);
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[260];
  const int length = GetWindowTextW(window, text, 260);
  return std::wstring(text, length > 0 ? length : 0);
}

LRESULT CALLBACK ListenerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (heard != nullptr && message != 0) {
    if (message == heard->destroyMessage) {
      // The window must stay as it was for as long as the handler runs, not only at its start.
      Sleep(250);
      const HWND dying = reinterpret_cast<HWND>(wParam);
      heard->destroyed.push_back({dying, ClassOf(dying), CaptionOf(dying)});
      return 0;
    }
    if (message == heard->activateMessage) {
      heard->activated.push_back(reinterpret_cast<HWND>(wParam));
      return 0;
    }
    if (message == heard->captionMessage) {
      heard->captioned.push_back(reinterpret_cast<HWND>(lParam));
      return 0;
    }
    if (message == WM_CLOSE) {
      ++heard->closeRequests;
      return 0;
    }
    if (message >= 0xC000 && message <= 0xFFFF) {
      heard->strays.push_back(message);
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class HookLibrariesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ListenerProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"XalHookListener";
    RegisterClassW(&windowClass);
    listener_ = CreateWindowExW(0, windowClass.lpszClassName, L"Listener", WS_OVERLAPPED, 0, 0, 10,
                                10, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(listener_, nullptr);
    heard = &heard_;
  }
  void TearDown() override {
    heard = nullptr;
    DestroyWindow(listener_);
  }

  void StartHooks(HookLibraries& hooks) {
    hooks.Start(listener_);
    heard_.destroyMessage = hooks.DestroyMessage();
    heard_.activateMessage = hooks.ActivateMessage();
    heard_.captionMessage = hooks.CaptionMessage();
  }

  // Runs the hook target with `arguments` and returns its exit code, handling messages all the
  // while: the destroy notice is sent, and waits for us.
  DWORD RunTarget(const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + TestProgramFolder() + L"xal_hook_target.exe\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
      ADD_FAILURE() << "can't start " << Narrow(commandLine);
      return 1;
    }
    const ULONGLONG deadline = GetTickCount64() + 20000;
    bool ended = false;
    MSG message;
    while (GetTickCount64() < deadline) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
      }
      if (ended) {
        break;
      }
      ended =
          MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 100, QS_ALLINPUT) == WAIT_OBJECT_0;
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (!ended) {
      ADD_FAILURE() << "the target program did not end";
      TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
  }

  // The destroy notice of the target's window of `className`, read while it still had its
  // class; null when there was none.
  const DestroyNotice* DestroyedWindowOf(const wchar_t* className) const {
    const auto found =
        std::find_if(heard_.destroyed.begin(), heard_.destroyed.end(),
                     [className](const DestroyNotice& n) { return n.className == className; });
    return found != heard_.destroyed.end() ? &*found : nullptr;
  }

  // A full round of notices for the target's window of `className`: activated, retitled and
  // destroyed while its class and last caption could still be read.
  void ExpectRoundOfNotices(const wchar_t* className) const {
    const DestroyNotice* target = DestroyedWindowOf(className);
    ASSERT_NE(target, nullptr) << "no destroy notice for a window of " << Narrow(className)
                               << " that still had its class (" << heard_.destroyed.size()
                               << " destroy notices)";
    EXPECT_EQ(target->caption, L"Hook target after");
    const auto heardOf = [&](const std::vector<HWND>& windows) {
      return std::find(windows.begin(), windows.end(), target->window) != windows.end();
    };
    EXPECT_TRUE(heardOf(heard_.activated)) << Narrow(className) << " activation not heard";
    EXPECT_TRUE(heardOf(heard_.captioned)) << Narrow(className) << " caption not heard";
  }

  HWND listener_ = nullptr;
  Heard heard_;
};

TEST_F(HookLibrariesTest, MessageNumbersAreDistinctNonzeroAndStable) {
  UINT first[3];
  {
    HookLibraries hooks(HookFolder());
    hooks.Start(listener_);
    first[0] = hooks.DestroyMessage();
    first[1] = hooks.ActivateMessage();
    first[2] = hooks.CaptionMessage();
  }
  EXPECT_NE(first[0], 0u);
  EXPECT_NE(first[1], 0u);
  EXPECT_NE(first[2], 0u);
  EXPECT_NE(first[0], first[1]);
  EXPECT_NE(first[0], first[2]);
  EXPECT_NE(first[1], first[2]);

  HookLibraries again(HookFolder());
  again.Start(listener_);
  EXPECT_EQ(again.DestroyMessage(), first[0]);
  EXPECT_EQ(again.ActivateMessage(), first[1]);
  EXPECT_EQ(again.CaptionMessage(), first[2]);
}

TEST_F(HookLibrariesTest, MissingLibraryIsAnErrorNamingTheFile) {
  HookLibraries hooks(Narrow(TestProgramFolder() + L"no-such-folder"));
  try {
    hooks.Start(listener_);
    FAIL() << "Start succeeded without the libraries";
  } catch (const EXALError& error) {
    EXPECT_NE(std::string(error.what()).find("XALCBTH.DLL"), std::string::npos) << error.what();
  }
}

TEST_F(HookLibrariesTest, ReportsWindowOfAnotherProcessButNotItsOwn) {
  HookLibraries hooks(HookFolder());
  StartHooks(hooks);
  // The caption filter's purpose: the notified program's own windows are never reported.
  SetWindowTextW(listener_, L"Listener retitled");

  const DWORD exitCode = RunTarget(L"");
  hooks.Stop();
  ASSERT_EQ(exitCode, 0u);
  ExpectRoundOfNotices(L"XalHookTargetWindow");
  EXPECT_EQ(std::count(heard_.captioned.begin(), heard_.captioned.end(), listener_), 0);
}

// A stranger loads both libraries and writes WM_CLOSE over everything they share except the
// notified window's handle (which would only send the notices elsewhere): the notified window
// must go on hearing the three notices and nothing else.
TEST_F(HookLibrariesTest, WritingTheSharedSectionsCannotChangeWhatIsSent) {
  HookLibraries hooks(HookFolder());
  StartHooks(hooks);

  const DWORD exitCode =
      RunTarget(L"steer " + std::to_wstring(reinterpret_cast<UINT_PTR>(listener_)) + L" \"" +
                Widen(HookFolder()) + L"\"");
  hooks.Stop();
  ASSERT_EQ(exitCode, 0u) << "3: a library or its shared section was not found";
  EXPECT_EQ(heard_.closeRequests, 0);
  EXPECT_TRUE(heard_.strays.empty()) << heard_.strays.size() << " unexpected registered messages, "
                                     << "the first " << heard_.strays.front();
  ExpectRoundOfNotices(L"XalHookTargetWindow");
}

// Another program that starts and stops the hooks of the same files, while this one holds them,
// neither takes nor ends this program's notices.
TEST_F(HookLibrariesTest, SecondStarterLeavesTheFirstsNoticesFlowing) {
  HookLibraries hooks(HookFolder());
  StartHooks(hooks);

  const DWORD exitCode = RunTarget(L"second-starter \"" + Widen(HookFolder()) + L"\"");
  ASSERT_EQ(exitCode, 0u) << "3: a library or one of its exports was not found";
  ExpectRoundOfNotices(L"XalHookTargetDuring");
  ExpectRoundOfNotices(L"XalHookTargetAfter");

  hooks.Stop();
}

// A program that ended while holding the hooks, without stopping them, leaves them free to take.
TEST_F(HookLibrariesTest, HooksLeftByAnEndedProgramAreFreeToTake) {
  ASSERT_EQ(RunTarget(L"hold-and-end \"" + Widen(HookFolder()) + L"\""), 0u)
      << "3: a library or one of its exports was not found";
  HookLibraries hooks(HookFolder());
  StartHooks(hooks);
  const DWORD exitCode = RunTarget(L"");
  hooks.Stop();
  ASSERT_EQ(exitCode, 0u);
  ExpectRoundOfNotices(L"XalHookTargetWindow");
}

}  // namespace
}  // namespace xal::win32
