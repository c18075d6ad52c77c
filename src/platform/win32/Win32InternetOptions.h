// The Internet client library (WinINet): the default connection's proxy settings and the
// notices that the per-user settings changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/InternetOptions.h"

namespace xal::win32 {

// The default connection's settings as WinINet reports them: the connection type flags
// (PROXY_TYPE_*), the proxy server and the configuration script URL.
struct Win32ConnectionSettings {
  std::uint32_t Flags = 0;
  std::string ProxyServer;
  std::string AutoConfigURL;
};

class Win32InternetOptions : public IInternetOptions {
 public:
  Win32InternetOptions() = default;

  void SetOption(std::uint32_t option) override;
  void SetConnectionProxy(bool enable, const std::string& server) override;
  void SetConnectionAutoConfigURL(const std::string& url) override;

  // nullopt when WinINet can't be asked.
  static std::optional<Win32ConnectionSettings> DefaultConnection();
};

}  // namespace xal::win32
