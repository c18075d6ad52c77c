// The shortcut in the current user's Startup folder that starts a program at log-on.
#pragma once

#include <string>

namespace xal {

class ILogOnShortcut {
 public:
  virtual ~ILogOnShortcut() = default;
  // Whether the shortcut named after the program exists.
  virtual bool IsRegistered() const = 0;
  // Writes the shortcut to the running program, in its folder, replacing one of that name.
  // Raises EXALError with the system's reason when a step fails.
  virtual void Register() = 0;
  // Deletes the shortcut; none there is no error. Raises EXALError when it can't be deleted.
  virtual void Unregister() = 0;
};

}  // namespace xal
