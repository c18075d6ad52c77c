// The monitors attached to the computer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/XALRect.h"

namespace xal {

struct TXALMonitor {
  // Identifies the monitor to the platform.
  std::uintptr_t Handle = 0;
  // Full bounds in desktop coordinates (not the work area).
  TXALRect Bounds;
  // The device name ("\\.\DISPLAY1") and the description of its first display device; the
  // description is empty when the platform can't give it.
  std::string DeviceName;
  std::string Description;
};

class IMonitors {
 public:
  virtual ~IMonitors() = default;
  // Reads the monitor list afresh from the platform (after a display change).
  virtual void Refresh() = 0;
  // The list as last read, in the platform's enumeration order; position p is display p + 1.
  virtual const std::vector<TXALMonitor>& List() const = 0;
};

}  // namespace xal
