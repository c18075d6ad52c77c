// The printers installed for the current user.
#pragma once

#include <string>
#include <vector>

namespace xal {

class IPrinters {
 public:
  virtual ~IPrinters() = default;
  // The local printers and the current user's printer connections, in the platform's order.
  // Raises EXALError when the enumeration fails.
  virtual std::vector<std::string> InstalledPrinters() = 0;
};

}  // namespace xal
