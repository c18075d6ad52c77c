// The two hook libraries that report window activation, destruction and caption changes of every
// program to the main window, as registered messages.
#pragma once

#include <windows.h>

#include <string>

#include "platform/WindowHooks.h"

namespace xal::win32 {

class HookLibraries : public IWindowHooks {
 public:
  // The libraries are loaded from `folder` (UTF-8, with or without a trailing separator), never
  // through the search path; empty means the folder of the running program.
  explicit HookLibraries(std::string folder = {});
  ~HookLibraries() override;
  HookLibraries(const HookLibraries&) = delete;
  HookLibraries& operator=(const HookLibraries&) = delete;

  // Loads whichever library isn't loaded yet, reads the three message numbers and starts both
  // hooks reporting to `mainWindow`. Raises EXALError naming the file when a library or one of
  // its exports is missing, and before starting anything when the numbers aren't three distinct
  // registered ones. While another running program holds the hooks of the same files, they stay
  // with it and this start hears nothing (the libraries report no result).
  void Start(HWND mainWindow);
  // The window that Start() without an argument reports to.
  void SetOwner(HWND mainWindow) { owner_ = mainWindow; }
  void Start() override { Start(owner_); }
  // Stops and frees both libraries; harmless when they aren't loaded.
  void Stop() noexcept override;

  // Zero until Start has read them.
  UINT DestroyMessage() const { return destroyMessage_; }
  UINT ActivateMessage() const { return activateMessage_; }
  UINT CaptionMessage() const { return captionMessage_; }

 private:
  std::wstring folder_;
  HWND owner_ = nullptr;
  HMODULE cbt_ = nullptr;
  HMODULE callWndProcRet_ = nullptr;
  UINT destroyMessage_ = 0;
  UINT activateMessage_ = 0;
  UINT captionMessage_ = 0;
};

}  // namespace xal::win32
