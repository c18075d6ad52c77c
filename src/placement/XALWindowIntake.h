// The main window's handling of the hook notices: which windows count as application windows,
// the lists of windows already seen and still being held in place, the placement pass run on a
// window's first activation, the timer that keeps pending windows in place, and the move
// buttons.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "appliers/XALPrinterSwitch.h"
#include "catalogue/XALApps.h"
#include "catalogue/XALLists.h"
#include "catalogue/XALSetting.h"
#include "placement/XALPlacement.h"
#include "platform/Monitors.h"
#include "platform/WindowSystem.h"
#include "sensing/XALCurrent.h"

namespace xal {

class TXALSet;

// The three notices the hook libraries post.
enum class TXALHookNotice : std::uint8_t { Activated, CaptionChanged, Destroyed };

class TXALWindowIntake {
 public:
  // matchingSets is read at each pass and destroy notice; setting at each window test. Connects
  // the current-environment window's application list to the window test for its lifetime.
  TXALWindowIntake(IWindowSystem& windows, const IMonitors& monitors, IPlacementClock& clock,
                   const TXALSetting& setting, const TXALSetList& matchingSets,
                   TXALPrinterSwitch& printers, TfmXALCurrent& current);
  ~TXALWindowIntake();
  TXALWindowIntake(const TXALWindowIntake&) = delete;
  TXALWindowIntake& operator=(const TXALWindowIntake&) = delete;

  // The main window's copy of the switch, taken from the settings at start-up and whenever
  // confirmed settings are stored.
  bool ManageInvisibleWindows = false;
  // cbEnableManageWindow: checked at start, not stored.
  bool EnableManageWindow = true;
  // The current-environment window and the open rule and add-set dialogs; they are left to the
  // white list.
  void SetOwnWindows(std::function<bool(TXALWindowHandle)> isOwnWindow);

  bool IsAppWindow(TXALWindowHandle window) const;

  void HandleHookMessage(TXALHookNotice notice, TXALWindowHandle window);
  void WindowActivated(TXALWindowHandle window);
  void WindowDestroyed(TXALWindowHandle window);
  void WindowCaptionChanged(TXALWindowHandle window);

  // The placement pass over the matching sets' rules; class name and caption as read when the
  // notice arrived.
  void PlaceActivatedWindow(TXALWindowHandle window, const std::string& className,
                            const std::string& caption);
  // Pops the printer from AppPrinters and makes the new top the default again.
  void ReleaseAppPrinter(const std::string& printer);

  // Puts pending windows back where their rules want them; true while entries remain.
  bool CheckPendingPlacements();
  // One tick of the 100 ms timer.
  void TimerTimer();
  int TickCount() const { return tickCount_; }

  // The move buttons over the rules of the selected set; row is the grid row, 0 holding the
  // column titles. Nothing enters the pending lists.
  void btTargetAppsMoveClick(const TXALApps& rules, int row);
  void btTargetAppsMoveAllClick(const TXALApps& rules);
  // Places the rule on every window seen so far (also the rule dialog's set button).
  void PlaceOnHandledWindows(const TXALApp& rule);

  // Pending entries refer to rules of the catalogue: before a rule, a set or the whole
  // catalogue goes, its entries must go. A placement pass waiting on the window at that moment
  // stops.
  void ForgetRule(const TXALApp& rule);
  void ForgetRulesOf(const TXALSet& set);
  void ForgetAll();

  TXALPlacer& Placer() { return placer_; }
  TXALHandleList& HandledWindows() { return handledWindows_; }
  const TXALHandleList& PendingWindows() const { return pendingWindows_; }
  const TXALAppList& PendingApps() const { return pendingApps_; }

 private:
  // Writes p and reads the result into q; false when the window has gone.
  bool WriteAndRead(TXALWindowHandle window, const TXALWindowPlacement& p, TXALWindowPlacement& q);
  // Waits and retries while notSettled(q) holds, at most ten times; false when the window has
  // gone or a catalogue edit took the rule away while messages were handled.
  template <typename NotSettled>
  bool Settle(TXALWindowHandle window, const TXALWindowPlacement& p, TXALWindowPlacement& q,
              unsigned editsAtStart, NotSettled notSettled);
  void DropPendingWhere(const std::function<bool(const TXALApp*)>& drop);

  IWindowSystem& windows_;
  IPlacementClock& clock_;
  const TXALSetting& setting_;
  const TXALSetList& matchingSets_;
  TXALPrinterSwitch& printers_;
  TfmXALCurrent& current_;
  TXALPlacer placer_;
  std::function<bool(TXALWindowHandle)> isOwnWindow_;

  TXALHandleList handledWindows_;
  TXALHandleList pendingWindows_;
  TXALAppList pendingApps_;
  // Windows whose placement pass has not ended yet.
  TXALHandleList windowsInPass_;
  int tickCount_ = 0;
  // Raised by every Forget call; a pass that sees it change while it handled messages stops.
  unsigned catalogueEdits_ = 0;
};

}  // namespace xal
