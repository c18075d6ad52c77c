// Every dialog on this machine's real data, in the window a person sees: opened, filled through
// window messages, confirmed or cancelled, and its result read back. With XAL_SCREENSHOT_DIR set,
// each leaves a picture of itself in the user's language (scripts/dialog-screenshots.sh).
#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ComApartment.h"
#include "Screenshot.h"
#include "TestThread.h"
#include "ThreadDialogs.h"
#include "catalogue/XALApps.h"
#include "catalogue/XALDisplays.h"
#include "catalogue/XALSet.h"
#include "catalogue/XALSetting.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTargetNetwork.h"
#include "platform/sim/SimFileDialogs.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32LogOnShortcut.h"
#include "platform/win32/Win32Platform.h"
#include "sensing/XALCurrent.h"
#include "ui/XALConfigAddSet.h"
#include "ui/XALConfigApp.h"
#include "ui/XALConfigAutoConfigURL.h"
#include "ui/XALConfigDisplay.h"
#include "ui/XALConfigEnvIPAddress.h"
#include "ui/XALConfigList.h"
#include "ui/XALConfigPrinter.h"
#include "ui/XALConfigProxy.h"
#include "ui/XALConfigSetName.h"
#include "ui/XALConfigSettings.h"
#include "ui/XALConfigStartup.h"
#include "ui/XALConfigTargetIPAddress.h"
#include "ui/XALConfigWiFi.h"
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
      } catch (const std::exception& error) {
        probeErrors_ += std::string(error.what()) + "\n";
      }
    }
  }

  // Shows the dialog and has drive act on its window from another thread, as a person would.
  TXALModalResult ShowAndDrive(TXALDialog& dialog, const std::function<void(HWND)>& drive) {
    const DWORD uiThread = uiThread_;
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
      drive(window);
      // A dialog that doesn't close (a message box nobody expected) fails the test instead of
      // hanging it.
      for (int i = 0; i < 1000 && IsWindow(window); ++i) {
        Sleep(10);
      }
      if (IsWindow(window)) {
        if (HWND box = FindBoxOfThread(uiThread)) {
          ADD_FAILURE() << dialog.FormName() << " showed: " << TextOf(GetDlgItem(box, 0xFFFF));
          PostMessageW(box, WM_COMMAND, IDOK, 0);
        } else {
          ADD_FAILURE() << dialog.FormName() << " stayed open";
        }
        Sleep(200);
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
    });
    const TXALModalResult result = host_.ShowModal(dialog);
    driver.Join();
    return result;
  }

  // The control's window; offset 1 + k is item k of a radio group.
  static HWND Control(HWND window, const TXALDialog& dialog, const char* name, int offset = 0) {
    const auto& controls = dialog.Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
      if (controls[i].Name == name) {
        return GetDlgItem(window, DialogControlId(static_cast<int>(i)) + offset);
      }
    }
    ADD_FAILURE() << "no control " << name;
    return nullptr;
  }
  // A line's check box in a check list, as a click on it sets it.
  static void CheckLine(HWND list, int line) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(line),
                 reinterpret_cast<LPARAM>(&item));
  }
  // The dialog in front: a dialog opened from a dialog, once it is there.
  HWND WaitForDialogOtherThan(HWND window) const {
    for (int i = 0; i < 500; ++i) {
      HWND found = nullptr;
      EnumThreadWindows(uiThread_, &TakeDialogWindow, reinterpret_cast<LPARAM>(&found));
      if (found != nullptr && found != window) {
        return found;
      }
      Sleep(10);
    }
    return nullptr;
  }
  static void Type(HWND control, const wchar_t* text) {
    SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  static void Press(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
  // A click on a line, as the list reports it to the dialog.
  static void Pick(HWND list, int line) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
  }
  static std::string TextOf(HWND control) {
    wchar_t text[512] = {};
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return Narrow(text);
  }
  // A click on a line whose handler asks the management service: posted, as a click is, since
  // the service refuses calls made while a message sent from another thread is answered. Waits
  // until changed shows that the handler ran.
  static void PickPosted(HWND list, int line, const std::function<bool()>& changed) {
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    for (int i = 0; i < 500 && !changed(); ++i) {
      Sleep(10);
    }
  }
  // The window as it looks now, for a person to look at.
  void Picture(HWND window, const std::string& name) const {
    SaveScreenshot(window, name + (japanese_ ? "-ja" : "-en"));
  }

  // The probes' management service, as on the tray program's thread.
  ComApartment com_;
  DWORD uiThread_ = GetCurrentThreadId();
  bool japanese_ = false;
  std::string probeErrors_;
  Win32Platform port_;
  TXALLanguage language_;
  TfmXALCurrent current_{port_.Platform(), language_};
  Win32DialogHost host_{GetModuleHandleW(nullptr), [] { return static_cast<HWND>(nullptr); }};
  sim::SimFileDialogs fileDialogs_;
  Win32LogOnShortcut logOnShortcut_;
  TXALDialogContext context_{port_.Platform(), language_,     current_, host_,
                             fileDialogs_,     logOnShortcut_};
};

TEST_F(DialogGallery, SetName) {
  TfmXALConfigSetName dialog(context_);
  dialog.SetName("Office");
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           Type(Control(window, dialog, "edName"), L"\u6771\u4eac office");
                           Picture(window, "set-name");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_EQ(dialog.Name(), "\xE6\x9D\xB1\xE4\xBA\xAC office");

  TfmXALConfigSetName cancelled(context_);
  EXPECT_EQ(ShowAndDrive(cancelled,
                         [&](HWND window) {
                           Type(Control(window, cancelled, "edName"), L"changed");
                           Press(Control(window, cancelled, "btCancel"));
                         }),
            TXALModalResult::Cancel);
}

TEST_F(DialogGallery, WiFi) {
  TfmXALConfigWiFi dialog(context_);
  dialog.SetName("Office");
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           EXPECT_EQ(TextOf(Control(window, dialog, "edName")), "Office");
                           Type(Control(window, dialog, "edName"), L"Caf\u00e9 guests");
                           Picture(window, "wifi");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_EQ(dialog.Name(), "Caf\xC3\xA9 guests");
}

// A pattern that isn't one is refused in a message box, and the dialog stays for a better one;
// a line of this machine's addresses, picked with the wildcard box, becomes a pattern.
TEST_F(DialogGallery, EnvIPAddress) {
  ASSERT_FALSE(current_.lbIPAddresses().empty()) << probeErrors_;
  TfmXALConfigEnvIPAddress dialog(context_);
  std::string refusal;
  const DWORD uiThread = GetCurrentThreadId();
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           Type(Control(window, dialog, "edAddress"), L"192.168.1.256");
                           Press(Control(window, dialog, "btOK"));
                           HWND box = nullptr;
                           for (int i = 0; i < 500 && box == nullptr; ++i) {
                             Sleep(10);
                             box = FindBoxOfThread(uiThread);
                           }
                           ASSERT_NE(box, nullptr);
                           refusal = TextOf(GetDlgItem(box, 0xFFFF));
                           SendMessageW(box, WM_COMMAND, IDOK, 0);
                           Pick(Control(window, dialog, "lbIPAddresses"), 0);
                           Picture(window, "env-ip-address");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_EQ(refusal, language_.Text("fmXALConfigEnvIPAddress_InvalidIPAddressMsg"));
  EXPECT_EQ(dialog.Address(), PatternOfAddressLine(current_.lbIPAddresses()[0], true));
  EXPECT_EQ(dialog.Address().back(), '*');
}

TEST_F(DialogGallery, Display) {
  ASSERT_FALSE(current_.lbDisplays().empty());
  TfmXALConfigDisplay dialog(context_);
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           Pick(Control(window, dialog, "lbDisplays"), 0);
                           Type(Control(window, dialog, "seLeft"), L"-1280");
                           Picture(window, "display");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  const TXALMonitor& monitor = current_.lbDisplays()[0].Monitor;
  EXPECT_EQ(dialog.Number(), 1);
  EXPECT_EQ(dialog.Left(), -1280);
  EXPECT_EQ(dialog.Width(), RectWidth(monitor.Bounds));
  EXPECT_EQ(dialog.Height(), RectHeight(monitor.Bounds));
}

TEST_F(DialogGallery, Printer) {
  for (const TXALPrinterChoice choice : {TXALPrinterChoice::Several, TXALPrinterChoice::Single}) {
    TfmXALConfigPrinter dialog(context_, choice);
    dialog.SetNames("Office laser");
    const bool several = choice == TXALPrinterChoice::Several;
    EXPECT_EQ(ShowAndDrive(dialog,
                           [&](HWND window) {
                             Type(Control(window, dialog, "edNames"), L"Laser, Ink jet");
                             Picture(window, several ? "printer-several" : "printer-single");
                             Press(Control(window, dialog, several ? "btOK" : "btCancel"));
                           }),
              several ? TXALModalResult::OK : TXALModalResult::Cancel);
    if (several) {
      EXPECT_EQ(dialog.Names(), "Laser, Ink jet");
    }
  }
}

// A set made from this machine: its addresses as patterns, its display layout, its first
// adapter's IP settings.
TEST_F(DialogGallery, AddSetFromTheCurrentEnvironment) {
  ASSERT_FALSE(current_.lbIPAddresses().empty()) << probeErrors_;
  TfmXALConfigAddSet dialog(context_);
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           Type(Control(window, dialog, "edNmae"), L"Office");
                           SendMessageW(Control(window, dialog, "rgImport", 2), BM_CLICK, 0, 0);
                           for (const char* row :
                                {"cbEnvIPAddress", "cbDisplay", "cbTargetIPAddress", "cbProxy"}) {
                             SendMessageW(Control(window, dialog, row), BM_CLICK, 0, 0);
                           }
                           CheckLine(Control(window, dialog, "clTargetIPAddress"), 0);
                           Picture(window, "add-set");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  const std::unique_ptr<TXALSet> set = dialog.BuildSet(nullptr);
  EXPECT_EQ(set->Name, "Office");
  ASSERT_EQ(set->Environment.Network.IPList.Count(),
            static_cast<int>(current_.lbIPAddresses().size()));
  EXPECT_EQ(set->Environment.Network.IPList.Items(0),
            PatternOfAddressLine(current_.lbIPAddresses()[0], true));
  EXPECT_EQ(set->Environment.Displays.DisplayCount, static_cast<int>(current_.lbDisplays().size()));
  EXPECT_EQ(set->Target.Network.IPSettings.Count(), 1);
  EXPECT_EQ(set->Target.Network.Proxy, "off") << "Wine's prefix has no proxy";
}

TEST_F(DialogGallery, AddSetCancelledMakesNothing) {
  TfmXALConfigAddSet dialog(context_);
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           SendMessageW(Control(window, dialog, "rgImport", 2), BM_CLICK, 0, 0);
                           Press(Control(window, dialog, "btCancel"));
                         }),
            TXALModalResult::Cancel);
}

// The settings with a class added through the list editor it opens, and the log-on shortcut
// made and removed again through the real Startup folder of the test's prefix.
TEST_F(DialogGallery, SettingsWithTheClassListEditorAndTheLogOnShortcut) {
  TXALComponent owner;
  TXALSetting setting(&owner);
  TfmXALConfigSettings dialog(context_);
  dialog.SetSetting(setting);
  logOnShortcut_.Unregister();
  bool registeredBetween = false;
  std::string buttonWhileRegistered;
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           SendMessageW(Control(window, dialog, "btRegToStartup"), BM_CLICK, 0, 0);
                           registeredBetween = logOnShortcut_.IsRegistered();
                           buttonWhileRegistered =
                               TextOf(Control(window, dialog, "btRegToStartup"));
                           Picture(window, "settings");
                           SendMessageW(Control(window, dialog, "btRegToStartup"), BM_CLICK, 0, 0);
                           Press(Control(window, dialog, "btEditWhiteList"));
                           HWND editor = WaitForDialogOtherThan(window);
                           ASSERT_NE(editor, nullptr);
                           // The editor's controls, by its own control list.
                           TfmXALConfigList layout(context_);
                           Type(Control(editor, layout, "edName"), L"Notepad");
                           SendMessageW(Control(editor, layout, "btAdd"), BM_CLICK, 0, 0);
                           Type(Control(editor, layout, "edName"), L"ConsoleWindowClass");
                           SendMessageW(Control(editor, layout, "btAdd"), BM_CLICK, 0, 0);
                           Picture(editor, "class-list");
                           Press(Control(editor, layout, "btOK"));
                           for (int i = 0; i < 500 && IsWindow(editor); ++i) {
                             Sleep(10);
                           }
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_TRUE(registeredBetween);
  EXPECT_EQ(buttonWhileRegistered,
            Narrow(Widen(language_.Text("fmXALConfigSettings_btUnregFromStartupCaption"))));
  EXPECT_FALSE(logOnShortcut_.IsRegistered()) << "the same button removed it";
  const TXALStringList& whiteList = dialog.Setting().WhiteList;
  ASSERT_GE(whiteList.Count(), 2);
  EXPECT_EQ(whiteList.Items(whiteList.Count() - 2), "Notepad");
  EXPECT_EQ(whiteList.Items(whiteList.Count() - 1), "ConsoleWindowClass");
}

// An adapter of this machine picked: its settings as the IP helper would apply them.
TEST_F(DialogGallery, TargetIPAddress) {
  ASSERT_FALSE(current_.lbIPAddresses().empty()) << probeErrors_;
  TfmXALConfigTargetIPAddress dialog(context_);
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           HWND adapter = Control(window, dialog, "edAdapter");
                           PickPosted(Control(window, dialog, "lbCurrentAddresses"), 0,
                                      [adapter] { return !TextOf(adapter).empty(); });
                           Type(Control(window, dialog, "edDNS2"), L"192.0.2.53");
                           Picture(window, "target-ip-address");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  TXALComponent owner;
  TXALTargetIPSetting setting(&owner);
  dialog.GetSetting(setting);
  EXPECT_EQ(setting.Adapter, current_.IPStatus(0).Adapter);
  EXPECT_FALSE(setting.Address.empty());
  EXPECT_EQ(setting.DNS2, "192.0.2.53");
}

// A port out of range is refused; then an empty port stands for 8080.
TEST_F(DialogGallery, Proxy) {
  TfmXALConfigProxy dialog(context_);
  dialog.SetProxy("proxy.example:3128");
  std::string address, refusal;
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           address = TextOf(Control(window, dialog, "edAddress"));
                           Type(Control(window, dialog, "edPort"), L"70000");
                           Press(Control(window, dialog, "btOK"));
                           HWND box = nullptr;
                           for (int i = 0; i < 500 && box == nullptr; ++i) {
                             Sleep(10);
                             box = FindBoxOfThread(uiThread_);
                           }
                           ASSERT_NE(box, nullptr);
                           refusal = TextOf(GetDlgItem(box, 0xFFFF));
                           SendMessageW(box, WM_COMMAND, IDOK, 0);
                           Type(Control(window, dialog, "edPort"), L"");
                           Picture(window, "proxy");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_EQ(address, "proxy.example");
  EXPECT_FALSE(refusal.empty());
  EXPECT_EQ(dialog.Proxy(), "proxy.example:8080");
}

TEST_F(DialogGallery, AutoConfigURL) {
  TfmXALConfigAutoConfigURL dialog(context_);
  dialog.SetAutoConfigURL("OFF");
  bool urlWasDisabled = false;
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           urlWasDisabled = !IsWindowEnabled(Control(window, dialog, "edURL"));
                           SendMessageW(Control(window, dialog, "rbEnableAutoConfigURL"), BM_CLICK,
                                        0, 0);
                           Type(Control(window, dialog, "edURL"), L"http://wpad.example/proxy.pac");
                           Picture(window, "auto-config-url");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  EXPECT_TRUE(urlWasDisabled);
  EXPECT_EQ(dialog.AutoConfigURL(), "http://wpad.example/proxy.pac");
}

TEST_F(DialogGallery, Startup) {
  TfmXALConfigStartup dialog(context_);
  fileDialogs_.answers.push_back("C:\\windows\\notepad.exe");
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           Type(Control(window, dialog, "edName"), L"Notes");
                           SendMessageW(Control(window, dialog, "btFile"), BM_CLICK, 0, 0);
                           SendMessageW(Control(window, dialog, "cbOnlyNew"), BM_CLICK, 0, 0);
                           Picture(window, "startup");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  TXALComponent owner;
  TXALStartup startup(&owner);
  dialog.GetStartup(startup);
  EXPECT_EQ(startup.Name, "Notes");
  EXPECT_EQ(startup.FilePath, "C:\\windows\\notepad.exe");
  EXPECT_TRUE(startup.OnlyNew);
}

LRESULT CALLBACK GalleryTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

// A running window taken as a rule: its class, and its title only when asked for.
TEST_F(DialogGallery, AppTakesARunningWindow) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &GalleryTargetProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"XALGalleryTarget";
  RegisterClassW(&windowClass);
  HWND target = CreateWindowExW(0, L"XALGalleryTarget", L"Gallery target", WS_OVERLAPPEDWINDOW, 40,
                                30, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(target, nullptr);
  ShowWindow(target, SW_SHOWNORMAL);
  current_.ConnectAppWindows(&port_.windows, [target](TXALWindowHandle window) {
    return window == reinterpret_cast<TXALWindowHandle>(target);
  });
  TXALHandleList handled;
  current_.RefreshApps(handled);
  ASSERT_EQ(current_.lbApps().size(), 1u);

  TfmXALConfigApp dialog(context_);
  EXPECT_EQ(ShowAndDrive(dialog,
                         [&](HWND window) {
                           Pick(Control(window, dialog, "lbApps"), 0);
                           Type(Control(window, dialog, "edName"), L"Gallery");
                           Picture(window, "app");
                           Press(Control(window, dialog, "btOK"));
                         }),
            TXALModalResult::OK);
  const TXALApp& rule = dialog.Rule();
  EXPECT_EQ(rule.Name, "Gallery");
  EXPECT_EQ(rule.WindowClass, "XALGalleryTarget");
  EXPECT_EQ(rule.Title, "") << "the title box was cleared";
  EXPECT_EQ(rule.Width(), 400);
  DestroyWindow(target);
}

// Esc closes every dialog with Cancel, whatever was typed into it.
TEST_F(DialogGallery, EscapeCancelsEveryDialog) {
  std::vector<std::unique_ptr<TXALDialog>> dialogs;
  dialogs.push_back(std::make_unique<TfmXALConfigSetName>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigWiFi>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigEnvIPAddress>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigDisplay>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigPrinter>(context_, TXALPrinterChoice::Several));
  dialogs.push_back(std::make_unique<TfmXALConfigTargetIPAddress>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigProxy>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigAutoConfigURL>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigStartup>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigApp>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigAddSet>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigSettings>(context_));
  dialogs.push_back(std::make_unique<TfmXALConfigList>(context_));
  for (auto& dialog : dialogs) {
    EXPECT_EQ(ShowAndDrive(*dialog,
                           [](HWND window) {
                             // What the dialog manager makes of Esc.
                             PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                           }),
              TXALModalResult::Cancel)
        << dialog->FormName();
  }
}

}  // namespace
}  // namespace xal::win32
