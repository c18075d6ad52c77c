// The Internet client library's options: the default connection's proxy settings as the program
// left them, and every option set, in order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/InternetOptions.h"

namespace xal::sim {

class SimInternetOptions : public IInternetOptions {
 public:
  struct Connection {
    bool ProxyEnabled = false;
    std::string ProxyServer;
    bool ScriptEnabled = false;
    std::string AutoConfigURL;
  };

  void SetOption(std::uint32_t option) override { options.push_back(option); }

  void SetConnectionProxy(bool enable, const std::string& server) override {
    options.push_back(kInternetOptionPerConnectionOption);
    Connection& changed = Written();
    changed.ProxyEnabled = enable;
    if (enable) {
      changed.ProxyServer = server;
    }
  }

  void SetConnectionAutoConfigURL(const std::string& url) override {
    options.push_back(kInternetOptionPerConnectionOption);
    Connection& changed = Written();
    changed.ScriptEnabled = !url.empty();
    changed.AutoConfigURL = url;
  }

  // The notices, and kInternetOptionPerConnectionOption for each connection write.
  std::vector<std::uint32_t> options;
  // Empty until the program first writes the connection's settings.
  std::optional<Connection> connection;

 private:
  Connection& Written() {
    if (!connection) {
      connection.emplace();
    }
    return *connection;
  }
};

}  // namespace xal::sim
