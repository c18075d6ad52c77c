// Helpers for the Wine measurements in bench/: a trivial message-loop program, the baseline of
// the idle measurement; a watcher that stamps each change of the per-user Internet settings,
// which every recheck of the change-to-applied scenario writes; a stand-in for the system that
// posts an address-change notice to the running program and stamps the moment; and the time of
// the system calls behind the change-to-applied figure.
#include <winsock2.h>
// winsock2.h before windows.h, which would pull in the old winsock.h.
#include <windows.h>
#include <ws2tcpip.h>
// windows.h first: wininet.h needs its types.
#include <wininet.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "core/XALAddressMonitor.h"
#include "platform/win32/Win32ManagementService.h"
#include "platform/win32/XALWindowMessages.h"
#include "sensing/XALNetwork.h"

namespace {

constexpr wchar_t kInternetSettings[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Seconds since 1970 with microseconds, on the clock the shell's `date +%s.%N` reads.
double UnixSeconds() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<double>(ticks - 116444736000000000ULL) / 1e7;
}

LRESULT CALLBACK IdleProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcW(window, message, w, l);
}

int Idle() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &IdleProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"XalBenchIdle";
  RegisterClassW(&windowClass);
  CreateWindowExW(0, windowClass.lpszClassName, L"idle", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                  nullptr, nullptr, windowClass.hInstance, nullptr);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  return 0;
}

int WatchSettings(int changes) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kInternetSettings, 0, nullptr, 0,
                      KEY_NOTIFY | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot open the Internet settings\n");
    return 1;
  }
  const HANDLE changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  // Wine reports a write only when it changes the value: the recheck writes an empty script
  // URL, so the watcher puts another value back before it waits again.
  const auto reset = [key] {
    const wchar_t marker[] = L"-";
    RegSetValueExW(key, L"AutoConfigURL", 0, REG_SZ, reinterpret_cast<const BYTE*>(marker),
                   sizeof marker);
  };
  reset();
  std::printf("ready %.6f\n", UnixSeconds());
  std::fflush(stdout);
  for (int i = 0; i < changes; ++i) {
    if (RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE) !=
        ERROR_SUCCESS) {
      return 1;
    }
    WaitForSingleObject(changed, INFINITE);
    std::printf("changed %.6f\n", UnixSeconds());
    std::fflush(stdout);
    reset();
  }
  CloseHandle(changed);
  RegCloseKey(key);
  return 0;
}

int PostNotice() {
  const HWND window = FindWindowW(xal::win32::kMainWindowClass, nullptr);
  if (window == nullptr || PostMessageW(window, xal::win32::kAddressNoticeMessage, 0, 0) == 0) {
    std::fprintf(stderr, "no running program to notify\n");
    return 1;
  }
  std::printf("posted %.6f\n", UnixSeconds());
  return 0;
}

// What the address monitor compares: the addresses the host name resolves to.
int HostAddresses() {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) {
    return 1;
  }
  char name[256] = {};
  gethostname(name, static_cast<int>(sizeof name - 1));
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* results = nullptr;
  if (getaddrinfo(name, nullptr, &hints, &results) == 0) {
    for (const addrinfo* entry = results; entry != nullptr; entry = entry->ai_next) {
      char text[INET_ADDRSTRLEN] = {};
      const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
      inet_ntop(AF_INET, &address->sin_addr, text, sizeof text);
      std::printf("%s %s\n", name, text);
    }
    freeaddrinfo(results);
  }
  WSACleanup();
  return 0;
}

// The median of a call's durations in milliseconds, after one untimed call that loads what it
// needs.
double MedianMs(int runs, const std::function<void()>& call) {
  call();
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    call();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The system calls behind an address change, made as the program makes them: the adapter query
// of the refreshed address list, made while the notices settle, and WinINet's connection type,
// which switching the configuration script needs and the program keeps between changes.
int SystemCalls(int runs) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
    return 1;
  }
  double adapters = 0;
  {
    // Keeps its connection, as the program's does; released before COM goes.
    xal::win32::Win32ManagementService management;
    adapters = MedianMs(runs, [&] {
      for (const auto& adapter : xal::QueryAdapters(management)) {
        adapter->GetStringArray("IPAddress");
      }
    });
  }
  const double connection = MedianMs(runs, [] {
    INTERNET_PER_CONN_OPTIONW flags{};
    flags.dwOption = INTERNET_PER_CONN_FLAGS;
    INTERNET_PER_CONN_OPTION_LISTW list{};
    list.dwSize = sizeof list;
    list.dwOptionCount = 1;
    list.pOptions = &flags;
    DWORD size = sizeof list;
    InternetQueryOptionW(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, &size);
  });
  std::printf(
      "adapter query %.1f ms, made while the notices settle (%d ms); WinINet's connection type "
      "%.1f ms, kept between changes\n",
      adapters, xal::kAddressSettleMs, connection);
  CoUninitialize();
  return 0;
}

}  // namespace

// The wide entry, which -municode makes the start.
int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"idle") {
    return Idle();
  }
  if (command == L"watch-settings") {
    return WatchSettings(argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 1);
  }
  if (command == L"post-notice") {
    return PostNotice();
  }
  if (command == L"host-addresses") {
    return HostAddresses();
  }
  if (command == L"system-calls") {
    // At least one run, whatever the count says, so that there is a median.
    return SystemCalls(
        std::max(1, argc > 2 ? static_cast<int>(std::wcstol(argv[2], nullptr, 10)) : 15));
  }
  std::fprintf(stderr,
               "usage: xal_bench_tool idle | watch-settings N | post-notice | "
               "host-addresses | system-calls N\n");
  return 2;
}
