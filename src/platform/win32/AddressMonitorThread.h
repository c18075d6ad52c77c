// The address monitor's worker: every 500 ms it hands one check to the user-interface thread
// through a sent message and waits until that thread has run it.
#pragma once

#include <windows.h>

namespace xal::win32 {

class AddressMonitorThread {
 public:
  AddressMonitorThread() = default;
  ~AddressMonitorThread() { Stop(); }
  AddressMonitorThread(const AddressMonitorThread&) = delete;
  AddressMonitorThread& operator=(const AddressMonitorThread&) = delete;

  // Starts sending message to window every interval.
  void Start(HWND window, UINT message);
  // Tells the worker to end and waits for it, running the checks it sends meanwhile, so that
  // neither side waits for the other. Called on the user-interface thread.
  void Stop();

 private:
  static DWORD WINAPI Run(void* self);

  HWND window_ = nullptr;
  UINT message_ = 0;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
};

}  // namespace xal::win32
