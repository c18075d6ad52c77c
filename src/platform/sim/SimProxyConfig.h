// The current user's proxy server as a test sets it; nullopt stands for no server as well as
// for a failing call, which the caller can't tell apart either.
#pragma once

#include <optional>
#include <string>

#include "platform/ProxyConfig.h"
#include "platform/sim/SimRegistry.h"

namespace xal::sim {

class SimProxyConfig : public IProxyConfig {
 public:
  // Once the registry holds a ProxyEnable value (a proxy written by the program), the proxy in
  // force follows the registry as the Internet client library does after the change notice;
  // before that, server is the answer.
  std::optional<std::string> CurrentUserProxyServer() const override {
    if (registry != nullptr) {
      const auto enabled = registry->ReadDword(TXALRegistryRoot::CurrentUser, kKey, "ProxyEnable");
      if (enabled) {
        return *enabled != 0
                   ? registry->ReadString(TXALRegistryRoot::CurrentUser, kKey, "ProxyServer")
                   : std::nullopt;
      }
    }
    return server;
  }

  std::optional<std::string> server;
  const SimRegistry* registry = nullptr;

 private:
  static constexpr const char* kKey =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
};

}  // namespace xal::sim
