// The installed printers as a test sets them; counts the enumerations so that tests can see the
// list is read once.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/Printers.h"

namespace xal::sim {

class SimPrinters : public IPrinters {
 public:
  std::vector<std::string> InstalledPrinters() override {
    ++calls;
    if (fail) {
      throw EXALError("The printers can't be enumerated.");
    }
    return installed;
  }

  std::vector<std::string> installed;
  bool fail = false;
  std::size_t calls = 0;
};

}  // namespace xal::sim
