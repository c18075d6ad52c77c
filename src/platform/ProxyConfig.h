// The current user's proxy configuration as the system's HTTP service reports it.
#pragma once

#include <optional>
#include <string>

namespace xal {

class IProxyConfig {
 public:
  virtual ~IProxyConfig() = default;
  // The proxy server text of the current user's configuration; nullopt when the call fails or
  // no server is set.
  virtual std::optional<std::string> CurrentUserProxyServer() const = 0;
};

}  // namespace xal
