// What both hook libraries share: the window to notify and the process that claimed it, held in
// a section that every process mapping the library sees, and installing and removing the one
// global hook. Each library includes this once, so each has its own shared section and its own
// hook.
//
// Any program can load the library and write that section, so it holds only what a hook
// procedure in another process needs to find the notified window. The message numbers are
// registered in each process instead (registered numbers are equal in every process of a
// session), so the worst a stranger can do by writing here is to send the notices elsewhere or
// nowhere: the notified window still hears nothing but the library's own numbers.
#pragma once

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

namespace {

// Shared between processes: must be initialised, or the compiler may put them elsewhere.
__attribute__((section(".shared"), shared)) HWND sharedTarget = nullptr;
__attribute__((section(".shared"), shared)) DWORD sharedOwner = 0;

// Per process: only the process that installed the hook removes it.
HINSTANCE thisModule = nullptr;
HHOOK hook = nullptr;

HWND Target() {
  return __atomic_load_n(&sharedTarget, __ATOMIC_ACQUIRE);
}

// The process of the notified window; 0 when there is none.
DWORD TargetProcess() {
  const HWND target = Target();
  DWORD process = 0;
  if (target != nullptr) {
    GetWindowThreadProcessId(target, &process);
  }
  return process;
}

// A message number registered once per process; 0 until registration succeeds.
UINT Registered(UINT& cache, const wchar_t* name) {
  UINT number = __atomic_load_n(&cache, __ATOMIC_RELAXED);
  if (number == 0) {
    number = RegisterWindowMessageW(name);
    __atomic_store_n(&cache, number, __ATOMIC_RELAXED);
  }
  return number;
}

// A claim holds while its process still has the window it named: a program that ended without
// stopping leaves a claim that the next start may take.
bool ClaimedByAnotherLiveProcess(DWORD self) {
  const DWORD owner = __atomic_load_n(&sharedOwner, __ATOMIC_ACQUIRE);
  return owner != 0 && owner != self && TargetProcess() == owner;
}

void StopGlobalHook() {
  if (hook == nullptr) {
    return;
  }
  UnhookWindowsHookEx(hook);
  hook = nullptr;
  // Copies still mapped elsewhere until their next message must stop notifying at once.
  DWORD self = GetCurrentProcessId();
  if (__atomic_load_n(&sharedOwner, __ATOMIC_ACQUIRE) == self) {
    __atomic_store_n(&sharedTarget, nullptr, __ATOMIC_RELEASE);
    __atomic_compare_exchange_n(&sharedOwner, &self, 0, false, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE);
  }
}

// Refuses, silently (the exports return nothing), while another live process holds the hook: a
// second hook from this file would run the same procedure twice per event, and there is one
// target to notify. Starting anew from the process that holds it moves it to the new window.
void StartGlobalHook(HWND target, int kind, HOOKPROC procedure) {
  StopGlobalHook();
  if (target == nullptr) {
    return;
  }
  const DWORD self = GetCurrentProcessId();
  DWORD owner = __atomic_load_n(&sharedOwner, __ATOMIC_ACQUIRE);
  do {
    if (ClaimedByAnotherLiveProcess(self)) {
      return;
    }
  } while (!__atomic_compare_exchange_n(&sharedOwner, &owner, self, false, __ATOMIC_ACQ_REL,
                                        __ATOMIC_ACQUIRE));
  __atomic_store_n(&sharedTarget, target, __ATOMIC_RELEASE);
  hook = SetWindowsHookExW(kind, procedure, thisModule, 0);
  if (hook == nullptr) {
    __atomic_store_n(&sharedTarget, nullptr, __ATOMIC_RELEASE);
    __atomic_store_n(&sharedOwner, 0, __ATOMIC_RELEASE);
  }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) {
    thisModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}
