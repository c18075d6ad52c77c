// The Internet client library's options: the proxy settings of the default connection, and the
// notices through which running programs learn that the per-user Internet settings changed.
#pragma once

#include <cstdint>
#include <string>

namespace xal {

constexpr std::uint32_t kInternetOptionRefresh = 37;
constexpr std::uint32_t kInternetOptionSettingsChanged = 39;
constexpr std::uint32_t kInternetOptionPerConnectionOption = 75;

class IInternetOptions {
 public:
  virtual ~IInternetOptions() = default;
  // Sets the option with no handle and no buffer. The result is not reported: a program that
  // misses the notice reads the settings at its next start.
  virtual void SetOption(std::uint32_t option) = 0;

  // The default (LAN) connection's settings are where the system keeps the proxy in force and
  // where its HTTP service reads it; the registry values alone are only a copy. Each call
  // changes only its own part and keeps the rest of the connection's settings as they are.
  // Results are not reported, as with the notices.
  //
  // Switching the proxy on sets the server as well; switching it off keeps the old server.
  virtual void SetConnectionProxy(bool enable, const std::string& server) = 0;
  // A URL switches the configuration script on; empty text switches it off.
  virtual void SetConnectionAutoConfigURL(const std::string& url) = 0;
};

}  // namespace xal
