// Other programs' top-level windows as the window placement reads and moves them, and the
// waiting that placing a window needs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/XALRect.h"

namespace xal {

// Window handles are kept as numbers so that no system header is needed.
using TXALWindowHandle = std::uintptr_t;

// The platform's show commands, as window placements carry them.
constexpr int kSwShowNormal = 1;
constexpr int kSwShowMinimized = 2;
constexpr int kSwShowMaximized = 3;
constexpr int kSwShowMinNoActive = 7;

// The child-window style bit.
constexpr std::uint32_t kWsChild = 0x40000000u;

struct TXALPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TXALPoint&, const TXALPoint&) = default;
};

struct TXALWindowPlacement {
  std::uint32_t Flags = 0;
  int ShowCmd = 0;
  TXALPoint MinPosition;
  TXALPoint MaxPosition;
  // The restored rectangle in workspace coordinates.
  TXALRect NormalPosition;
  friend bool operator==(const TXALWindowPlacement&, const TXALWindowPlacement&) = default;
};

// Every call accepts a handle that no longer names a window: texts come back empty, numbers
// zero, flags false, and writes do nothing.
class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  virtual bool IsWindow(TXALWindowHandle window) const = 0;
  // At most 259 characters.
  virtual std::string ClassName(TXALWindowHandle window) const = 0;
  // The full caption.
  virtual std::string Caption(TXALWindowHandle window) const = 0;
  // File name of the module that created the window; at most 259 characters.
  virtual std::string ModuleFileName(TXALWindowHandle window) const = 0;
  virtual std::uint32_t Style(TXALWindowHandle window) const = 0;
  virtual bool IsVisible(TXALWindowHandle window) const = 0;
  virtual bool IsEnabled(TXALWindowHandle window) const = 0;
  virtual std::uint32_t ProcessId(TXALWindowHandle window) const = 0;

  // The first top-level window of that class, or 0.
  virtual TXALWindowHandle FindTopLevel(const std::string& className) const = 0;
  // All top-level windows in the platform's enumeration order.
  virtual std::vector<TXALWindowHandle> EnumTopLevel() const = 0;

  // False, leaving placement alone, when the window can't be read.
  virtual bool GetPlacement(TXALWindowHandle window, TXALWindowPlacement& placement) const = 0;
  // The result is not reported: a window that refuses shows up in the next read-back.
  virtual void SetPlacement(TXALWindowHandle window, const TXALWindowPlacement& placement) = 0;
  virtual void SetForeground(TXALWindowHandle window) = 0;
  // Flashes caption and task-bar button count times at the cursor blink rate.
  virtual void Flash(TXALWindowHandle window, int count) = 0;

  // Handle of the monitor nearest to the rectangle, as IMonitors lists it.
  virtual std::uintptr_t MonitorFromRect(const TXALRect& rect) const = 0;
  // The system directory, without a trailing separator.
  virtual std::string SystemDirectory() const = 0;

  // Releases the program that sent the message being handled, if it was sent and not yet
  // answered; what the handler does after this no longer holds the sender up. The management
  // service can't be called while a sender from another thread or process is waiting.
  virtual void ReplyToSender() = 0;
};

// Waiting between placement attempts and the main window's timer. The pass keeps handling
// messages while it waits, so hook notices and timer ticks can arrive inside it.
class IPlacementClock {
 public:
  virtual ~IPlacementClock() = default;
  virtual void Sleep(int milliseconds) = 0;
  virtual void ProcessMessages() = 0;
  // Starts or stops the 100 ms placement timer whose ticks call TimerTimer.
  virtual void EnableTimer(bool enabled) = 0;
};

}  // namespace xal
