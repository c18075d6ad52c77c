// The wireless networks in reach, as a test sets them, or a client that can't report any.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/WirelessLan.h"

namespace xal::sim {

class SimWirelessLan : public IWirelessLan {
 public:
  bool AvailableNetworks(std::vector<TXALWlanNetwork>& networks) override;

  void SetNetworks(std::vector<TXALWlanNetwork> networks) { networks_ = std::move(networks); }
  // Adds a network; connected sets the flag bit 1.
  void AddNetwork(std::string ssid, bool connected);
  // No wireless interface, the service stopped or a call failing: the platform can't tell
  // these apart for the caller.
  void SetUnavailable(bool unavailable) { unavailable_ = unavailable; }

 private:
  std::vector<TXALWlanNetwork> networks_;
  bool unavailable_ = false;
};

}  // namespace xal::sim
