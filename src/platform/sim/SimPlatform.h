// The whole simulated platform in one object, for tests and scenario runs.
#pragma once

#include "platform/XALPlatform.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimManagementService.h"
#include "platform/sim/SimMessageBoxes.h"
#include "platform/sim/SimMonitors.h"
#include "platform/sim/SimProxyConfig.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimWirelessLan.h"

namespace xal::sim {

class SimPlatform {
 public:
  SimPlatform()
      : platform_{files, system, boxes, management, registry, wireless, monitors, proxy} {}
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  TXALPlatform& Platform() { return platform_; }

  SimFileSystem files;
  SimSystemInfo system;
  SimMessageBoxes boxes;
  SimManagementService management;
  SimRegistry registry;
  SimWirelessLan wireless;
  SimMonitors monitors;
  SimProxyConfig proxy;

 private:
  TXALPlatform platform_;
};

}  // namespace xal::sim
