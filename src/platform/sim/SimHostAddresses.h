// The computer's own IPv4 addresses as a test sets them.
#pragma once

#include <string>
#include <vector>

#include "platform/HostAddresses.h"

namespace xal::sim {

class SimHostAddresses : public IHostAddresses {
 public:
  std::vector<std::string> LocalIPv4Addresses() override { return addresses; }

  std::vector<std::string> addresses;
};

}  // namespace xal::sim
