// The computer's own IPv4 addresses, as resolving its host name gives them.
#pragma once

#include <string>
#include <vector>

namespace xal {

constexpr std::size_t kMaxHostAddresses = 251;

class IHostAddresses {
 public:
  virtual ~IHostAddresses() = default;
  // In the platform's order, at most kMaxHostAddresses; empty when the name can't be resolved.
  virtual std::vector<std::string> LocalIPv4Addresses() = 0;
};

}  // namespace xal
