// The address watch's port on Windows: the IP helper's address-change notices, posted to the
// main window, and a one-shot timer of that window as the wake-up.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "platform/AddressWatch.h"

namespace xal::win32 {

// True where the system accepts the registration but never delivers a notice (Wine).
bool AddressNoticesNeverFire();

class Win32AddressWatch : public IAddressWatchPort {
 public:
  // Notices arrive as noticeMessage posted to window; the wake-up is its timer wakeTimerId.
  Win32AddressWatch(HWND window, UINT noticeMessage, UINT_PTR wakeTimerId);
  ~Win32AddressWatch() override;
  Win32AddressWatch(const Win32AddressWatch&) = delete;
  Win32AddressWatch& operator=(const Win32AddressWatch&) = delete;

  bool StartNotifications() override;
  void StopNotifications() override;
  void SetWake(int milliseconds) override;
  std::uint64_t NowMs() override;

  // On the window's thread, before the watch hears of it: a posted notice was taken, so the
  // next one is posted again; the wake-up timer fired and fires no more until armed again.
  void NoticeTaken() { noticePosted_.store(false); }
  void WakeFired();

  // What the system's thread pool calls on each change; public so that tests can stand in for
  // the system.
  void SystemNotice();

 private:
  HWND window_;
  UINT noticeMessage_;
  UINT_PTR wakeTimerId_;
  HANDLE notification_ = nullptr;
  // One posted notice at a time: a burst while the window is busy is one message.
  std::atomic<bool> noticePosted_{false};
};

}  // namespace xal::win32
