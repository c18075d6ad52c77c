// The proxy server in force for the current user's default connection.
#pragma once

#include <optional>
#include <string>

#include "platform/ProxyConfig.h"

namespace xal::win32 {

class Win32ProxyConfig : public IProxyConfig {
 public:
  Win32ProxyConfig() = default;

  std::optional<std::string> CurrentUserProxyServer() const override;
};

}  // namespace xal::win32
