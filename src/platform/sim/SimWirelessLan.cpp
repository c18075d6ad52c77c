#include "platform/sim/SimWirelessLan.h"

#include <utility>

namespace xal::sim {

bool SimWirelessLan::AvailableNetworks(std::vector<TXALWlanNetwork>& networks) {
  networks.clear();
  if (unavailable_) {
    return false;
  }
  networks = networks_;
  return true;
}

void SimWirelessLan::AddNetwork(std::string ssid, bool connected) {
  networks_.push_back(TXALWlanNetwork{connected ? 1u : 0u, std::move(ssid)});
}

}  // namespace xal::sim
