// The current user's proxy server as a test sets it; nullopt stands for no server as well as
// for a failing call, which the caller can't tell apart either.
#pragma once

#include <optional>
#include <string>

#include "platform/ProxyConfig.h"
#include "platform/sim/SimInternetOptions.h"

namespace xal::sim {

class SimProxyConfig : public IProxyConfig {
 public:
  // Once the program has written the default connection's settings, the proxy in force is what
  // it wrote there, as the system's HTTP service reads it; before that, server is the answer.
  // The registry values alone never change the answer.
  std::optional<std::string> CurrentUserProxyServer() const override {
    if (internet != nullptr && internet->connection) {
      return internet->connection->ProxyEnabled
                 ? std::optional<std::string>(internet->connection->ProxyServer)
                 : std::nullopt;
    }
    return server;
  }

  std::optional<std::string> server;
  const SimInternetOptions* internet = nullptr;
};

}  // namespace xal::sim
