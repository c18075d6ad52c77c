#include "ui/win32/DialogWindow.h"

#include <algorithm>
#include <exception>
#include <set>
#include <stdexcept>

#include "platform/win32/WideText.h"
#include "ui/win32/Dpi.h"
#include "ui/win32/WindowOwner.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kDialogWindowClass[] = L"TXALDialog";

std::set<HWND>& OpenDialogs() {
  static std::set<HWND> windows;
  return windows;
}

}  // namespace

DialogWindow::DialogWindow(HINSTANCE instance, TXALDialog& dialog)
    : instance_(instance), dialog_(dialog), controls_(instance, dialog) {}

DialogWindow::~DialogWindow() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

bool DialogWindow::IsOpenDialog(HWND window) {
  return OpenDialogs().count(window) != 0;
}

void DialogWindow::Create(HWND owner) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &DialogWindow::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kDialogWindowClass;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("The dialog window class could not be registered.");
  }

  // Laid out for the display the owner is on; a move to another display lays it out again.
  const int dpi = DpiOf(owner);
  const DWORD style =
      WS_POPUP | WS_CAPTION | WS_SYSMENU | (dialog_.Resizable() ? WS_THICKFRAME : 0);
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, MulDiv(dialog_.ClientWidth(), dpi, 96), MulDiv(dialog_.ClientHeight(), dpi, 96)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  window_ = CreateWindowExW(exStyle, kDialogWindowClass, L"", style, 0, 0, frame.right - frame.left,
                            frame.bottom - frame.top, owner, nullptr, instance_, this);
  if (window_ == nullptr) {
    throw std::runtime_error("The dialog window could not be created.");
  }
  controls_.Create(window_, dpi);
  controls_.SetAfterEvent([this] {
    if (dialog_.Result() != TXALModalResult::None) {
      running_ = false;
    }
  });
  Center(owner);
}

void DialogWindow::Center(HWND owner) {
  // Centred over the owner when it is shown, otherwise on the work area of its display.
  RECT area{};
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY), &monitor);
    area = monitor.rcWork;
  }
  RECT own{};
  GetWindowRect(window_, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromRect(&area, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  // Never off the work area, so the buttons stay reachable.
  const int workLeft = static_cast<int>(work.left);
  const int workTop = static_cast<int>(work.top);
  const int left = std::clamp(static_cast<int>(area.left + (area.right - area.left - width) / 2),
                              workLeft, std::max(workLeft, static_cast<int>(work.right) - width));
  const int top = std::clamp(static_cast<int>(area.top + (area.bottom - area.top - height) / 2),
                             workTop, std::max(workTop, static_cast<int>(work.bottom) - height));
  SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK DialogWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DialogWindow* self = OwnerOfWindow(window, message, lParam, &DialogWindow::window_);
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // Nothing may unwind through the system's code.
  try {
    return self->Handle(message, wParam, lParam);
  } catch (const std::exception& error) {
    MessageBoxW(window, Widen(error.what()).c_str(), nullptr, MB_OK | MB_ICONERROR);
  } catch (...) {
    MessageBoxW(window, L"Unknown error.", nullptr, MB_OK | MB_ICONERROR);
  }
  return 0;
}

LRESULT DialogWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (controls_.Handle(message, wParam, lParam, &result)) {
    return result;
  }
  switch (message) {
    case DM_GETDEFID: {
      const int id = controls_.DefaultId();
      return id != 0 ? MAKELRESULT(id, DC_HASDEFID) : 0;
    }
    case WM_GETMINMAXINFO:
      if (dialog_.Resizable()) {
        const int dpi = DpiOf(window_);
        RECT frame{0, 0, MulDiv(dialog_.MinClientWidth(), dpi, 96),
                   MulDiv(dialog_.MinClientHeight(), dpi, 96)};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize.x = frame.right - frame.left;
        limits->ptMinTrackSize.y = frame.bottom - frame.top;
      }
      return 0;
    case WM_SIZE:
      controls_.Layout();
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      controls_.SetDpi(HIWORD(wParam));
      return 0;
    }
    case WM_CLOSE:
      controls_.Forward([this] { dialog_.Close(); });
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

TXALModalResult DialogWindow::ShowModal(HWND owner) {
  Create(owner);
  OpenDialogs().insert(window_);
  controls_.Forward([this] { dialog_.Show(); });

  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) {
    EnableWindow(owner, FALSE);
  }
  running_ = dialog_.Result() == TXALModalResult::None;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  controls_.FocusFirst();
  MSG message{};
  while (running_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: leave the loop and let the outer loop see the quit too.
      PostQuitMessage(static_cast<int>(message.wParam));
      dialog_.Close();
      break;
    }
    if (got == -1) {
      dialog_.Close();
      break;
    }
    if (window_ == nullptr || !IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  // Lists pushed from now on have no window to go to.
  dialog_.SetChangedHandler(nullptr);
  // The owner is enabled before this window goes, so that the system activates the owner.
  if (disableOwner) {
    EnableWindow(owner, TRUE);
  }
  OpenDialogs().erase(window_);
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
  return dialog_.Result() == TXALModalResult::None ? TXALModalResult::Cancel : dialog_.Result();
}

}  // namespace xal::win32
