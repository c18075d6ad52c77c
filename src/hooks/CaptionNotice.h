// Which returned window messages XALCWPH reports as caption notices. Free of the Windows headers,
// so that the rule is tested where the shipped 32-bit build's case can be set up: there the hook
// for a 64-bit program's window runs in the notified program itself, so which process a call runs
// in says nothing about whose window it is.
#pragma once

namespace xal::hooks {

inline constexpr unsigned kSetTextMessage = 0x000C;     // WM_SETTEXT
inline constexpr unsigned kNcActivateMessage = 0x0086;  // WM_NCACTIVATE

struct ReturnedCall {
  unsigned message = 0;
  // WM_NCACTIVATE's wParam: nonzero when the window becomes active.
  bool activating = false;
  // The window has the child style.
  bool child = false;
  // The process that owns the window; 0 when it is gone.
  unsigned long windowProcess = 0;
};

// A notice follows WM_SETTEXT (the caption was set) and WM_NCACTIVATE when the window becomes
// active (a caption set without WM_SETTEXT, as at creation, is then picked up). Child controls
// have no caption the program shows. Windows of the notified program are left out, since handling
// a notice may itself set text there and would report itself again; with no notified program
// there is nobody to tell.
constexpr bool ReportsCaption(const ReturnedCall& call, unsigned long notifiedProcess) {
  const bool mayChangeCaption =
      call.message == kSetTextMessage || (call.message == kNcActivateMessage && call.activating);
  return mayChangeCaption && !call.child && notifiedProcess != 0 && call.windowProcess != 0 &&
         call.windowProcess != notifiedProcess;
}

}  // namespace xal::hooks
