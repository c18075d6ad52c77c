#include "platform/win32/Win32WindowSystem.h"

#include <psapi.h>

#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

// Class names and module file names are read into buffers of this many characters.
constexpr int kNameBuffer = MAX_PATH;
// Captions longer than this are cut; no real caption comes near it.
constexpr int kMaxCaption = 32768;

HWND ToHwnd(TXALWindowHandle window) {
  return reinterpret_cast<HWND>(window);
}

TXALWindowHandle FromHwnd(HWND window) {
  return reinterpret_cast<TXALWindowHandle>(window);
}

RECT ToRect(const TXALRect& rect) {
  return RECT{rect.Left, rect.Top, rect.Right, rect.Bottom};
}

TXALRect FromRect(const RECT& rect) {
  return TXALRect{rect.left, rect.top, rect.right, rect.bottom};
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string NameFromBuffer(const wchar_t* buffer, DWORD length) {
  return Narrow(std::wstring(buffer, length));
}

// Where a normal rectangle in workspace coordinates lies on the screen: workspace coordinates
// start at the top-left corner of the work area of the window's monitor. Tool windows use
// screen coordinates throughout.
RECT WorkspaceToScreen(HWND window, RECT rect) {
  if ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0) {
    return rect;
  }
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info) != 0) {
    OffsetRect(&rect, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
  }
  return rect;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<TXALWindowHandle>*>(list)->push_back(FromHwnd(window));
  return TRUE;
}

}  // namespace

bool Win32WindowSystem::IsWindow(TXALWindowHandle window) const {
  return ::IsWindow(ToHwnd(window)) != 0;
}

std::string Win32WindowSystem::ClassName(TXALWindowHandle window) const {
  wchar_t buffer[kNameBuffer];
  const int length = GetClassNameW(ToHwnd(window), buffer, kNameBuffer);
  return length > 0 ? NameFromBuffer(buffer, static_cast<DWORD>(length)) : std::string();
}

std::string Win32WindowSystem::Caption(TXALWindowHandle window) const {
  // GetWindowTextW reads another program's caption without sending it a message, so a hung
  // window, or one whose destroy notice is being handled, cannot block us; the length query
  // would send one. The buffer grows until the caption fits.
  std::wstring text(256, L'\0');
  for (;;) {
    const int length = GetWindowTextW(ToHwnd(window), text.data(), static_cast<int>(text.size()));
    if (length < static_cast<int>(text.size()) - 1 ||
        text.size() >= static_cast<std::size_t>(kMaxCaption)) {
      text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
      return Narrow(text);
    }
    text.assign(text.size() * 4, L'\0');
  }
}

std::string Win32WindowSystem::ModuleFileName(TXALWindowHandle window) const {
  // The module that created the window is the instance handle it was created with. Reading its
  // name from another process needs that process's module list; where that is closed to us (a
  // program of the other bitness, or a protected one) the program's own file stands in, which is
  // the creating module for nearly every top-level window.
  const HWND handle = ToHwnd(window);
  DWORD process = 0;
  if (GetWindowThreadProcessId(handle, &process) == 0) {
    return {};
  }
  const auto instance = reinterpret_cast<HMODULE>(GetWindowLongPtrW(handle, GWLP_HINSTANCE));
  wchar_t buffer[kNameBuffer];
  if (process == GetCurrentProcessId()) {
    const DWORD length = GetModuleFileNameW(instance, buffer, kNameBuffer);
    return length > 0 && length < kNameBuffer ? NameFromBuffer(buffer, length) : std::string();
  }
  std::string name;
  if (HANDLE opened = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process)) {
    const DWORD length = GetModuleFileNameExW(opened, instance, buffer, kNameBuffer);
    if (length > 0) {
      name = NameFromBuffer(buffer, length);
    }
    CloseHandle(opened);
  }
  if (name.empty()) {
    if (HANDLE opened = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process)) {
      DWORD length = kNameBuffer;
      if (QueryFullProcessImageNameW(opened, 0, buffer, &length) != 0) {
        name = NameFromBuffer(buffer, length);
      }
      CloseHandle(opened);
    }
  }
  return name;
}

std::uint32_t Win32WindowSystem::Style(TXALWindowHandle window) const {
  return static_cast<std::uint32_t>(GetWindowLongW(ToHwnd(window), GWL_STYLE));
}

bool Win32WindowSystem::IsVisible(TXALWindowHandle window) const {
  return IsWindowVisible(ToHwnd(window)) != 0;
}

bool Win32WindowSystem::IsEnabled(TXALWindowHandle window) const {
  return IsWindowEnabled(ToHwnd(window)) != 0;
}

std::uint32_t Win32WindowSystem::ProcessId(TXALWindowHandle window) const {
  DWORD process = 0;
  GetWindowThreadProcessId(ToHwnd(window), &process);
  return process;
}

TXALWindowHandle Win32WindowSystem::FindTopLevel(const std::string& className) const {
  return FromHwnd(FindWindowW(Widen(className).c_str(), nullptr));
}

std::vector<TXALWindowHandle> Win32WindowSystem::EnumTopLevel() const {
  std::vector<TXALWindowHandle> windows;
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool Win32WindowSystem::GetPlacement(TXALWindowHandle window,
                                     TXALWindowPlacement& placement) const {
  const HWND handle = ToHwnd(window);
  WINDOWPLACEMENT read{};
  read.length = sizeof(read);
  if (GetWindowPlacement(handle, &read) == 0) {
    return false;
  }
  if (read.showCmd == SW_SHOWMINIMIZED || read.showCmd == SW_SHOWMAXIMIZED) {
    // Some window managers only report another program's current rectangle, which for a
    // minimised or maximised window is not its normal one; the rectangle the fallback gave it
    // is the better answer.
    const auto given = fallbackNormal_.find(handle);
    RECT current{};
    if (given != fallbackNormal_.end() && GetWindowRect(handle, &current) != 0 &&
        SameRect(current, read.rcNormalPosition)) {
      read.rcNormalPosition = given->second;
    }
  }
  placement.Flags = read.flags;
  placement.ShowCmd = static_cast<int>(read.showCmd);
  placement.MinPosition = {read.ptMinPosition.x, read.ptMinPosition.y};
  placement.MaxPosition = {read.ptMaxPosition.x, read.ptMaxPosition.y};
  placement.NormalPosition = FromRect(read.rcNormalPosition);
  return true;
}

void Win32WindowSystem::SetPlacement(TXALWindowHandle window,
                                     const TXALWindowPlacement& placement) {
  const HWND handle = ToHwnd(window);
  if (::IsWindow(handle) == 0) {
    return;
  }
  WINDOWPLACEMENT write{};
  write.length = sizeof(write);
  write.flags = placement.Flags;
  write.showCmd = static_cast<UINT>(placement.ShowCmd);
  write.ptMinPosition = {placement.MinPosition.X, placement.MinPosition.Y};
  write.ptMaxPosition = {placement.MaxPosition.X, placement.MaxPosition.Y};
  write.rcNormalPosition = ToRect(placement.NormalPosition);
  if (SetWindowPlacement(handle, &write) != 0) {
    fallbackNormal_.erase(handle);
    return;
  }
  PlaceByPositionAndShow(handle, placement);
}

void Win32WindowSystem::PlaceByPositionAndShow(HWND window, const TXALWindowPlacement& placement) {
  // Handles are reused: entries of windows that have gone must not speak for new ones.
  std::erase_if(fallbackNormal_, [](const auto& entry) { return ::IsWindow(entry.first) == 0; });

  const RECT normal = ToRect(placement.NormalPosition);
  const RECT screen = WorkspaceToScreen(window, normal);
  // Only a restored window takes a rectangle as its normal one.
  if (IsIconic(window) != 0 || IsZoomed(window) != 0) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  SetWindowPos(window, nullptr, screen.left, screen.top, screen.right - screen.left,
               screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
  switch (placement.ShowCmd) {
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_MINIMIZE:
    case SW_FORCEMINIMIZE:
      ShowWindow(window, placement.ShowCmd == SW_FORCEMINIMIZE ? SW_MINIMIZE : placement.ShowCmd);
      fallbackNormal_[window] = normal;
      return;
    case SW_SHOWMAXIMIZED:
      ShowWindow(window, SW_SHOWMAXIMIZED);
      fallbackNormal_[window] = normal;
      return;
    default:
      ShowWindow(window, placement.ShowCmd);
      break;
  }
  fallbackNormal_.erase(window);
}

void Win32WindowSystem::SetForeground(TXALWindowHandle window) {
  SetForegroundWindow(ToHwnd(window));
}

void Win32WindowSystem::Flash(TXALWindowHandle window, int count) {
  FLASHWINFO flash{};
  flash.cbSize = sizeof(flash);
  flash.hwnd = ToHwnd(window);
  flash.dwFlags = FLASHW_CAPTION | FLASHW_TRAY;
  flash.uCount = static_cast<UINT>(count);
  flash.dwTimeout = 0;
  FlashWindowEx(&flash);
}

std::uintptr_t Win32WindowSystem::MonitorFromRect(const TXALRect& rect) const {
  const RECT area = ToRect(rect);
  return reinterpret_cast<std::uintptr_t>(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST));
}

void Win32WindowSystem::ReplyToSender() {
  if ((InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND) {
    ReplyMessage(0);
  }
}

std::string Win32WindowSystem::SystemDirectory() const {
  wchar_t buffer[kNameBuffer];
  const UINT length = GetSystemDirectoryW(buffer, kNameBuffer);
  if (length == 0 || length >= kNameBuffer) {
    return {};
  }
  std::wstring folder(buffer, length);
  if (!folder.empty() && folder.back() == L'\\') {
    folder.pop_back();
  }
  return Narrow(folder);
}

void Win32PlacementClock::Sleep(int milliseconds) {
  // Messages sent to this thread are served while it waits: the destroy notice is sent and
  // holds up the closing program, and Windows runs a 32-bit program's global hooks for 64-bit
  // programs on this thread. Posted messages wait for ProcessMessages.
  const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
  for (ULONGLONG now = GetTickCount64(); now < deadline; now = GetTickCount64()) {
    if (MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_SENDMESSAGE,
                                    0) == WAIT_OBJECT_0) {
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
}

void Win32PlacementClock::ProcessMessages() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void Win32PlacementClock::EnableTimer(bool enabled) {
  if (owner_ == nullptr) {
    return;
  }
  if (enabled) {
    SetTimer(owner_, kPlacementTimerId, 100, nullptr);
  } else {
    KillTimer(owner_, kPlacementTimerId);
  }
}

}  // namespace xal::win32
