// The shell's choosers driven as a user would from another thread: typing into them, pressing
// their buttons and answering the question before a typed folder is created.
#include "platform/win32/Win32FileDialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

#include "ComApartment.h"
#include "TestThread.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

constexpr char kQuestion[] = "This folder does not exist. Create it?";
// The file name field of the file choosers.
constexpr int kFileNameEditId = 1152;

struct DialogSearch {
  HWND owner;
  bool anyOwner;
  HWND found;
};

BOOL CALLBACK TakeDialogOwnedBy(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  wchar_t className[16];
  if (GetClassNameW(window, className, 16) > 0 && std::wstring(className) == L"#32770" &&
      IsWindowVisible(window) &&
      (search->anyOwner || GetWindow(window, GW_OWNER) == search->owner)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring TextOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

// The user at the chooser the test's thread shows. Steps wait for the windows they act on;
// whatever is left open when they end is cancelled, so that a failing test ends, not hangs.
class ChooserUser {
 public:
  explicit ChooserUser(DWORD uiThread) : uiThread_(uiThread) {}

  // The visible dialog of the chooser's thread with that owner; null after ten seconds.
  HWND WaitForDialog(HWND owner) {
    for (int i = 0; i < 1000 && !done; ++i) {
      DialogSearch search{owner, false, nullptr};
      EnumThreadWindows(uiThread_, &TakeDialogOwnedBy, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr) {
        return search.found;
      }
      Sleep(10);
    }
    return nullptr;
  }
  // Types the text, again if the chooser rewrites the field as it settles.
  static void Type(HWND edit, const std::wstring& text) {
    for (int i = 0; i < 20; ++i) {
      SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      Sleep(100);
      if (TextOf(edit) == text) {
        return;
      }
    }
  }
  static void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  }
  void CancelWhatIsLeft() {
    for (int i = 0; i < 300 && !done; ++i) {
      Sleep(10);
    }
    while (!done) {
      // No and Cancel to each: a question takes the one, the chooser the other.
      DialogSearch search{nullptr, true, nullptr};
      EnumThreadWindows(uiThread_, &TakeDialogOwnedBy, reinterpret_cast<LPARAM>(&search));
      if (search.found != nullptr) {
        Press(search.found, IDNO);
        Press(search.found, IDCANCEL);
      }
      Sleep(100);
    }
  }

  std::atomic<bool> done{false};

 private:
  DWORD uiThread_;
};

// Shows a chooser on this thread while steps play the user on another.
template <typename Show>
auto WithUser(Show show, const std::function<void(ChooserUser&)>& steps) {
  ChooserUser user(GetCurrentThreadId());
  TestThread thread([&] {
    steps(user);
    user.CancelWhatIsLeft();
  });
  auto result = show();
  user.done = true;
  thread.Join();
  return result;
}

class Win32FileDialogsTest : public ::testing::Test {
 protected:
  Win32FileDialogsTest() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"xal-choosers-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount());
    CreateDirectoryW(base_.c_str(), nullptr);
  }
  ~Win32FileDialogsTest() override {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      DeleteFileW(it->c_str());
      RemoveDirectoryW(it->c_str());
    }
    RemoveDirectoryW(base_.c_str());
  }
  std::wstring Made(const std::wstring& name) {
    made_.push_back(base_ + L"\\" + name);
    return made_.back();
  }
  static bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  ComApartment com_;
  Win32FileDialogs dialogs_{kQuestion};
  std::wstring base_;
  std::vector<std::wstring> made_;
};

TEST_F(Win32FileDialogsTest, ATypedFolderIsCreatedOnlyOnceTheUserAgrees) {
  ASSERT_TRUE(com_.Ok());
  Made(L"new");
  const std::wstring folder = Made(L"new\\sub");
  std::wstring firstQuestion;
  bool openAfterNo = false;
  const auto chosen = WithUser([&] { return dialogs_.ChooseFolder("Where?"); },
                               [&](ChooserUser& user) {
                                 HWND chooser = user.WaitForDialog(nullptr);
                                 if (chooser == nullptr) {
                                   return;
                                 }
                                 Sleep(300);  // the chooser fills its tree and field
                                 HWND edit = FindWindowExW(chooser, nullptr, L"Edit", nullptr);
                                 ChooserUser::Type(edit, folder);
                                 ChooserUser::Press(chooser, IDOK);
                                 HWND box = user.WaitForDialog(chooser);
                                 if (box == nullptr) {
                                   return;
                                 }
                                 firstQuestion = TextOf(GetDlgItem(box, 0xFFFF));
                                 ChooserUser::Press(box, IDNO);
                                 Sleep(300);
                                 openAfterNo = IsWindowVisible(chooser) && !IsFolder(folder);
                                 ChooserUser::Press(chooser, IDOK);
                                 if (HWND again = user.WaitForDialog(chooser)) {
                                   ChooserUser::Press(again, IDYES);
                                 }
                               });
  EXPECT_EQ(firstQuestion, Widen(kQuestion) + L"\n\n" + folder);
  EXPECT_TRUE(openAfterNo) << "No leaves the chooser open and creates nothing";
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, Narrow(folder));
  EXPECT_TRUE(IsFolder(folder));
}

TEST_F(Win32FileDialogsTest, AnExistingFolderTypedIsTakenWithoutAQuestion) {
  ASSERT_TRUE(com_.Ok());
  bool asked = false;
  const auto chosen = WithUser([&] { return dialogs_.ChooseFolder({}); },
                               [&](ChooserUser& user) {
                                 HWND chooser = user.WaitForDialog(nullptr);
                                 if (chooser == nullptr) {
                                   return;
                                 }
                                 Sleep(300);
                                 HWND edit = FindWindowExW(chooser, nullptr, L"Edit", nullptr);
                                 ChooserUser::Type(edit, base_ + L"\\");
                                 ChooserUser::Press(chooser, IDOK);
                                 Sleep(500);
                                 asked =
                                     IsWindow(chooser) && user.WaitForDialog(chooser) && !user.done;
                               });
  EXPECT_FALSE(asked);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, Narrow(base_ + L"\\"));
}

TEST_F(Win32FileDialogsTest, CancelledChoosersGiveNothing) {
  ASSERT_TRUE(com_.Ok());
  const auto press = [](int button) {
    return [button](ChooserUser& user) {
      if (HWND chooser = user.WaitForDialog(nullptr)) {
        Sleep(300);
        ChooserUser::Press(chooser, button);
      }
    };
  };
  EXPECT_FALSE(WithUser([&] { return dialogs_.ChooseFolder("Where?"); }, press(IDCANCEL)));
  EXPECT_FALSE(WithUser([&] { return dialogs_.ChooseFileToOpen({}); }, press(IDCANCEL)));
}

TEST_F(Win32FileDialogsTest, TheFileChoosersGiveTheFileTyped) {
  ASSERT_TRUE(com_.Ok());
  const std::wstring existing = Made(L"sets.xml");
  const HANDLE file = CreateFileW(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  const auto typeAndOpen = [](const std::wstring& name) {
    return [name](ChooserUser& user) {
      HWND chooser = user.WaitForDialog(nullptr);
      if (chooser == nullptr) {
        return;
      }
      Sleep(300);
      ChooserUser::Type(GetDlgItem(chooser, kFileNameEditId), name);
      ChooserUser::Press(chooser, IDOK);
    };
  };
  TXALFileChoice choice;
  choice.Title = "Import";
  choice.InitialFolder = Narrow(base_);
  choice.Filters = {{"XML files (*.xml)", "*.xml"}, {"All files (*.*)", "*.*"}};
  const auto opened =
      WithUser([&] { return dialogs_.ChooseFileToOpen(choice); }, typeAndOpen(existing));
  ASSERT_TRUE(opened.has_value());
  EXPECT_EQ(*opened, Narrow(existing));

  choice.Title = "Export";
  choice.InitialName = "export";
  choice.DefaultExtension = "xml";
  const std::wstring target = Made(L"export.xml");
  const auto saved =
      WithUser([&] { return dialogs_.ChooseFileToSave(choice); }, typeAndOpen(base_ + L"\\export"));
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(*saved, Narrow(target)) << "the default extension is added";
}

}  // namespace
}  // namespace xal::win32
