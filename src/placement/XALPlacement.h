// Where a placement rule puts a window, whether a window is where its rule wants it, and the
// moves and captures that work on one window at a time.
#pragma once

#include <functional>
#include <string>

#include "catalogue/XALApps.h"
#include "catalogue/XALSetting.h"
#include "platform/Monitors.h"
#include "platform/WindowSystem.h"

namespace xal {

// The class lists, the invisible-windows switch and the program's own windows that the window
// test consults. Own windows take the white-list path like child and system windows.
struct TXALAppWindowRules {
  const TXALSetting& Setting;
  bool ManageInvisibleWindows = false;
  std::function<bool(TXALWindowHandle)> IsOwnWindow;
};

// Whether the window is one of the application windows that rules may place.
bool IsAppWindow(const IWindowSystem& windows, const TXALAppWindowRules& rules,
                 TXALWindowHandle window);

// The show command for the rule's state.
int ShowCommandFor(TXALAppState state);
// Whether a read-back show command contradicts the state; commands other than normal,
// minimised and maximised contradict nothing.
bool ShowCommandDisagrees(int showCmd, TXALAppState state);

class TXALPlacer {
 public:
  TXALPlacer(IWindowSystem& windows, const IMonitors& monitors);

  // The rule's normal rectangle in desktop coordinates. A display number the computer doesn't
  // have, below 1 included, means the primary display.
  TXALRect TargetRect(const TXALApp& rule) const;
  // Reads class name and caption now; a window that is gone matches nothing.
  bool MatchesWindow(const TXALApp& rule, TXALWindowHandle window) const;
  // Whether the window's show state agrees with the rule; a handle that no longer names a
  // window counts as placed, so that nobody keeps trying to place it.
  bool IsPlaced(const TXALApp& rule, TXALWindowHandle window) const;
  // Writes the rule's placement once, without waiting or reading back, and brings the window
  // to the front; nothing when the rule doesn't take the window.
  void PlaceWindow(const TXALApp& rule, TXALWindowHandle window);
  // Fills class, title, display, position and state from the running window; name and printer
  // stay. False, leaving the rule alone, when the window is gone.
  bool CaptureWindow(TXALWindowHandle window, TXALApp& rule) const;

  IWindowSystem& Windows() { return windows_; }

 private:
  IWindowSystem& windows_;
  const IMonitors& monitors_;
};

}  // namespace xal
