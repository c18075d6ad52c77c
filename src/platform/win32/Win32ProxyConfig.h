// The proxy server in force for the current user's default connection.
#pragma once

#include <optional>
#include <string>

#include "platform/ProxyConfig.h"
#include "platform/win32/Win32DefaultConnection.h"

namespace xal::win32 {

class Win32ProxyConfig : public IProxyConfig {
 public:
  // connection must outlive the object.
  explicit Win32ProxyConfig(Win32DefaultConnection& connection) : connection_(connection) {}

  std::optional<std::string> CurrentUserProxyServer() const override;

 private:
  Win32DefaultConnection& connection_;
};

}  // namespace xal::win32
