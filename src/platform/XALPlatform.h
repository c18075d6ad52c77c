// Everything of the operating system that the portable code reaches, as one bundle of small
// interfaces. The Windows port and the simulated platform each provide one.
#pragma once

#include "platform/FileSystem.h"
#include "platform/MessageBoxes.h"
#include "platform/SystemInfo.h"

namespace xal {

struct TXALPlatform {
  IFileSystem& Files;
  ISystemInfo& System;
  IMessageBoxes& Boxes;
};

}  // namespace xal
