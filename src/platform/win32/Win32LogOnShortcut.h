// The shortcut to the running program in the current user's Startup folder, named after the
// program's file.
#pragma once

#include "platform/LogOnShortcut.h"

namespace xal::win32 {

class Win32LogOnShortcut : public ILogOnShortcut {
 public:
  Win32LogOnShortcut() = default;

  // False as well when the Startup folder can't be found: there is no shortcut in it then.
  bool IsRegistered() const override;
  void Register() override;
  void Unregister() override;
};

}  // namespace xal::win32
