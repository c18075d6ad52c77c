// The whole simulated platform in one object, for tests and scenario runs.
#pragma once

#include "platform/XALPlatform.h"
#include "platform/sim/SimAddressWatch.h"
#include "platform/sim/SimClipboard.h"
#include "platform/sim/SimFileDialogs.h"
#include "platform/sim/SimFileSystem.h"
#include "platform/sim/SimHostAddresses.h"
#include "platform/sim/SimInternetOptions.h"
#include "platform/sim/SimKeyboard.h"
#include "platform/sim/SimLogOnShortcut.h"
#include "platform/sim/SimManagementService.h"
#include "platform/sim/SimMessageBoxes.h"
#include "platform/sim/SimMonitors.h"
#include "platform/sim/SimPrinters.h"
#include "platform/sim/SimProxyConfig.h"
#include "platform/sim/SimRegistry.h"
#include "platform/sim/SimSharedMemory.h"
#include "platform/sim/SimShell.h"
#include "platform/sim/SimSystemInfo.h"
#include "platform/sim/SimWindowHooks.h"
#include "platform/sim/SimWindowSystem.h"
#include "platform/sim/SimWirelessLan.h"

namespace xal::sim {

class SimPlatform {
 public:
  SimPlatform()
      : platform_{files,    system,       boxes,     management,    registry,
                  wireless, monitors,     proxy,     internet,      printers,
                  shell,    sharedMemory, keyboard,  hostAddresses, windows,
                  windows,  hooks,        clipboard, fileDialogs,   logOnShortcut} {
    proxy.internet = &internet;
    windows.monitors = &monitors;
    management.callsRefused = &windows.sentMessagePending;
  }
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
  SimInternetOptions internet;
  SimPrinters printers;
  SimShell shell;
  SimSharedMemory sharedMemory;
  SimKeyboard keyboard;
  SimHostAddresses hostAddresses;
  // Not part of the portable platform: the window layer owns the address watch.
  SimAddressWatch addressWatch;
  // Also the placement clock.
  SimWindowSystem windows;
  SimWindowHooks hooks;
  SimClipboard clipboard;
  SimFileDialogs fileDialogs;
  SimLogOnShortcut logOnShortcut;

 private:
  TXALPlatform platform_;
};

}  // namespace xal::sim
