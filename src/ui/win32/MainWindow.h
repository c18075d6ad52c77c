// The main window and its tray icon on Windows. It only draws and forwards events: every
// decision is made by TfmXALMain.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "core/XALMain.h"
#include "core/XALMainView.h"
#include "core/XALTrayBalloon.h"
#include "platform/win32/HookLibraries.h"
#include "platform/win32/Win32AddressWatch.h"
#include "ui/win32/CurrentWindow.h"
#include "ui/win32/FormView.h"
#include "ui/win32/Win32DialogHost.h"

namespace xal::win32 {

class MainWindow : public IXALMainView {
 public:
  // windows gives the current-environment window the class and caption of listed windows.
  MainWindow(HINSTANCE instance, IWindowSystem& windows);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the hidden window and puts the icon into the notification area.
  void Create();
  void Attach(TfmXALMain* presenter) { presenter_ = presenter; }
  // Where the numbers of the hook notices come from once the hooks have started.
  void SetHookLibraries(const HookLibraries* hooks) { hooks_ = hooks; }

  void Destroy();
  HWND Handle() const { return window_; }

  void SetCaption(const std::string& caption) override;
  void SetTrayItemCaption(TXALTrayItem item, const std::string& caption) override;
  void SetTrayItemVisible(TXALTrayItem item, bool visible) override;
  void SetTrayItemEnabled(TXALTrayItem item, bool enabled) override;
  void ShowAndRestore() override;
  void Hide() override;
  void BringToTop() override;
  void HideTrayIcon() override;
  void ShowBalloon(const std::string& title, const std::string& text) override;

  // The address monitor runs from after start-up until shutdown, on the system's notices or
  // by polling; the mode in force is returned.
  TXALAddressWatchMode StartAddressMonitor(TXALAddressWatchMode mode);
  void StopAddressMonitor();
  void EndMessageLoop() override;
  bool IsOwnDialog(std::uintptr_t window) const override;
  void CreateCurrentWindow(TfmXALCurrent& store, const TXALLanguage& language,
                           const TXALSetList& matchingSets) override;
  void DestroyCurrentWindow() override;
  void MatchingSetsChanged() override;
  void ShowCurrentWindowModal() override;
  IXALDialogHost& DialogHost() override { return dialogs_; }
  void CreateEditor(TXALMainEditor& editor) override;
  void DestroyEditor() override;

 private:
  struct TrayItem {
    UINT command;
    std::wstring caption;
    bool visible = true;
    bool enabled = true;
  };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // Hands a hook notice to the window intake; false for any other message.
  bool HandleHookMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void AddTrayIcon();
  void ShowTrayMenu();
  void OnCommand(UINT command);
  void Forward(void (TfmXALMain::*handler)());
  TrayItem& Item(TXALTrayItem item);

  HINSTANCE instance_;
  HWND window_ = nullptr;
  HICON largeIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  UINT taskbarCreatedMessage_ = 0;
  bool trayIconAdded_ = false;
  TXALTrayBalloon balloon_;
  bool displayChangePosted_ = false;
  TfmXALMain* presenter_ = nullptr;
  const HookLibraries* hooks_ = nullptr;
  IWindowSystem& windows_;
  std::unique_ptr<CurrentWindow> currentWindow_;
  Win32DialogHost dialogs_;
  // The editor's controls in the client area, while the editor exists.
  TXALMainEditor* editor_ = nullptr;
  std::unique_ptr<FormView> editorView_;
  std::array<TrayItem, 4> trayItems_;
  std::unique_ptr<Win32AddressWatch> addressPort_;
  std::unique_ptr<TXALAddressWatch> addressWatch_;
};

}  // namespace xal::win32
