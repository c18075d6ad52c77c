// WinINet's default (LAN) connection: its proxy settings read and set, and kept between changes.
//
// Every recheck that switches the proxy or the configuration script first reads the connection
// type, so that the other types stay as they were; WinINet takes 15-30 ms for each read under
// Wine. A worker reads the settings again whenever the per-user Internet settings change in the
// registry, or this object set them, and a read between changes answers from what it read.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace xal::win32 {

// The default connection's settings as WinINet reports them: the connection type flags
// (PROXY_TYPE_*), the proxy server and the configuration script URL.
struct Win32ConnectionSettings {
  std::uint32_t Flags = 0;
  std::string ProxyServer;
  std::string AutoConfigURL;
};

class Win32DefaultConnection {
 public:
  Win32DefaultConnection() = default;
  // Stops the worker; waits for a read it is making.
  ~Win32DefaultConnection();
  Win32DefaultConnection(const Win32DefaultConnection&) = delete;
  Win32DefaultConnection& operator=(const Win32DefaultConnection&) = delete;

  // The settings in force; nullopt when WinINet can't be asked. The first call starts the
  // worker.
  std::optional<Win32ConnectionSettings> Settings();
  // Turns one connection type (PROXY_TYPE_*) on or off and keeps the others; the text option
  // (INTERNET_PER_CONN_*) goes with it when text is given. Direct stays allowed, as the Internet
  // Options dialog always leaves it. The result is not reported.
  void SetType(std::uint32_t type, bool on, std::uint32_t textOption, const std::wstring* text);

  // Whether the settings would be answered from what was kept, without asking WinINet.
  bool Kept();
  // The worker's thread, or null before the first read; tests hold it still to see that a read
  // checks for changes itself.
  HANDLE Worker() const { return thread_; }

 private:
  void Start();
  std::optional<std::uint32_t> Flags();
  // The kept settings when nothing has changed since they were read.
  std::optional<Win32ConnectionSettings> KeptSettings();
  static DWORD WINAPI WorkerMain(void* self);
  void Work();
  bool Arm();

  bool started_ = false;
  HKEY key_ = nullptr;
  // Manual-reset: the registry changed; this object set the connection; the worker must stop.
  // Each stays signalled until the worker has taken it, so a read in between sees it.
  HANDLE changed_ = nullptr;
  HANDLE written_ = nullptr;
  HANDLE stop_ = nullptr;
  HANDLE thread_ = nullptr;
  SRWLOCK lock_ = SRWLOCK_INIT;
  // Guarded by lock_.
  bool fresh_ = false;
  Win32ConnectionSettings kept_;
};

}  // namespace xal::win32
