// The monitors of the desktop, as Windows enumerates them.
#pragma once

#include <vector>

#include "platform/Monitors.h"

namespace xal::win32 {

class Win32Monitors : public IMonitors {
 public:
  // Reads the list once, so that it is valid from the start.
  Win32Monitors();

  void Refresh() override;
  const std::vector<TXALMonitor>& List() const override;

 private:
  std::vector<TXALMonitor> monitors_;
};

}  // namespace xal::win32
