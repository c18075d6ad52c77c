// Every dialog on this machine's real data, in the window a person sees: opened, filled through
// window messages, confirmed or cancelled, and its result read back. With XAL_SCREENSHOT_DIR set,
// each leaves a picture of itself in the user's language (scripts/dialog-screenshots.sh).
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "Screenshot.h"
#include "TestThread.h"
#include "platform/sim/SimFileDialogs.h"
#include "platform/sim/SimLogOnShortcut.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "sensing/XALCurrent.h"
#include "ui/XALConfigSetName.h"
#include "ui/XALDialogContext.h"
#include "ui/win32/DialogWindow.h"
#include "ui/win32/Win32DialogHost.h"

namespace xal::win32 {
namespace {

BOOL CALLBACK TakeDialogWindow(HWND window, LPARAM result) {
  wchar_t className[32];
  if (GetClassNameW(window, className, 32) > 0 && std::wstring(className) == L"TXALDialog" &&
      IsWindowVisible(window) && IsWindowEnabled(window)) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

class DialogGallery : public ::testing::Test {
 protected:
  DialogGallery() {
    japanese_ = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_JAPANESE;
    // The source tree's files, through Wine's drive for the host's root.
    language_.Load(port_.files.ReadFile(std::string("Z:") + XAL_SOURCE_DIR +
                                        (japanese_ ? "/lang/1041.txt" : "/lang/1033.txt")));
    // What a person's machine offers the dialogs; a probe that fails leaves its list empty.
    for (const auto& refresh : std::initializer_list<std::function<void()>>{
             [this] { current_.RefreshIPAddresses(); }, [this] { current_.RefreshWiFi(); },
             [this] { current_.RefreshDisplays(); }, [this] { current_.RefreshPrinters(); }}) {
      try {
        refresh();
      } catch (const std::exception&) {
      }
    }
  }

  // Shows the dialog and has drive act on its window from another thread, as a person would.
  TXALModalResult ShowAndDrive(TXALDialog& dialog, const std::string& picture,
                               const std::function<void(HWND)>& drive) {
    const DWORD uiThread = GetCurrentThreadId();
    TestThread driver([&] {
      HWND window = nullptr;
      for (int i = 0; i < 500 && window == nullptr; ++i) {
        EnumThreadWindows(uiThread, &TakeDialogWindow, reinterpret_cast<LPARAM>(&window));
        Sleep(10);
      }
      if (window == nullptr) {
        ADD_FAILURE() << dialog.FormName() << " did not open";
        return;
      }
      SaveScreenshot(window, picture + (japanese_ ? "-ja" : "-en"));
      drive(window);
    });
    const TXALModalResult result = host_.ShowModal(dialog);
    driver.Join();
    return result;
  }

  static HWND Control(HWND window, const TXALDialog& dialog, const char* name) {
    const auto& controls = dialog.Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].Name == name) {
        return GetDlgItem(window, DialogControlId(static_cast<int>(i)));
      }
    }
    ADD_FAILURE() << "no control " << name;
    return nullptr;
  }
  static void Type(HWND control, const wchar_t* text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  static void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

  bool japanese_ = false;
  Win32Platform port_;
  TXALLanguage language_;
  TfmXALCurrent current_{port_.Platform(), language_};
  Win32DialogHost host_{GetModuleHandleW(nullptr), [] { return static_cast<HWND>(nullptr); }};
  sim::SimFileDialogs fileDialogs_;
  sim::SimLogOnShortcut logOnShortcut_;
  TXALDialogContext context_{port_.Platform(), language_,     current_, host_,
                             fileDialogs_,     logOnShortcut_};
};

TEST_F(DialogGallery, SetName) {
  TfmXALConfigSetName dialog(context_);
  dialog.SetName("Office");
  EXPECT_EQ(ShowAndDrive(dialog, "set-name",
                         [&](HWND window) {
                           Type(Control(window, dialog, "edName"), L"\u6771\u4eac office");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_EQ(dialog.Name(), "\xE6\x9D\xB1\xE4\xBA\xAC office");

  TfmXALConfigSetName cancelled(context_);
  EXPECT_EQ(ShowAndDrive(cancelled, "set-name-cancel",
                         [&](HWND window) {
                           Type(Control(window, cancelled, "edName"), L"changed");
                           Press(Control(window, cancelled, "btCancel"));
                         }),
            TXALModalResult::Cancel);
}

}  // namespace
}  // namespace xal::win32
