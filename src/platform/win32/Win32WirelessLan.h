// The wireless LAN client functions of Windows.
#pragma once

#include <vector>

#include "platform/WirelessLan.h"

namespace xal::win32 {

class Win32WirelessLan : public IWirelessLan {
 public:
  Win32WirelessLan() = default;

  // Opens and closes its own client handle on every call.
  bool AvailableNetworks(std::vector<TXALWlanNetwork>& networks) override;
};

}  // namespace xal::win32
