#include "placement/XALPlacement.h"

#include <vector>

namespace xal {

namespace {

// The class that the file manager's folder windows have; windows of its process are left to
// the white list.
constexpr char kFileManagerClass[] = "CabinetWClass";

// On the platform the primary display is the one whose top-left corner is the desktop origin.
const TXALMonitor* PrimaryMonitor(const std::vector<TXALMonitor>& list) {
  for (const TXALMonitor& monitor : list) {
    if (monitor.Bounds.Left == 0 && monitor.Bounds.Top == 0) {
      return &monitor;
    }
  }
  return list.empty() ? nullptr : &list.front();
}

}  // namespace

bool IsAppWindow(const IWindowSystem& windows, const TXALAppWindowRules& rules,
                 TXALWindowHandle window) {
  const TXALWindowHandle fileManager = windows.FindTopLevel(kFileManagerClass);
  const std::uint32_t fileManagerProcess = fileManager == 0 ? 0 : windows.ProcessId(fileManager);
  const std::uint32_t process = windows.ProcessId(window);
  const std::string className = windows.ClassName(window);

  const bool whiteListOnly =
      (rules.IsOwnWindow && rules.IsOwnWindow(window)) || (windows.Style(window) & kWsChild) != 0 ||
      !windows.IsEnabled(window) || process == fileManagerProcess ||
      // Paths name the same file whatever their letter case.
      ContainsText(windows.ModuleFileName(window), windows.SystemDirectory());

  bool passes = false;
  if (!whiteListOnly && rules.Setting.BlackList.IndexOf(className) < 0) {
    passes = true;
  } else {
    passes = rules.Setting.WhiteList.IndexOf(className) >= 0;
  }
  if (passes && !rules.ManageInvisibleWindows) {
    passes = windows.IsVisible(window);
  }
  return passes;
}

int ShowCommandFor(TXALAppState state) {
  switch (state) {
    case TXALAppState::Minimized:
      return kSwShowMinimized;
    case TXALAppState::Maximized:
      return kSwShowMaximized;
    case TXALAppState::Normal:
      break;
  }
  return kSwShowNormal;
}

bool ShowCommandDisagrees(int showCmd, TXALAppState state) {
  switch (showCmd) {
    case kSwShowMinimized:
      return state != TXALAppState::Minimized;
    case kSwShowMaximized:
      return state != TXALAppState::Maximized;
    case kSwShowNormal:
      return state != TXALAppState::Normal;
    default:
      return false;
  }
}

TXALPlacer::TXALPlacer(IWindowSystem& windows, const IMonitors& monitors)
    : windows_(windows), monitors_(monitors) {}

TXALRect TXALPlacer::TargetRect(const TXALApp& rule) const {
  const std::vector<TXALMonitor>& list = monitors_.List();
  const TXALMonitor* monitor = nullptr;
  if (rule.Display >= 1 && static_cast<std::size_t>(rule.Display) <= list.size()) {
    monitor = &list[static_cast<std::size_t>(rule.Display - 1)];
  } else {
    monitor = PrimaryMonitor(list);
  }
  const int left = monitor == nullptr ? 0 : monitor->Bounds.Left;
  const int top = monitor == nullptr ? 0 : monitor->Bounds.Top;
  const int x = WrapAdd(left, rule.Left());
  const int y = WrapAdd(top, rule.Top());
  return {x, y, WrapAdd(x, rule.Width()), WrapAdd(y, rule.Height())};
}

bool TXALPlacer::MatchesWindow(const TXALApp& rule, TXALWindowHandle window) const {
  if (!windows_.IsWindow(window)) {
    return false;
  }
  return rule.Matches(windows_.ClassName(window), windows_.Caption(window));
}

bool TXALPlacer::IsPlaced(const TXALApp& rule, TXALWindowHandle window) const {
  TXALWindowPlacement w;
  if (!windows_.GetPlacement(window, w)) {
    return true;
  }
  switch (w.ShowCmd) {
    case kSwShowMinimized:
      return rule.State == TXALAppState::Minimized;
    case kSwShowMaximized:
      return rule.State == TXALAppState::Maximized;
    case kSwShowNormal:
      // Shown normally, a window is where its rule put it only at the rectangle the placement
      // wrote; for a Normal rule the state alone would let a window that moved itself go. A
      // minimised or maximised rule's window that was restored to that rectangle is left so.
      return w.NormalPosition == TargetRect(rule);
    default:
      return true;
  }
}

void TXALPlacer::PlaceWindow(const TXALApp& rule, TXALWindowHandle window) {
  if (!MatchesWindow(rule, window)) {
    return;
  }
  TXALWindowPlacement p;
  p.NormalPosition = TargetRect(rule);
  // Minimised first, so that the window doesn't show itself at the old place on the way.
  p.ShowCmd = kSwShowMinNoActive;
  windows_.SetPlacement(window, p);
  p.ShowCmd = ShowCommandFor(rule.State);
  windows_.SetPlacement(window, p);
  windows_.SetForeground(window);
}

bool TXALPlacer::CaptureWindow(TXALWindowHandle window, TXALApp& rule) const {
  TXALWindowPlacement w;
  if (!windows_.IsWindow(window) || !windows_.GetPlacement(window, w)) {
    return false;
  }
  rule.WindowClass = windows_.ClassName(window);
  rule.Title = windows_.Caption(window);

  const std::uintptr_t nearest = windows_.MonitorFromRect(w.NormalPosition);
  const std::vector<TXALMonitor>& list = monitors_.List();
  int display = 1;
  TXALRect bounds;
  for (std::size_t p = 0; p < list.size(); ++p) {
    if (list[p].Handle == nearest) {
      display = static_cast<int>(p + 1);
      bounds = list[p].Bounds;
      break;
    }
  }
  rule.Display = display;
  const TXALRect& n = w.NormalPosition;
  rule.Position = {WrapSub(n.Left, bounds.Left), WrapSub(n.Top, bounds.Top),
                   WrapSub(n.Right, bounds.Left), WrapSub(n.Bottom, bounds.Top)};

  const auto show = static_cast<unsigned>(w.ShowCmd);
  rule.State = TXALAppState::Normal;
  if ((show & 2u) != 0) {
    rule.State = (show & 1u) != 0 ? TXALAppState::Maximized : TXALAppState::Minimized;
  }
  return true;
}

}  // namespace xal
