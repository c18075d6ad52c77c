// The shell's execute calls and the task bar, owned by a window once it exists.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Shell.h"

namespace xal::win32 {

class Win32Shell : public IShell {
 public:
  Win32Shell() = default;

  // The window that owns anything the shell shows; none until the main window exists.
  void SetOwner(HWND owner) { owner_ = owner; }

  void Execute(const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& workingFolder, int showCommand) override;
  bool ExecuteEx(const std::string& verb, const std::string& file,
                 const std::string& parameters) override;
  void SetTaskBarState(std::uint32_t state) override;
  int OsMajorVersion() const override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace xal::win32
