#include "platform/win32/HookLibraries.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

std::wstring ExeFolder() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring text(path, length);
  return text.substr(0, text.find_last_of(L"\\/") + 1);
}

// The build puts the libraries in bin/ two levels above this test program; the runner may say
// otherwise.
std::string HookFolder() {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(L"XAL_HOOK_DIR", value, MAX_PATH * 2);
  if (length > 0 && length < MAX_PATH * 2) {
    return Narrow(value);
  }
  return Narrow(ExeFolder() + L"..\\..\\bin");
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
  HookLibraries hooks(Narrow(ExeFolder() + L"no-such-folder"));
  try {
    hooks.Start(listener_);
    FAIL() << "Start succeeded without the libraries";
  } catch (const EXALError& error) {
    EXPECT_NE(std::string(error.what()).find("XALCBTH.DLL"), std::string::npos) << error.what();
  }
}

TEST_F(HookLibrariesTest, ReportsWindowOfAnotherProcess) {
  HookLibraries hooks(HookFolder());
  hooks.Start(listener_);
  heard_.destroyMessage = hooks.DestroyMessage();
  heard_.activateMessage = hooks.ActivateMessage();
  heard_.captionMessage = hooks.CaptionMessage();

  std::wstring commandLine = L"\"" + ExeFolder() + L"xal_hook_target.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                             nullptr, nullptr, &startup, &process))
      << "can't start " << Narrow(commandLine);

  // Keep handling messages while the target runs: the destroy notice is sent, and waits for us.
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
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  hooks.Stop();
  ASSERT_TRUE(ended) << "the target program did not end";
  ASSERT_EQ(exitCode, 0u);

  const auto target =
      std::find_if(heard_.destroyed.begin(), heard_.destroyed.end(),
                   [](const DestroyNotice& n) { return n.className == L"XalHookTargetWindow"; });
  ASSERT_NE(target, heard_.destroyed.end())
      << "no destroy notice whose window still had its class (" << heard_.destroyed.size()
      << " destroy notices)";
  EXPECT_EQ(target->caption, L"Hook target after");
  EXPECT_NE(std::find(heard_.activated.begin(), heard_.activated.end(), target->window),
            heard_.activated.end());
  EXPECT_NE(std::find(heard_.captioned.begin(), heard_.captioned.end(), target->window),
            heard_.captioned.end());
}

}  // namespace
}  // namespace xal::win32
