#include "placement/XALWindowIntake.h"

#include <utility>

#include "catalogue/XALSet.h"

namespace xal {

namespace {

constexpr int kRetries = 10;
constexpr int kRetryWaitMs = 100;
// Ticks after which the timer gives up on windows that don't stay put (about ten seconds).
constexpr int kLastTick = 100;

int IndexOfIgnoringCase(const std::vector<std::string>& list, const std::string& text) {
  TXALStringList lookup;
  for (const std::string& entry : list) {
    lookup.Add(entry);
  }
  return lookup.IndexOf(text);
}

}  // namespace

TXALWindowIntake::TXALWindowIntake(IWindowSystem& windows, const IMonitors& monitors,
                                   IPlacementClock& clock, const TXALSetting& setting,
                                   const TXALSetList& matchingSets, TXALPrinterSwitch& printers,
                                   TfmXALCurrent& current)
    : windows_(windows),
      clock_(clock),
      setting_(setting),
      matchingSets_(matchingSets),
      printers_(printers),
      current_(current),
      placer_(windows, monitors) {
  current_.ConnectAppWindows(&windows_,
                             [this](TXALWindowHandle window) { return IsAppWindow(window); });
}

TXALWindowIntake::~TXALWindowIntake() {
  current_.ConnectAppWindows(nullptr, nullptr);
}

void TXALWindowIntake::SetOwnWindows(std::function<bool(TXALWindowHandle)> isOwnWindow) {
  isOwnWindow_ = std::move(isOwnWindow);
}

bool TXALWindowIntake::IsAppWindow(TXALWindowHandle window) const {
  return xal::IsAppWindow(windows_, {setting_, ManageInvisibleWindows, isOwnWindow_}, window);
}

void TXALWindowIntake::HandleHookMessage(TXALHookNotice notice, TXALWindowHandle window) {
  switch (notice) {
    case TXALHookNotice::Activated:
      WindowActivated(window);
      break;
    case TXALHookNotice::CaptionChanged:
      WindowCaptionChanged(window);
      break;
    case TXALHookNotice::Destroyed:
      WindowDestroyed(window);
      break;
  }
}

void TXALWindowIntake::WindowActivated(TXALWindowHandle window) {
  const std::string className = windows_.ClassName(window);
  const std::string caption = windows_.Caption(window);
  // Only application windows are listed and placed: the black list, the white list and the
  // invisible-windows switch decide both. A window that fails now is not taken as handled, so it
  // is placed once it counts.
  const bool appWindow = IsAppWindow(window);
  if (appWindow) {
    current_.ListAppWindow(className, caption, window);
  }
  if (!appWindow || !EnableManageWindow || handledWindows_.IndexOf(window) >= 0 ||
      windowsInPass_.IndexOf(window) >= 0) {
    return;
  }
  // The pass shows the window in its rule's state, which activates it again; that notice is
  // handled during the pass's own waits and must not start a pass inside this one, or two
  // matching sets would recurse without end.
  windowsInPass_.Add(window);
  struct PassEnd {
    TXALHandleList& list;
    TXALWindowHandle window;
    ~PassEnd() { list.Delete(list.IndexOf(window)); }
  } passEnd{windowsInPass_, window};
  PlaceActivatedWindow(window, className, caption);
  handledWindows_.Add(window);
}

void TXALWindowIntake::WindowDestroyed(TXALWindowHandle window) {
  const std::string className = windows_.ClassName(window);
  const std::string caption = windows_.Caption(window);
  // The closing program waits on this notice; now that the window is read it may go on. The
  // printer release below calls the management service, which refuses while it waits.
  windows_.ReplyToSender();
  current_.RemoveApp(window);
  const int index = handledWindows_.IndexOf(window);
  if (index < 0) {
    return;
  }
  handledWindows_.Delete(index);
  for (int i = 0; i < matchingSets_.Count(); ++i) {
    const TXALApp* rule = matchingSets_.Items(i)->Target.Apps.FindMatch(className, caption);
    if (rule != nullptr) {
      ReleaseAppPrinter(rule->DefaultPrinter);
    }
  }
}

void TXALWindowIntake::WindowCaptionChanged(TXALWindowHandle window) {
  if (IsAppWindow(window)) {
    current_.UpdateAppTitle(window);
  }
}

bool TXALWindowIntake::WriteAndRead(TXALWindowHandle window, const TXALWindowPlacement& p,
                                    TXALWindowPlacement& q) {
  windows_.SetPlacement(window, p);
  return windows_.GetPlacement(window, q);
}

template <typename NotSettled>
bool TXALWindowIntake::Settle(TXALWindowHandle window, const TXALWindowPlacement& p,
                              TXALWindowPlacement& q, unsigned editsAtStart,
                              NotSettled notSettled) {
  for (int attempt = 0; attempt < kRetries && notSettled(q); ++attempt) {
    clock_.Sleep(kRetryWaitMs);
    if (!WriteAndRead(window, p, q)) {
      return false;
    }
    clock_.ProcessMessages();
    if (catalogueEdits_ != editsAtStart) {
      return false;
    }
  }
  return true;
}

void TXALWindowIntake::PlaceActivatedWindow(TXALWindowHandle window, const std::string& className,
                                            const std::string& caption) {
  const unsigned editsAtStart = catalogueEdits_;
  TXALWindowPlacement p;
  TXALWindowPlacement q;
  if (!windows_.GetPlacement(window, p)) {
    return;
  }
  // By index: messages handled during the waits may change the list.
  for (int i = 0; i < matchingSets_.Count(); ++i) {
    TXALApp* rule = matchingSets_.Items(i)->Target.Apps.FindMatch(className, caption);
    if (rule == nullptr) {
      continue;
    }
    // Minimised at the target first, then shown in the rule's state, so that windows that
    // remember their last state take the new rectangle.
    p.NormalPosition = placer_.TargetRect(*rule);
    p.ShowCmd = kSwShowMinNoActive;
    if (!WriteAndRead(window, p, q) ||
        !Settle(window, p, q, editsAtStart, [&p](const TXALWindowPlacement& r) {
          return r.NormalPosition != p.NormalPosition || r.ShowCmd != kSwShowMinimized;
        })) {
      return;
    }
    clock_.ProcessMessages();
    if (catalogueEdits_ != editsAtStart) {
      return;
    }
    const TXALAppState state = rule->State;
    p.ShowCmd = ShowCommandFor(state);
    if (!WriteAndRead(window, p, q) ||
        !Settle(window, p, q, editsAtStart, [&p, state](const TXALWindowPlacement& r) {
          return r.NormalPosition != p.NormalPosition || ShowCommandDisagrees(r.ShowCmd, state);
        })) {
      return;
    }

    pendingWindows_.Add(window);
    pendingApps_.Add(rule);
    if (!placer_.IsPlaced(*rule, window)) {
      placer_.PlaceWindow(*rule, window);
    }
    tickCount_ = 0;
    clock_.EnableTimer(true);
    printers_.SwitchDefaultPrinter(rule->DefaultPrinter, true);
  }
}

void TXALWindowIntake::ReleaseAppPrinter(const std::string& printer) {
  std::vector<std::string>& stack = printers_.AppPrinters();
  const int index = IndexOfIgnoringCase(stack, printer);
  if (index >= 0) {
    stack.erase(stack.begin() + index);
  }
  if (!stack.empty()) {
    // A copy: the switch may change the list it came from.
    const std::string top = stack.front();
    printers_.SwitchDefaultPrinter(top, false);
  }
}

bool TXALWindowIntake::CheckPendingPlacements() {
  for (int i = pendingWindows_.Count() - 1; i >= 0; --i) {
    const TXALWindowHandle window = pendingWindows_.Items(i);
    const TXALApp& rule = *pendingApps_.Items(i);
    if (placer_.IsPlaced(rule, window)) {
      pendingWindows_.Delete(i);
      pendingApps_.Delete(i);
    } else {
      placer_.PlaceWindow(rule, window);
    }
  }
  return pendingWindows_.Count() > 0;
}

void TXALWindowIntake::TimerTimer() {
  if (!CheckPendingPlacements()) {
    clock_.EnableTimer(false);
  }
  if (tickCount_ > kLastTick) {
    clock_.EnableTimer(false);
  }
  ++tickCount_;
}

void TXALWindowIntake::btTargetAppsMoveClick(const TXALApps& rules, int row) {
  if (row < 1 || row > rules.Count()) {
    return;
  }
  PlaceOnHandledWindows(rules.Items(row - 1));
}

void TXALWindowIntake::btTargetAppsMoveAllClick(const TXALApps& rules) {
  for (int i = 0; i < rules.Count(); ++i) {
    PlaceOnHandledWindows(rules.Items(i));
  }
}

void TXALWindowIntake::PlaceOnHandledWindows(const TXALApp& rule) {
  // A copy of the handles: nothing here handles messages, but the list is not ours to pin.
  const std::vector<TXALWindowHandle> handles(handledWindows_.begin(), handledWindows_.end());
  for (const TXALWindowHandle window : handles) {
    placer_.PlaceWindow(rule, window);
  }
}

void TXALWindowIntake::DropPendingWhere(const std::function<bool(const TXALApp*)>& drop) {
  ++catalogueEdits_;
  for (int i = pendingApps_.Count() - 1; i >= 0; --i) {
    if (drop(pendingApps_.Items(i))) {
      pendingWindows_.Delete(i);
      pendingApps_.Delete(i);
    }
  }
}

void TXALWindowIntake::ForgetRule(const TXALApp& rule) {
  DropPendingWhere([&rule](const TXALApp* pending) { return pending == &rule; });
}

void TXALWindowIntake::ForgetRulesOf(const TXALSet& set) {
  DropPendingWhere([&set](const TXALApp* pending) {
    for (int i = 0; i < set.Target.Apps.Count(); ++i) {
      if (&set.Target.Apps.Items(i) == pending) {
        return true;
      }
    }
    return false;
  });
}

void TXALWindowIntake::ForgetAll() {
  DropPendingWhere([](const TXALApp*) { return true; });
}

}  // namespace xal
