// The socket headers before windows.h, which would pull in the old winsock.h.
#include <winsock2.h>
#include <ws2ipdef.h>

#include "platform/win32/Win32AddressWatch.h"

// After the socket headers, which declare the address types it uses.
#include <iphlpapi.h>
#include <netioapi.h>

namespace xal::win32 {
namespace {

void WINAPI OnAddressChange(void* context, MIB_UNICASTIPADDRESS_ROW*, MIB_NOTIFICATION_TYPE) {
  static_cast<Win32AddressWatch*>(context)->SystemNotice();
}

}  // namespace

bool AddressNoticesNeverFire() {
  // Wine accepts the registration and answers with success, but no address change is ever
  // reported; only polling sees its changes.
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

Win32AddressWatch::Win32AddressWatch(HWND window, UINT noticeMessage, UINT_PTR wakeTimerId)
    : window_(window), noticeMessage_(noticeMessage), wakeTimerId_(wakeTimerId) {}

Win32AddressWatch::~Win32AddressWatch() {
  StopNotifications();
  SetWake(-1);
}

bool Win32AddressWatch::StartNotifications() {
  StopNotifications();
  HANDLE handle = nullptr;
  // IPv4 only: the check compares IPv4 addresses, and IPv6 ones come and go on their own
  // (temporary addresses) far more often.
  if (NotifyUnicastIpAddressChange(AF_INET, &OnAddressChange, this, FALSE, &handle) != NO_ERROR) {
    return false;
  }
  notification_ = handle;
  return true;
}

void Win32AddressWatch::StopNotifications() {
  if (notification_ != nullptr) {
    // Returns once no callback runs any more, so none reaches a watch that is going away.
    CancelMibChangeNotify2(notification_);
    notification_ = nullptr;
  }
}

void Win32AddressWatch::SetWake(int milliseconds) {
  if (window_ == nullptr) {
    return;
  }
  if (milliseconds < 0) {
    KillTimer(window_, wakeTimerId_);
  } else {
    // USER_TIMER_MINIMUM is 10 ms; a zero delay is taken as that.
    SetTimer(window_, wakeTimerId_, static_cast<UINT>(milliseconds), nullptr);
  }
}

std::uint64_t Win32AddressWatch::NowMs() {
  return GetTickCount64();
}

void Win32AddressWatch::WakeFired() {
  if (window_ != nullptr) {
    KillTimer(window_, wakeTimerId_);
  }
}

void Win32AddressWatch::SystemNotice() {
  // Posted, never sent: the check calls the management service, which refuses to be called
  // while a sender waits.
  if (!noticePosted_.exchange(true) && PostMessageW(window_, noticeMessage_, 0, 0) == FALSE) {
    noticePosted_.store(false);
  }
}

}  // namespace xal::win32
