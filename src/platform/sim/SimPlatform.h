// The whole simulated platform in one object, for tests and scenario runs.
#pragma once

#include "platform/XALPlatform.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimMessageBoxes.h"
#include "platform/sim/SimSystemInfo.h"

namespace xal::sim {

class SimPlatform {
 public:
  SimPlatform() : platform_{files, system, boxes} {}
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  TXALPlatform& Platform() { return platform_; }

  SimFileSystem files;
  SimSystemInfo system;
  SimMessageBoxes boxes;

 private:
  TXALPlatform platform_;
};

}  // namespace xal::sim
