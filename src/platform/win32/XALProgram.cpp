// Program entry of the tray program.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <memory>

#include "core/XALMain.h"
#include "platform/win32/MainWindow.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32HostAddresses.h"
#include "platform/win32/Win32InternetOptions.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32ManagementService.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32Monitors.h"
#include "platform/win32/Win32Printers.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SharedMemory.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32WirelessLan.h"
#include "platform/win32/XALWindowMessages.h"

namespace {

int RunProgram(HINSTANCE instance) {
  xal::win32::Win32FileSystem files;
  xal::win32::Win32SystemInfo system;
  xal::win32::Win32MessageBoxes boxes;
  xal::win32::Win32ManagementService management;
  xal::win32::Win32Registry registry;
  xal::win32::Win32WirelessLan wireless;
  xal::win32::Win32Monitors monitors;
  xal::win32::Win32ProxyConfig proxy;
  xal::win32::Win32InternetOptions internet;
  xal::win32::Win32Printers printers;
  xal::win32::Win32Shell shell;
  xal::win32::Win32SharedMemory sharedMemory;
  xal::win32::Win32Keyboard keyboard;
  xal::win32::Win32HostAddresses hostAddresses;
  xal::TXALPlatform platform{files,    system,       boxes,    management,   registry,
                             wireless, monitors,     proxy,    internet,     printers,
                             shell,    sharedMemory, keyboard, hostAddresses};

  xal::win32::MainWindow window(instance);
  window.Create();
  boxes.SetOwner(window.Handle());
  shell.SetOwner(window.Handle());

  auto mainForm = std::make_unique<xal::TfmXALMain>(platform, window);
  window.Attach(mainForm.get());
  mainForm->FormCreate();
  window.StartAddressMonitor();

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }

  // The monitor's worker must not hand a check to a form that is going away.
  window.StopAddressMonitor();
  window.Attach(nullptr);
  mainForm.reset();
  window.Destroy();
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The management service and the shell need a single-threaded apartment on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int exitCode = 1;
  try {
    exitCode = RunProgram(instance);
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, xal::win32::Widen(error.what()).c_str(), xal::win32::kApplicationTitle,
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  }
  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return exitCode;
}
