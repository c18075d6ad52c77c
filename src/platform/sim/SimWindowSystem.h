// Top-level windows and a clock as a test sets them up. Windows can be slow to take a
// placement, refuse it, or disappear in the middle of a placement pass.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Monitors.h"
#include "platform/WindowSystem.h"

namespace xal::sim {

struct SimWindow {
  std::string ClassName;
  std::string Caption;
  std::string Module = "C:\\Program Files\\App\\app.exe";
  std::uint32_t Style = 0;
  bool Visible = true;
  bool Enabled = true;
  std::uint32_t Process = 100;
  TXALWindowPlacement Placement{0, kSwShowNormal, {}, {}, {0, 0, 640, 480}};
  // Writes that are ignored before the window takes them.
  int IgnoredWrites = 0;
  // Never takes a written placement.
  bool RefusesWrites = false;
  // Disappears when this many calls have named it (0: never).
  int VanishOnCall = 0;
};

class SimWindowSystem : public IWindowSystem, public IPlacementClock {
 public:
  // Adds a top-level window at the end of the enumeration order; its handle.
  TXALWindowHandle Add(SimWindow window);
  // Adds a window under a handle of a window that has gone, as the platform reuses them.
  void AddWithHandle(TXALWindowHandle handle, SimWindow window);
  void Destroy(TXALWindowHandle handle);
  // The window's state; it must exist.
  SimWindow& Window(TXALWindowHandle handle);
  int WriteCount(TXALWindowHandle handle) const;

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
  std::string SystemDirectory() const override { return systemDirectory; }
  void ReplyToSender() override {
    if (sentMessagePending) {
      sentMessagePending = false;
      calls.push_back("ReplyToSender");
    }
  }

  void Sleep(int milliseconds) override { elapsedMs += milliseconds; }
  void ProcessMessages() override;
  void EnableTimer(bool enabled) override { timerEnabled = enabled; }

  std::string systemDirectory = "C:\\Windows\\system32";
  // The monitors MonitorFromRect chooses from (largest overlap, else nearest); none
  // gives 0.
  const IMonitors* monitors = nullptr;

  // True while the message being handled stands for one another thread or process sent and
  // waits on; the simulated management service refuses to be called then, as the real one does.
  bool sentMessagePending = false;

  int elapsedMs = 0;
  int messagePumps = 0;
  bool timerEnabled = false;
  // Runs at each ProcessMessages, standing for the messages that arrive during a wait.
  std::function<void()> onProcessMessages;

  // "SetPlacement 0x100 7", "SetForeground 0x100", "Flash 0x100 5"; in call order.
  std::vector<std::string> calls;

 private:
  // The window after counting a call that names it; nullptr when there is none (any more).
  SimWindow* Touch(TXALWindowHandle window) const;

  mutable std::map<TXALWindowHandle, SimWindow> windows_;
  mutable std::map<TXALWindowHandle, int> callCounts_;
  std::map<TXALWindowHandle, int> writeCounts_;
  mutable std::vector<TXALWindowHandle> order_;
  TXALWindowHandle next_ = 0x100;
};

}  // namespace xal::sim
