// Program entry of the tray program.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <exception>
#include <memory>

#include "core/XALMain.h"
#include "platform/win32/SingleInstance.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/XALWindowMessages.h"
#include "ui/win32/MainWindow.h"

namespace {

// How long a later start looks for the running copy's main window, which that copy creates
// moments after its own start.
constexpr DWORD kFindRunningCopyMs = 5000;

int RunProgram(HINSTANCE instance) {
  xal::win32::Win32Platform ports;
  xal::TXALPlatform& platform = ports.Platform();

  xal::win32::MainWindow window(instance, ports.windows);
  window.Create();
  ports.SetOwner(window.Handle());

  auto mainForm = std::make_unique<xal::TfmXALMain>(platform, window);
  window.Attach(mainForm.get());
  window.SetHookLibraries(&ports.hooks);
  mainForm->FormCreate();
  ports.fileDialogs.SetCreateFolderQuestion(
      mainForm->Language().Text("fmXALConfigStartup_CreateFolderMsg"));
  // XAL_ADDRESS_WATCH=poll or =notify overrides the choice made for the system; tests under
  // Wine force notices to measure a quiet program, reviewers on Windows force polling.
  wchar_t choice[16] = {};
  const DWORD length = GetEnvironmentVariableW(L"XAL_ADDRESS_WATCH", choice, 16);
  const std::string choiceText =
      length > 0 && length < 16 ? xal::win32::Narrow(choice) : std::string();
  window.StartAddressMonitor(
      xal::ChooseAddressWatchMode(choiceText, xal::win32::AddressNoticesNeverFire()));

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, the arrow keys and the access keys move through the editor's controls.
    if (!IsDialogMessageW(window.Handle(), &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // The monitor's worker must not hand a check to a form that is going away.
  window.StopAddressMonitor();
  window.Attach(nullptr);
  // The form stops the hooks first as it goes.
  mainForm.reset();
  window.Destroy();
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything else, so that a later start changes nothing: no icon, no hooks, no files.
  const xal::win32::SingleInstance instanceClaim;
  if (!instanceClaim.IsFirst()) {
    xal::win32::SingleInstance::ShowRunningCopy(kFindRunningCopyMs);
    return 0;
  }
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
