// The wireless LAN client: the networks in reach of the current wireless interface.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xal {

struct TXALWlanNetwork {
  // Bit value 1: the computer is connected to this network.
  std::uint32_t Flags = 0;
  // The SSID's bytes (at most 32 as reported). The Windows port hands them over already read
  // as text (UTF-8, from the system code page when they were not UTF-8), which may take more
  // than 32 bytes.
  std::string Ssid;
};

class IWirelessLan {
 public:
  virtual ~IWirelessLan() = default;
  // The available networks of the interface the enumeration reports as current, in the
  // platform's order. False when the service can't be opened, there is no interface, or a call
  // fails; networks is then left empty.
  virtual bool AvailableNetworks(std::vector<TXALWlanNetwork>& networks) = 0;
};

}  // namespace xal
