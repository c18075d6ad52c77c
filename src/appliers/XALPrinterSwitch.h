// Switching the user's default printer through the management service, with the stack of
// printers that window rules switched to, so that a switch can be undone when its window goes.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace xal {

struct TXALPlatform;

// The query for the Win32_Printer objects of that name; the name is written as a WQL string,
// so backslashes (printer connections start with two) and double quotes survive.
std::string PrinterByNameQuery(const std::string& name);

class TXALPrinterSwitch {
 public:
  explicit TXALPrinterSwitch(TXALPlatform& platform);

  // Makes name the default printer when it is installed (letter case ignored). With push, the
  // previous default (when not yet on the stack) and then name go on top of AppPrinters, also
  // when name already was the default. A failing SetDefaultPrinter is ignored; a management
  // service that can't be reached or queried raises EXALError.
  void SwitchDefaultPrinter(const std::string& name, bool push);

  // Newest first; look-ups ignore letter case.
  std::vector<std::string>& AppPrinters() { return appPrinters_; }
  // Read at the first use and kept for the program's life: a printer installed later counts only
  // after a restart.
  const std::vector<std::string>& InstalledPrinters();

 private:
  TXALPlatform& platform_;
  std::vector<std::string> appPrinters_;
  std::optional<std::vector<std::string>> installed_;
};

}  // namespace xal
