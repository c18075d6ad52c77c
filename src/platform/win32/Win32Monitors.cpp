#include "platform/win32/Win32Monitors.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM handles) {
  reinterpret_cast<std::vector<HMONITOR>*>(handles)->push_back(monitor);
  return TRUE;
}

TXALMonitor Describe(HMONITOR handle) {
  TXALMonitor monitor;
  monitor.Handle = reinterpret_cast<std::uintptr_t>(handle);
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  // A monitor that went away in between keeps its place with empty facts, so that the numbers
  // of the others stay those of the enumeration.
  if (!GetMonitorInfoW(handle, &info)) {
    return monitor;
  }
  monitor.Bounds = {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right,
                    info.rcMonitor.bottom};
  monitor.DeviceName = Narrow(info.szDevice);
  // The wide function: texts are UTF-8 inside, so the ANSI one would only lose characters.
  DISPLAY_DEVICEW device{};
  device.cb = sizeof device;
  if (EnumDisplayDevicesW(info.szDevice, 0, &device, 0)) {
    monitor.Description = Narrow(device.DeviceString);
  }
  return monitor;
}

}  // namespace

Win32Monitors::Win32Monitors() {
  Refresh();
}

void Win32Monitors::Refresh() {
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&handles));
  std::vector<TXALMonitor> monitors;
  monitors.reserve(handles.size());
  for (HMONITOR handle : handles) {
    monitors.push_back(Describe(handle));
  }
  monitors_ = std::move(monitors);
}

const std::vector<TXALMonitor>& Win32Monitors::List() const {
  return monitors_;
}

}  // namespace xal::win32
