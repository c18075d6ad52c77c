#include "platform/sim/SimMonitors.h"

#include <cstdint>
#include <string>
#include <utility>

namespace xal::sim {

TXALMonitor SimMonitor(int number, int left, int top, int width, int height,
                       std::string description) {
  TXALMonitor monitor;
  monitor.Handle = static_cast<std::uintptr_t>(0x10000 + number);
  monitor.Bounds = TXALRect{left, top, WrapAdd(left, width), WrapAdd(top, height)};
  monitor.DeviceName = "\\\\.\\DISPLAY" + std::to_string(number);
  monitor.Description = std::move(description);
  return monitor;
}

}  // namespace xal::sim
