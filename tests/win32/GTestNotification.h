// GoogleTest's Notification on a Win32 event, put in front of every GoogleTest source and test
// of this folder. GoogleTest's own one needs std::mutex and std::condition_variable, which
// MinGW's win32-thread runtime of GCC 12 lacks; everything else of its thread support uses
// Win32 directly.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
 public:
  Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { SetEvent(event_); }
  void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
