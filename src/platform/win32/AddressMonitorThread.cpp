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
  if (stop_ == nullptr) {
    throw std::runtime_error("The address monitor could not be started.");
  }
  thread_ = CreateThread(nullptr, 0, &AddressMonitorThread::Run, this, 0, nullptr);
  if (thread_ == nullptr) {
    CloseHandle(stop_);
    stop_ = nullptr;
    throw std::runtime_error("The address monitor could not be started.");
  }
}

void AddressMonitorThread::Stop() {
  if (thread_ != nullptr) {
    SetEvent(stop_);
    // The worker may be inside SendMessage to us: keep taking sent messages until it ends.
    while (MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) ==
           WAIT_OBJECT_0 + 1) {
      MSG message;
      PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    CloseHandle(thread_);
    thread_ = nullptr;
  }
  if (stop_ != nullptr) {
    CloseHandle(stop_);
    stop_ = nullptr;
  }
}

DWORD WINAPI AddressMonitorThread::Run(void* self) {
  auto& monitor = *static_cast<AddressMonitorThread*>(self);
  while (WaitForSingleObject(monitor.stop_, kIntervalMs) == WAIT_TIMEOUT) {
    SendMessageW(monitor.window_, monitor.message_, 0, 0);
  }
  return 0;
}

}  // namespace xal::win32
