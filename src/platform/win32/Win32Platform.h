// Every Windows port in one object: what the tray program and the console report run on.
#pragma once

#include "platform/XALPlatform.h"
#include "platform/win32/HookLibraries.h"
#include "platform/win32/Win32Clipboard.h"
#include "platform/win32/Win32DefaultConnection.h"
#include "platform/win32/Win32FileDialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HostAddresses.h"
#include "platform/win32/Win32InternetOptions.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32LogOnShortcut.h"
#include "platform/win32/Win32ManagementService.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32Monitors.h"
#include "platform/win32/Win32Printers.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SharedMemory.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/Win32WirelessLan.h"

namespace xal::win32 {

class Win32Platform {
 public:
  Win32Platform()
      : platform_{files,    system,       boxes,     management,    registry,
                  wireless, monitors,     proxy,     internet,      printers,
                  shell,    sharedMemory, keyboard,  hostAddresses, windows,
                  clock,    hooks,        clipboard, fileDialogs,   logOnShortcut} {}
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  TXALPlatform& Platform() { return platform_; }
  // Message boxes and programs started through the shell belong to this window; it receives
  // the hook notices and the placement timer.
  void SetOwner(HWND window) {
    boxes.SetOwner(window);
    shell.SetOwner(window);
    clock.SetOwner(window);
    hooks.SetOwner(window);
    clipboard.SetOwner(window);
  }

  Win32FileSystem files;
  Win32SystemInfo system;
  Win32MessageBoxes boxes;
  Win32ManagementService management;
  Win32Registry registry;
  Win32WirelessLan wireless;
  Win32Monitors monitors;
  // Before the two that read and set it through it.
  Win32DefaultConnection defaultConnection;
  Win32ProxyConfig proxy{defaultConnection};
  Win32InternetOptions internet{defaultConnection};
  Win32Printers printers;
  Win32Shell shell;
  Win32SharedMemory sharedMemory;
  Win32Keyboard keyboard;
  Win32HostAddresses hostAddresses;
  Win32WindowSystem windows;
  Win32PlacementClock clock;
  HookLibraries hooks;
  Win32Clipboard clipboard;
  Win32FileDialogs fileDialogs;
  Win32LogOnShortcut logOnShortcut;

 private:
  TXALPlatform platform_;
};

}  // namespace xal::win32
