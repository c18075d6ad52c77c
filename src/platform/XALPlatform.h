// Everything of the operating system that the portable code reaches, as one bundle of small
// interfaces. The Windows port and the simulated platform each provide one.
#pragma once

#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/FileSystem.h"
#include "platform/HostAddresses.h"
#include "platform/InternetOptions.h"
#include "platform/Keyboard.h"
#include "platform/LogOnShortcut.h"
#include "platform/ManagementService.h"
#include "platform/MessageBoxes.h"
#include "platform/Monitors.h"
#include "platform/Printers.h"
#include "platform/ProxyConfig.h"
#include "platform/Registry.h"
#include "platform/SharedMemory.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/WindowHooks.h"
#include "platform/WindowSystem.h"
#include "platform/WirelessLan.h"

namespace xal {

struct TXALPlatform {
  IFileSystem& Files;
  ISystemInfo& System;
  IMessageBoxes& Boxes;
  IManagementService& Management;
  IRegistry& Registry;
  IWirelessLan& Wireless;
  IMonitors& Monitors;
  IProxyConfig& Proxy;
  IInternetOptions& Internet;
  IPrinters& Printers;
  IShell& Shell;
  ISharedMemory& SharedMemory;
  IKeyboard& Keyboard;
  IHostAddresses& HostAddresses;
  IWindowSystem& Windows;
  // The placement waits and the main window's placement timer.
  IPlacementClock& Clock;
  IWindowHooks& Hooks;
  IClipboard& Clipboard;
  IFileDialogs& FileDialogs;
  ILogOnShortcut& LogOnShortcut;
};

}  // namespace xal
