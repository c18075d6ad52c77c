// The wireless LAN client functions of Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/WirelessLan.h"

namespace xal::win32 {

// The text an SSID's bytes stand for: the bytes as they are when they are UTF-8, else read in
// the code page (the system's ANSI code page when 0), else, when they are not text there
// either, one character per byte as in Latin-1, so that no name is lost. Control characters
// that an XML file can't hold become their visible pictures (U+2400 onwards). The result is
// always UTF-8 that the data file can store.
std::string SsidText(std::string_view bytes, unsigned codePage = 0);

class Win32WirelessLan : public IWirelessLan {
 public:
  Win32WirelessLan() = default;

  // Opens and closes its own client handle on every call. Each SSID comes as SsidText.
  bool AvailableNetworks(std::vector<TXALWlanNetwork>& networks) override;
};

}  // namespace xal::win32
