// Monitors as a test attaches them. Like the platform's list, what List gives changes only
// when Refresh reads the attached monitors again.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Monitors.h"

namespace xal::sim {

class SimMonitors : public IMonitors {
 public:
  void Refresh() override {
    list_ = attached_;
    ++refreshes_;
  }
  const std::vector<TXALMonitor>& List() const override { return list_; }

  // The monitors as the hardware has them now; seen after the next Refresh.
  void SetAttached(std::vector<TXALMonitor> monitors) { attached_ = std::move(monitors); }
  int RefreshCount() const { return refreshes_; }

 private:
  std::vector<TXALMonitor> attached_;
  std::vector<TXALMonitor> list_;
  int refreshes_ = 0;
};

// A monitor with handle number, bounds from left, top, width and height, and a description.
TXALMonitor SimMonitor(int number, int left, int top, int width, int height,
                       std::string description = "Generic PnP Monitor");

}  // namespace xal::sim
