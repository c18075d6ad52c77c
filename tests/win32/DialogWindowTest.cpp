// The window any dialog is drawn in: what the presenter holds shows in real controls, and what a
// person does to the controls (as window messages from another thread) reaches the presenter.
#include "ui/win32/DialogWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Screenshot.h"
#include "TestThread.h"
#include "ThreadDialogs.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

class TestDialog : public TXALDialog {
 public:
  TestDialog() : TXALDialog("fmTestDialog", 320, 260) {
    Add(TXALControlKind::Label, "lbName", {8, 8, 100, 15}).Text = "&Name:";
    Add(TXALControlKind::Edit, "edName", {8, 24, 150, 21}).Tip = TXALTip::OwnText;
    Add(TXALControlKind::CheckBox, "cbBox", {8, 52, 150, 19}).Text = "Box on";
    Add(TXALControlKind::GroupBox, "gbBox", {8, 74, 150, 50}).Text = "Box";
    Add(TXALControlKind::Edit, "edInside", {16, 94, 130, 21}, "gbBox");
    TXALControl& choice = Add(TXALControlKind::RadioGroup, "rgChoice", {166, 8, 146, 80});
    choice.Text = "Choice";
    choice.Items = {"One", "Two", "Three"};
    choice.ItemIndex = 0;
    Add(TXALControlKind::List, "lbLines", {166, 94, 146, 60}).Tip = TXALTip::LineUnderPointer;
    Add(TXALControlKind::CheckList, "clChecks", {8, 130, 150, 60});
    Add(TXALControlKind::SpinEdit, "seNumber", {166, 160, 80, 21});
    TXALControl& ok = Add(TXALControlKind::Button, "btOK", {156, 229, 75, 23});
    ok.Text = "OK";
    ok.Default = true;
    ok.Closes = TXALModalResult::OK;
    TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {237, 229, 75, 23});
    cancel.Text = "Cancel";
    cancel.Cancel = true;
    cancel.Closes = TXALModalResult::Cancel;
  }

  int shows = 0;
  int checks = 0;

 protected:
  void OnShow() override {
    ++shows;
    SetTitle("Test dialog");
    SetLines("lbLines", {"alpha", "beta"});
    SetLines("clChecks", {"first", "second"});
    SetGroupOn("gbBox", false);
    SetSpinValue("seNumber", -3);
  }
  void OnClick(const std::string& name) override {
    if (name == "cbBox") {
      SetGroupOn("gbBox", Control("cbBox").Checked);
    }
  }
  void OnSelect(const std::string& name, int index) override {
    if (name == "lbLines" && index >= 0) {
      Mutable("edName").Text = Control("lbLines").Items[static_cast<std::size_t>(index)];
    }
  }
  void OnItemChecked(const std::string&, int) override { ++checks; }
  bool OnConfirm() override {
    if (Control("edName").Text.empty()) {
      Refuse("A name is needed.");
      return false;
    }
    return true;
  }
};

BOOL CALLBACK TakeDialogWindow(HWND window, LPARAM result) {
  wchar_t className[32];
  if (GetClassNameW(window, className, 32) > 0 && std::wstring(className) == L"TXALDialog" &&
      IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
  }
  return TRUE;
}

HWND WaitForDialog(DWORD threadId) {
  for (int i = 0; i < 500; ++i) {
    HWND found = nullptr;
    EnumThreadWindows(threadId, &TakeDialogWindow, reinterpret_cast<LPARAM>(&found));
    if (found != nullptr) {
      return found;
    }
    Sleep(10);
  }
  return nullptr;
}

HWND WaitForBox(DWORD threadId) {
  for (int i = 0; i < 500; ++i) {
    if (HWND box = FindBoxOfThread(threadId)) {
      return box;
    }
    Sleep(10);
  }
  return nullptr;
}

std::string TextOf(HWND window) {
  wchar_t text[256] = {};
  SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

HWND Item(HWND dialog, int index, int offset = 0) {
  return GetDlgItem(dialog, DialogControlId(index) + offset);
}

// Control indexes of the test dialog.
enum { kName = 1, kBox = 2, kInside = 4, kChoice = 5, kLines = 6, kChecks = 7, kNumber = 8 };
enum { kOK = 9, kCancel = 10 };

TEST(DialogWindow, ShowsThePresenterAndForwardsWhatThePersonDoes) {
  TestDialog dialog;
  const DWORD uiThread = GetCurrentThreadId();
  std::string seenTitle, seenNumber, seenSecondLine, seenNameAfterPick, seenRefusal;
  bool insideWasDisabled = false, insideEnabledAfterClick = false;
  TestThread driver([&] {
    HWND window = WaitForDialog(uiThread);
    ASSERT_NE(window, nullptr);
    seenTitle = TextOf(window);
    seenNumber = TextOf(Item(window, kNumber));
    wchar_t line[32] = {};
    SendMessageW(Item(window, kLines), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(line));
    seenSecondLine = Narrow(line);
    insideWasDisabled = !IsWindowEnabled(Item(window, kInside));
    SendMessageW(Item(window, kBox), BM_CLICK, 0, 0);
    insideEnabledAfterClick = IsWindowEnabled(Item(window, kInside)) != FALSE;
    // A radio item, a list line picked as a click picks it, a check box in the check list.
    SendMessageW(Item(window, kChoice, 3), BM_CLICK, 0, 0);
    SendMessageW(Item(window, kLines), LB_SETCURSEL, 1, 0);
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(DialogControlId(kLines), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(window, kLines)));
    seenNameAfterPick = TextOf(Item(window, kName));
    LVITEMW check{};
    check.stateMask = LVIS_STATEIMAGEMASK;
    check.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(Item(window, kChecks), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&check));
    SendMessageW(Item(window, kNumber), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"42"));
    SaveScreenshot(window, "dialog-window-test");

    // Refused: the message box comes, the dialog stays.
    SendMessageW(Item(window, kName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    PostMessageW(Item(window, kOK), BM_CLICK, 0, 0);
    HWND box = WaitForBox(uiThread);
    ASSERT_NE(box, nullptr);
    seenRefusal = TextOf(GetDlgItem(box, 0xFFFF));
    SendMessageW(box, WM_COMMAND, IDOK, 0);
    SendMessageW(Item(window, kName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Caf\u00e9"));
    PostMessageW(Item(window, kOK), BM_CLICK, 0, 0);
  });
  DialogWindow view(GetModuleHandleW(nullptr), dialog);
  EXPECT_EQ(view.ShowModal(nullptr), TXALModalResult::OK);
  driver.Join();

  EXPECT_EQ(seenTitle, "Test dialog");
  EXPECT_EQ(seenNumber, "-3");
  EXPECT_EQ(seenSecondLine, "beta");
  EXPECT_TRUE(insideWasDisabled);
  EXPECT_TRUE(insideEnabledAfterClick) << "the check box's rule reached the window";
  EXPECT_EQ(seenNameAfterPick, "beta");
  EXPECT_EQ(seenRefusal, "A name is needed.");
  EXPECT_EQ(dialog.shows, 1);
  EXPECT_TRUE(dialog.Control("cbBox").Checked);
  EXPECT_EQ(dialog.Control("rgChoice").ItemIndex, 2);
  EXPECT_EQ(dialog.Control("lbLines").ItemIndex, 1);
  EXPECT_EQ(dialog.checks, 1);
  EXPECT_EQ(dialog.Control("clChecks").ItemChecked, (std::vector<bool>{false, true}));
  EXPECT_EQ(dialog.Control("seNumber").Text, "42");
  EXPECT_EQ(dialog.Control("edName").Text, "Caf\xC3\xA9") << "typed text arrives as UTF-8";
}

// A command that names a button but doesn't come from it, as any program can post one, clicks
// nothing.
TEST(DialogWindow, ACommandNotFromTheControlIsIgnored) {
  TestDialog dialog;
  const DWORD uiThread = GetCurrentThreadId();
  bool stayedOpen = false;
  TestThread driver([&] {
    HWND window = WaitForDialog(uiThread);
    ASSERT_NE(window, nullptr);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(DialogControlId(kCancel), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
    Sleep(200);
    stayedOpen = IsWindow(window) && IsWindowVisible(window);
    PostMessageW(Item(window, kCancel), BM_CLICK, 0, 0);
  });
  DialogWindow view(GetModuleHandleW(nullptr), dialog);
  EXPECT_EQ(view.ShowModal(nullptr), TXALModalResult::Cancel);
  driver.Join();
  EXPECT_TRUE(stayedOpen);
}

TEST(DialogWindow, EscapeAndTheCloseBoxCancel) {
  for (const bool closeBox : {false, true}) {
    TestDialog dialog;
    const DWORD uiThread = GetCurrentThreadId();
    TestThread driver([&] {
      HWND window = WaitForDialog(uiThread);
      ASSERT_NE(window, nullptr);
      if (closeBox) {
        PostMessageW(window, WM_CLOSE, 0, 0);
      } else {
        // What the dialog manager makes of Esc.
        PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
      }
    });
    DialogWindow view(GetModuleHandleW(nullptr), dialog);
    EXPECT_EQ(view.ShowModal(nullptr), TXALModalResult::Cancel) << closeBox;
    driver.Join();
    EXPECT_FALSE(DialogWindow::IsOpenDialog(GetActiveWindow()));
  }
}

// The main window's kinds of control: a grid with column titles and rows, a list drawn with red
// lines, and the keys a form acts on.
class GridDialog : public TXALDialog {
 public:
  GridDialog() : TXALDialog("fmGridDialog", 320, 200) {
    TXALControl& list = Add(TXALControlKind::List, "lbSets", {8, 8, 120, 80});
    list.Highlights = true;
    TXALControl& grid = Add(TXALControlKind::Grid, "sgRows", {136, 8, 176, 120});
    grid.Columns = {"Name", "Path"};
    grid.Tip = TXALTip::LineUnderPointer;
    TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {237, 169, 75, 23});
    cancel.Cancel = true;
    cancel.Closes = TXALModalResult::Cancel;
  }
  std::vector<std::string> keys;

 protected:
  void OnShow() override {
    SetTitle("Grid dialog");
    SetLines("lbSets", {"Home", "Office"});
    Mutable("lbSets").ItemHighlighted = {false, true};
    SetRows("sgRows", {{"Editor", "C:\\Tools\\editor.exe"}, {"Mail", "mail.exe"}}, {7, 8});
  }
  void OnResize(int width, int) override {
    // Half the grid each, as the main window shares its grids' width among the columns.
    const int column = (width - 144) / 2;
    Mutable("sgRows").ColumnWidths = {column, column};
  }
  void OnKeyDown(const std::string& name, TXALKey key, unsigned modifiers) override {
    keys.push_back(name + (key == TXALKey::Delete ? ":Delete" : ":other") +
                   ((modifiers & kModifierCtrl) != 0 ? "+Ctrl" : ""));
    if (name == "sgRows" && key == TXALKey::Delete && Control("sgRows").ItemIndex >= 0) {
      auto rows = Control("sgRows").Cells;
      rows.erase(rows.begin() + Control("sgRows").ItemIndex);
      SetRows("sgRows", rows);
    }
  }
};

TEST(DialogWindow, GridsRedListsAndKeys) {
  GridDialog dialog;
  const DWORD uiThread = GetCurrentThreadId();
  int rows = -1, rowsAfterDelete = -1, columnWidth = 0;
  std::string secondCell, header;
  TestThread driver([&] {
    HWND window = WaitForDialog(uiThread);
    ASSERT_NE(window, nullptr);
    HWND grid = Item(window, 1);
    rows = static_cast<int>(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0));
    wchar_t text[64] = {};
    LVITEMW cell{};
    cell.iSubItem = 1;
    cell.pszText = text;
    cell.cchTextMax = 64;
    SendMessageW(grid, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&cell));
    secondCell = Narrow(text);
    HWND titles = reinterpret_cast<HWND>(SendMessageW(grid, LVM_GETHEADER, 0, 0));
    HDITEMW title{};
    wchar_t titleText[32] = {};
    title.mask = HDI_TEXT;
    title.pszText = titleText;
    title.cchTextMax = 32;
    SendMessageW(titles, HDM_GETITEMW, 0, reinterpret_cast<LPARAM>(&title));
    header = Narrow(titleText);
    columnWidth = static_cast<int>(SendMessageW(grid, LVM_GETCOLUMNWIDTH, 0, 0));
    SaveScreenshot(window, "grid-dialog-test");

    // A row selected as a click selects it, then Delete on the grid.
    LVITEMW select{};
    select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    select.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(grid, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&select));
    SendMessageW(grid, WM_KEYDOWN, VK_DELETE, 0);
    rowsAfterDelete = static_cast<int>(SendMessageW(grid, LVM_GETITEMCOUNT, 0, 0));
    SendMessageW(Item(window, 0), WM_KEYDOWN, VK_DELETE, 0);
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  DialogWindow view(GetModuleHandleW(nullptr), dialog);
  EXPECT_EQ(view.ShowModal(nullptr), TXALModalResult::Cancel);
  driver.Join();
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(secondCell, "C:\\Tools\\editor.exe");
  EXPECT_EQ(header, "Name");
  EXPECT_EQ(columnWidth, (320 - 144) / 2) << "the form's widths reach the columns";
  EXPECT_EQ(rowsAfterDelete, 1);
  EXPECT_EQ(dialog.keys, (std::vector<std::string>{"sgRows:Delete", "lbSets:Delete"}));
  EXPECT_EQ(dialog.Control("sgRows").Cells.size(), 1u);
}

// Programs outside find a form's controls by the presenter's names: each control carries its name
// as a global atom, and the atoms are given back when the form goes.
class NamedDialog : public TXALDialog {
 public:
  NamedDialog() : TXALDialog("fmNamedDialog", 200, 80) {
    Add(TXALControlKind::Edit, "edSeenFromOutside", {8, 8, 184, 21});
    TXALControl& cancel = Add(TXALControlKind::Button, "btSeenFromOutside", {117, 49, 75, 23});
    cancel.Cancel = true;
    cancel.Closes = TXALModalResult::Cancel;
  }

 protected:
  void OnShow() override { SetTitle("Named dialog"); }
};

std::wstring ControlName(HWND control) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(control, L"XALControlName")));
  wchar_t name[64] = {};
  return atom != 0 ? std::wstring(name, GlobalGetAtomNameW(atom, name, 64)) : std::wstring();
}

TEST(DialogWindow, ControlsCarryTheirNamesForProgramsOutside) {
  std::wstring edit, button;
  {
    NamedDialog dialog;
    const DWORD uiThread = GetCurrentThreadId();
    TestThread driver([&] {
      HWND window = WaitForDialog(uiThread);
      ASSERT_NE(window, nullptr);
      edit = ControlName(Item(window, 0));
      button = ControlName(Item(window, 1));
      PostMessageW(Item(window, 1), BM_CLICK, 0, 0);
    });
    DialogWindow view(GetModuleHandleW(nullptr), dialog);
    EXPECT_EQ(view.ShowModal(nullptr), TXALModalResult::Cancel);
    driver.Join();
  }
  EXPECT_EQ(edit, L"edSeenFromOutside");
  EXPECT_EQ(button, L"btSeenFromOutside");
  EXPECT_EQ(GlobalFindAtomW(L"edSeenFromOutside"), 0) << "the name's atom was given back";
  EXPECT_EQ(GlobalFindAtomW(L"btSeenFromOutside"), 0);
}

}  // namespace
}  // namespace xal::win32
