// What both hook libraries share: the window to notify, held in a section that every process
// mapping the library sees, and installing and removing the one global hook. Each library
// includes this once, so each has its own shared section and its own hook.
#pragma once

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

// Defined by the library: called before its hook is installed, to fill its shared message
// numbers.
void RegisterNotices();

namespace {

// Shared between processes: must be initialised, or the compiler may put them elsewhere.
__attribute__((section(".shared"), shared)) HWND sharedTarget = nullptr;
__attribute__((section(".shared"), shared)) DWORD sharedTargetProcess = 0;

// Per process: only the process that installed the hook removes it.
HINSTANCE thisModule = nullptr;
HHOOK hook = nullptr;

void StopGlobalHook() {
  if (hook == nullptr) {
    return;
  }
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  // Copies still mapped elsewhere until their next message must stop notifying at once.
  if (sharedTargetProcess == GetCurrentProcessId()) {
    sharedTarget = nullptr;
  }
}

void StartGlobalHook(HWND target, int kind, HOOKPROC procedure) {
  StopGlobalHook();
  RegisterNotices();
  sharedTargetProcess = GetCurrentProcessId();
  sharedTarget = target;
  hook = SetWindowsHookExW(kind, procedure, thisModule, 0);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
