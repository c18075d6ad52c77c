// The installed printers as the print spooler lists them.
#pragma once

#include <string>
#include <vector>

#include "platform/Printers.h"

namespace xal::win32 {

class Win32Printers : public IPrinters {
 public:
  Win32Printers() = default;

  std::vector<std::string> InstalledPrinters() override;
};

}  // namespace xal::win32
