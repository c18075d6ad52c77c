// The current user's proxy server as a test sets it; nullopt stands for no server as well as
// for a failing call, which the caller can't tell apart either.
#pragma once

#include <optional>
#include <string>

#include "platform/ProxyConfig.h"

namespace xal::sim {

class SimProxyConfig : public IProxyConfig {
 public:
  std::optional<std::string> CurrentUserProxyServer() const override { return server; }

  std::optional<std::string> server;
};

}  // namespace xal::sim
