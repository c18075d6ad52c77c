// Other programs' top-level windows through the window manager, and the waits of a placement
// pass on the main window's thread.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace xal::win32 {

class Win32WindowSystem : public IWindowSystem {
 public:
  bool IsWindow(TXALWindowHandle window) const override;
  std::string ClassName(TXALWindowHandle window) const override;
  std::string Caption(TXALWindowHandle window) const override;
  std::string ModuleFileName(TXALWindowHandle window) const override;
  std::uint32_t Style(TXALWindowHandle window) const override;
  bool IsVisible(TXALWindowHandle window) const override;
  bool IsEnabled(TXALWindowHandle window) const override;
  std::uint32_t ProcessId(TXALWindowHandle window) const override;
  TXALWindowHandle FindTopLevel(const std::string& className) const override;
  std::vector<TXALWindowHandle> EnumTopLevel() const override;
  bool GetPlacement(TXALWindowHandle window, TXALWindowPlacement& placement) const override;
  void SetPlacement(TXALWindowHandle window, const TXALWindowPlacement& placement) override;
  void SetForeground(TXALWindowHandle window) override;
  void Flash(TXALWindowHandle window, int count) override;
  std::uintptr_t MonitorFromRect(const TXALRect& rect) const override;
  std::string SystemDirectory() const override;
  void ReplyToSender() override;

 private:
  // Moves the window with SetWindowPos and ShowWindow where SetWindowPlacement refused.
  void PlaceByPositionAndShow(HWND window, const TXALWindowPlacement& placement);

  // Normal rectangles (workspace coordinates) that the fallback gave to windows it then
  // minimised or maximised, for the read-back: a placement read that reports such a window's
  // current rectangle as its normal one knows nothing better.
  std::map<HWND, RECT> fallbackNormal_;
};

class Win32PlacementClock : public IPlacementClock {
 public:
  // The window whose WM_TIMER with kPlacementTimerId drives the placement timer.
  void SetOwner(HWND window) { owner_ = window; }

  void Sleep(int milliseconds) override;
  // Dispatches what is queued; a quit request met on the way is put back for the main loop.
  void ProcessMessages() override;
  void EnableTimer(bool enabled) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace xal::win32
