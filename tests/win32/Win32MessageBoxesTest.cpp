#include "platform/win32/Win32MessageBoxes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "TestThread.h"
#include "ThreadDialogs.h"
#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

// What a helper thread saw of the box before it pressed a button.
struct SeenBox {
  bool found = false;
  std::wstring title;
  std::wstring text;
  HWND owner = nullptr;
  bool hasOk = false;
  bool hasCancel = false;
  bool hasYes = false;
  bool hasNo = false;
};

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

// Shows a box on this thread while another thread finds it, records it and answers it with
// the given button (0: closes it from the title bar).
SeenBox ShowAndAnswer(const std::function<void()>& show, int button) {
  SeenBox seen;
  const DWORD uiThread = GetCurrentThreadId();
  TestThread answerer([&] {
    for (int i = 0; i < 1000 && !seen.found; ++i) {
      if (HWND box = FindBoxOfThread(uiThread)) {
        seen.found = true;
        seen.title = WindowText(box);
        seen.text = WindowText(GetDlgItem(box, 0xFFFF));  // the message's static control
        seen.owner = GetWindow(box, GW_OWNER);
        seen.hasOk = GetDlgItem(box, IDOK) != nullptr;
        seen.hasCancel = GetDlgItem(box, IDCANCEL) != nullptr;
        seen.hasYes = GetDlgItem(box, IDYES) != nullptr;
        seen.hasNo = GetDlgItem(box, IDNO) != nullptr;
        if (button == 0) {
          PostMessageW(box, WM_CLOSE, 0, 0);
        } else {
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        }
        return;
      }
      Sleep(10);
    }
  });
  show();
  answerer.Join();
  return seen;
}

TEST(Win32MessageBoxes, ButtonsMapToAnswers) {
  struct Case {
    const char* name;
    bool yesNo;
    int button;
    TXALAnswer expected;
  };
  const Case cases[] = {
      {"OK", false, IDOK, TXALAnswer::Ok},
      {"Cancel", false, IDCANCEL, TXALAnswer::Cancel},
      {"OK/Cancel closed", false, 0, TXALAnswer::Cancel},
      {"Yes", true, IDYES, TXALAnswer::Yes},
      {"No", true, IDNO, TXALAnswer::No},
      {"Cancel of three", true, IDCANCEL, TXALAnswer::Cancel},
      {"Yes/No/Cancel closed", true, 0, TXALAnswer::Cancel},
  };
  Win32MessageBoxes boxes;
  for (const Case& c : cases) {
    TXALAnswer answer = TXALAnswer::Ok;
    const SeenBox seen = ShowAndAnswer(
        [&] {
          answer = c.yesNo ? boxes.ConfirmYesNoCancel("Save the changes?")
                           : boxes.ConfirmOkCancel("Overwrite the file?");
        },
        c.button);
    ASSERT_TRUE(seen.found) << c.name;
    EXPECT_EQ(answer, c.expected) << c.name;
    EXPECT_EQ(seen.title, kApplicationTitle) << c.name;
    EXPECT_EQ(seen.hasYes, c.yesNo) << c.name;
    EXPECT_EQ(seen.hasNo, c.yesNo) << c.name;
    EXPECT_EQ(seen.hasOk, !c.yesNo) << c.name;
    EXPECT_TRUE(seen.hasCancel) << c.name;
  }
}

TEST(Win32MessageBoxes, ErrorShowsTheTextWholeAboveItsOwner) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);
  Win32MessageBoxes boxes;
  boxes.SetOwner(owner);
  // 東京のファイルを開けません。
  const std::string text =
      "\xe6\x9d\xb1\xe4\xba\xac\xe3\x81\xae\xe3\x83\x95\xe3\x82\xa1\xe3\x82\xa4\xe3\x83\xab"
      "\xe3\x82\x92\xe9\x96\x8b\xe3\x81\x91\xe3\x81\xbe\xe3\x81\x9b\xe3\x82\x93\xe3\x80\x82";
  const SeenBox seen = ShowAndAnswer([&] { boxes.ShowError(text); }, IDOK);
  DestroyWindow(owner);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, Widen(text));
  EXPECT_EQ(seen.owner, owner);
  EXPECT_TRUE(seen.hasOk);
  EXPECT_FALSE(seen.hasYes);
}

}  // namespace
}  // namespace xal::win32
