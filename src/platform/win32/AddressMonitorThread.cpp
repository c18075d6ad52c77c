#include "platform/win32/AddressMonitorThread.h"

#include <stdexcept>

namespace xal::win32 {
namespace {

constexpr DWORD kIntervalMs = 500;

}  // namespace

void AddressMonitorThread::Start(HWND window, UINT message) {
  Stop();
  window_ = window;
  message_ = message;
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  checked_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (stop_ != nullptr && checked_ != nullptr) {
    thread_ = CreateThread(nullptr, 0, &AddressMonitorThread::Run, this, 0, nullptr);
  }
  if (thread_ == nullptr) {
    CloseEvents();
    throw std::runtime_error("The address monitor could not be started.");
  }
}

void AddressMonitorThread::CheckDone() {
  if (checked_ != nullptr) {
    SetEvent(checked_);
  }
}

void AddressMonitorThread::Stop() {
  if (thread_ != nullptr) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  CloseEvents();
}

void AddressMonitorThread::CloseEvents() {
  for (HANDLE* event : {&stop_, &checked_}) {
    if (*event != nullptr) {
      CloseHandle(*event);
      *event = nullptr;
    }
  }
}

DWORD WINAPI AddressMonitorThread::Run(void* self) {
  auto& monitor = *static_cast<AddressMonitorThread*>(self);
  const HANDLE waits[] = {monitor.stop_, monitor.checked_};
  while (WaitForSingleObject(monitor.stop_, kIntervalMs) == WAIT_TIMEOUT) {
    // Posted, not sent: the check calls the management service, which refuses to be called
    // while a sender waits. The worker still waits until the check has run, so checks never
    // pile up behind a busy user-interface thread.
    if (!PostMessageW(monitor.window_, monitor.message_, 0, 0)) {
      continue;
    }
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
      break;
    }
  }
  return 0;
}

}  // namespace xal::win32
