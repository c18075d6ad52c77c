// The address monitor's worker: every 500 ms it hands one check to the user-interface thread
// through a posted message and waits until that thread says the check has run.
#pragma once

#include <windows.h>

namespace xal::win32 {

class AddressMonitorThread {
 public:
  AddressMonitorThread() = default;
  ~AddressMonitorThread() { Stop(); }
  AddressMonitorThread(const AddressMonitorThread&) = delete;
  AddressMonitorThread& operator=(const AddressMonitorThread&) = delete;

  // Starts posting message to window every interval.
  void Start(HWND window, UINT message);
  // Called on the user-interface thread when a posted check has run, so the next may follow.
  void CheckDone();
  // Tells the worker to end and waits for it. Called on the user-interface thread.
  void Stop();

 private:
  static DWORD WINAPI Run(void* self);
  void CloseEvents();

  HWND window_ = nullptr;
  UINT message_ = 0;
  HANDLE stop_ = nullptr;
  HANDLE checked_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace xal::win32
