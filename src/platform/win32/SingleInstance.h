// One running copy of the tray program per user and session, wherever it was started from: two
// copies would fight over the same settings and window hooks, show two icons and start programs
// twice. A later start hands over to the running copy and ends.
#pragma once

#include <windows.h>

namespace xal::win32 {

// The registered message a later start posts to the running copy's main window, asking it to
// show and restore itself; 0 if it can't be registered.
UINT RestoreMessage();
// True only for that message, never for 0.
bool IsRestoreRequest(UINT message);

class SingleInstance {
 public:
  // Claims this user's copy in this session; the claim lasts as long as the object.
  SingleInstance();
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // False when another copy already runs for this user in this session. When the claim can't
  // even be checked, this copy runs: better two copies than none.
  bool IsFirst() const { return first_; }

  // Asks the running copy to bring its main window forward, waiting up to `waitMs` for that
  // window to exist (it may still be starting). False when no such window turned up.
  static bool ShowRunningCopy(DWORD waitMs);

 private:
  HANDLE claim_ = nullptr;
  bool first_ = true;
};

}  // namespace xal::win32
