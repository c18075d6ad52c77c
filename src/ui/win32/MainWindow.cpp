#include "ui/win32/MainWindow.h"

#include "ui/XALMainEditor.h"
#include "ui/win32/DialogWindow.h"
#include "ui/win32/Dpi.h"

#include <shellapi.h>

#include "platform/win32/SingleInstance.h"
#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"
#include "programs/Resources.h"
#include "ui/win32/WindowOwner.h"
#include "ui/win32/WorkArea.h"

namespace xal::win32 {
namespace {

constexpr UINT kTrayIconId = 1;
// The address watch's wake-up; beside the placement timer of the same window.
constexpr UINT_PTR kAddressWakeTimerId = kPlacementTimerId + 1;
// A display change, posted to ourselves: the system sends WM_DISPLAYCHANGE, and the recheck it
// starts may call the management service, which refuses while a sender waits.
constexpr UINT kDisplayChangedMessage = WM_APP + 3;
constexpr UINT kBalloonTimeoutMs = 10000;
// Client size of the main window.
constexpr int kClientWidth = 771;
constexpr int kClientHeight = 503;

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, IWindowSystem& windows)
    : instance_(instance),
      windows_(windows),
      dialogs_(instance, [this] { return window_; }),
      trayItems_{{{kCmdRestore, L"", true, true},
                  {kCmdRecheck, L"", true, true},
                  {kCmdSetIPAddresses, L"", false, true},
                  {kCmdQuit, L"", true, true}}} {}

MainWindow::~MainWindow() {
  Destroy();
}

void MainWindow::Create() {
  largeIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  smallIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &MainWindow::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hIcon = largeIcon_;
  windowClass.hIconSm = smallIcon_;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (RegisterClassExW(&windowClass) == 0) {
    throw std::runtime_error("The main window class could not be registered.");
  }

  const DWORD style = WS_OVERLAPPEDWINDOW;
  // Laid out for the system's DPI; a move to a display of another scale lays it out again.
  const int dpi = DpiOf(nullptr);
  RECT frame{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  window_ =
      CreateWindowExW(0, kMainWindowClass, kApplicationTitle, style, 0, 0, frame.right - frame.left,
                      frame.bottom - frame.top, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) {
    throw std::runtime_error("The main window could not be created.");
  }
  CenterInWorkArea(window_);
  taskbarCreatedMessage_ = RegisterWindowMessageW(L"TaskbarCreated");
  // A later start asks this copy to come forward, also when this one runs elevated.
  if (const UINT restore = RestoreMessage(); restore != 0) {
    ChangeWindowMessageFilterEx(window_, restore, MSGFLT_ALLOW, nullptr);
  }
  AddTrayIcon();
}

void MainWindow::Destroy() {
  StopAddressMonitor();
  currentWindow_.reset();
  if (window_ != nullptr) {
    HideTrayIcon();
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
  }
  if (largeIcon_ != nullptr) {
    DestroyIcon(largeIcon_);
    largeIcon_ = nullptr;
  }
  if (smallIcon_ != nullptr) {
    DestroyIcon(smallIcon_);
    smallIcon_ = nullptr;
  }
}

void MainWindow::AddTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window_;
  data.uID = kTrayIconId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayCallbackMessage;
  data.hIcon = smallIcon_;
  lstrcpynW(data.szTip, kApplicationTitle, static_cast<int>(std::size(data.szTip)));
  trayIconAdded_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
  balloon_.IconAdded();
}

void MainWindow::HideTrayIcon() {
  if (!trayIconAdded_ || window_ == nullptr) {
    return;
  }
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window_;
  data.uID = kTrayIconId;
  Shell_NotifyIconW(NIM_DELETE, &data);
  trayIconAdded_ = false;
}

void MainWindow::ShowBalloon(const std::string& title, const std::string& text) {
  if (!trayIconAdded_ || !balloon_.Needed(title, text)) {
    return;
  }
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window_;
  data.uID = kTrayIconId;
  data.uFlags = NIF_INFO;
  data.dwInfoFlags = NIIF_INFO;
  data.uTimeout = kBalloonTimeoutMs;
  // The notification area cuts the texts to its buffers.
  lstrcpynW(data.szInfoTitle, Widen(title).c_str(), static_cast<int>(std::size(data.szInfoTitle)));
  lstrcpynW(data.szInfo, Widen(text).c_str(), static_cast<int>(std::size(data.szInfo)));
  balloon_.Sent(title, text, Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE);
}

TXALAddressWatchMode MainWindow::StartAddressMonitor(TXALAddressWatchMode mode) {
  StopAddressMonitor();
  addressPort_ =
      std::make_unique<Win32AddressWatch>(window_, kAddressNoticeMessage, kAddressWakeTimerId);
  // Checks run here, on this thread, from a posted notice or a timer: never inside a message
  // sent by another thread.
  addressWatch_ = std::make_unique<TXALAddressWatch>(
      *addressPort_,
      [this](bool prepared) {
        return presenter_ == nullptr || presenter_->IdIPAddrMonCheck(prepared);
      },
      [this] {
        if (presenter_ != nullptr) {
          presenter_->IdIPAddrMonPrepare();
        }
      });
  return addressWatch_->Start(mode);
}

void MainWindow::StopAddressMonitor() {
  // The watch first: it tells the port to stop the notices and the wake-up.
  addressWatch_.reset();
  addressPort_.reset();
}

MainWindow::TrayItem& MainWindow::Item(TXALTrayItem item) {
  return trayItems_[static_cast<std::size_t>(item)];
}

void MainWindow::SetCaption(const std::string& caption) {
  SetWindowTextW(window_, Widen(caption).c_str());
}

void MainWindow::SetTrayItemCaption(TXALTrayItem item, const std::string& caption) {
  Item(item).caption = Widen(caption);
}

void MainWindow::SetTrayItemVisible(TXALTrayItem item, bool visible) {
  Item(item).visible = visible;
}

void MainWindow::SetTrayItemEnabled(TXALTrayItem item, bool enabled) {
  Item(item).enabled = enabled;
}

void MainWindow::ShowAndRestore() {
  ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(window_);
}

void MainWindow::Hide() {
  ShowWindow(window_, SW_HIDE);
}

void MainWindow::BringToTop() {
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::EndMessageLoop() {
  PostQuitMessage(0);
}

bool MainWindow::IsOwnDialog(std::uintptr_t window) const {
  if (window == 0) {
    return false;
  }
  const HWND handle = reinterpret_cast<HWND>(window);
  return (currentWindow_ && handle == currentWindow_->Handle()) ||
         DialogWindow::IsOpenDialog(handle);
}

void MainWindow::ShowCurrentWindowModal() {
  if (currentWindow_) {
    currentWindow_->ShowModal();
  }
}

void MainWindow::CreateEditor(TXALMainEditor& editor) {
  editorView_.reset();
  editor_ = &editor;
  editorView_ = std::make_unique<FormView>(instance_, editor);
  editorView_->Create(window_, DpiOf(window_));
  editorView_->Sync();
}

void MainWindow::DestroyEditor() {
  editorView_.reset();
  editor_ = nullptr;
}

void MainWindow::CreateCurrentWindow(TfmXALCurrent& store, const TXALLanguage& language,
                                     const TXALSetList& matchingSets) {
  currentWindow_.reset();
  auto window = std::make_unique<CurrentWindow>(instance_, store, language, matchingSets, windows_);
  window->Create(window_);
  currentWindow_ = std::move(window);
}

void MainWindow::DestroyCurrentWindow() {
  currentWindow_.reset();
}

void MainWindow::MatchingSetsChanged() {
  if (currentWindow_) {
    currentWindow_->Redraw();
  }
}

bool MainWindow::HandleHookMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (hooks_ == nullptr || message < 0xC000) {
    return false;  // registered messages start at 0xC000
  }
  TXALHookNotice notice{};
  TXALWindowHandle window = 0;
  if (message == hooks_->DestroyMessage()) {
    notice = TXALHookNotice::Destroyed;
    window = static_cast<TXALWindowHandle>(wParam);
  } else if (message == hooks_->ActivateMessage()) {
    notice = TXALHookNotice::Activated;
    window = static_cast<TXALWindowHandle>(wParam);
  } else if (message == hooks_->CaptionMessage()) {
    notice = TXALHookNotice::CaptionChanged;
    window = static_cast<TXALWindowHandle>(lParam);
  } else {
    return false;
  }
  if (presenter_ != nullptr) {
    presenter_->HandleHookMessage(notice, window);
  }
  return true;
}

void MainWindow::ShowTrayMenu() {
  Forward(&TfmXALMain::pmTaskTrayPopup);
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    return;
  }
  for (const TrayItem& item : trayItems_) {
    if (item.visible) {
      AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), item.command,
                  item.caption.c_str());
    }
  }
  SetMenuDefaultItem(menu, kCmdRestore, FALSE);
  POINT cursor{};
  GetCursorPos(&cursor);
  // The menu closes when the user clicks elsewhere only if our window is in the foreground.
  SetForegroundWindow(window_);
  TrackPopupMenuEx(menu, TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, cursor.x, cursor.y, window_, nullptr);
  PostMessageW(window_, WM_NULL, 0, 0);
  DestroyMenu(menu);
}

void MainWindow::Forward(void (TfmXALMain::*handler)()) {
  if (presenter_ != nullptr) {
    presenter_->HandleEvent([this, handler] { (presenter_->*handler)(); });
  }
}

void MainWindow::OnCommand(UINT command) {
  switch (command) {
    case kCmdRestore:
      Forward(&TfmXALMain::miRestoreClick);
      break;
    case kCmdRecheck:
      Forward(&TfmXALMain::miRecheckClick);
      break;
    case kCmdSetIPAddresses:
      Forward(&TfmXALMain::miSetIPAddressesClick);
      break;
    case kCmdQuit:
      Forward(&TfmXALMain::miQuitClick);
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = OwnerOfWindow(window, message, lParam, &MainWindow::window_);
  return self != nullptr ? self->Handle(message, wParam, lParam)
                         : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (HandleHookMessage(message, wParam, lParam)) {
    return 0;
  }
  if (message == kTrayCallbackMessage) {
    switch (LOWORD(lParam)) {
      case WM_LBUTTONDBLCLK:
        Forward(&TfmXALMain::TrayIconDblClick);
        break;
      case WM_RBUTTONUP:
      case WM_CONTEXTMENU:
        ShowTrayMenu();
        break;
      default:
        break;
    }
    return 0;
  }
  if (taskbarCreatedMessage_ != 0 && message == taskbarCreatedMessage_) {
    // Explorer restarted: the notification area forgot our icon.
    AddTrayIcon();
    return 0;
  }
  if (IsRestoreRequest(message)) {
    Forward(&TfmXALMain::miRestoreClick);
    return 0;
  }
  if (editorView_) {
    // The editor's controls: their commands carry the control's window, the tray menu's none.
    const bool fromControl = message != WM_COMMAND || lParam != 0;
    LRESULT result = 0;
    if (fromControl && editorView_->Handle(message, wParam, lParam, &result)) {
      return result;
    }
  }
  switch (message) {
    case kAddressNoticeMessage:
      if (addressWatch_) {
        addressPort_->NoticeTaken();
        addressWatch_->OnNotice();
      }
      return 0;
    case kDisplayChangedMessage:
      displayChangePosted_ = false;
      Forward(&TfmXALMain::WMDisplayChange);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) {
        OnCommand(LOWORD(wParam));
      }
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) {
        Forward(&TfmXALMain::ApplicationMinimize);
      } else if (editorView_) {
        editorView_->Layout();
      }
      return 0;
    case WM_GETMINMAXINFO: {
      // Never smaller than the layout, so no control is cut off.
      const int dpi = DpiOf(window_);
      RECT frame{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
      AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize.x = frame.right - frame.left;
      limits->ptMinTrackSize.y = frame.bottom - frame.top;
      return 0;
    }
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      if (editorView_) {
        editorView_->SetDpi(HIWORD(wParam));
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kPlacementTimerId) {
        Forward(&TfmXALMain::TimerTimer);
        return 0;
      }
      if (wParam == kAddressWakeTimerId && addressWatch_) {
        addressPort_->WakeFired();
        addressWatch_->OnWake();
        return 0;
      }
      return DefWindowProcW(window_, message, wParam, lParam);
    case WM_DISPLAYCHANGE:
      // A burst of changes (a display attached, then its mode set) is one recheck.
      if (!displayChangePosted_) {
        displayChangePosted_ = PostMessageW(window_, kDisplayChangedMessage, 0, 0) != FALSE;
      }
      return 0;
    case WM_CLOSE: {
      bool mayClose = true;
      if (presenter_ != nullptr) {
        presenter_->HandleEvent([this, &mayClose] { mayClose = presenter_->FormCloseQuery(); });
      }
      if (mayClose) {
        HideTrayIcon();
        PostQuitMessage(0);
      }
      return 0;
    }
    case WM_QUERYENDSESSION: {
      bool mayEnd = true;
      if (presenter_ != nullptr) {
        presenter_->HandleEvent([this, &mayEnd] { mayEnd = presenter_->FormCloseQuery(); });
      }
      return mayEnd ? TRUE : FALSE;
    }
    case WM_ENDSESSION:
      if (wParam != 0) {
        HideTrayIcon();
        PostQuitMessage(0);
      }
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace xal::win32
