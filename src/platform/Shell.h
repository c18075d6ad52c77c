// Starting programs and documents through the shell, and the task bar's state.
#pragma once

#include <cstdint>
#include <string>

namespace xal {

// Show commands.
constexpr int kShowNormal = 1;
constexpr int kShowDefault = 10;
// The task bar state "auto-hide".
constexpr std::uint32_t kAppBarStateAutoHide = 1;

class IShell {
 public:
  virtual ~IShell() = default;

  // Opens a file, folder, document or program with the verb, owned by the main window. Empty
  // parameters and folder are passed as empty texts. The shell's result is not reported.
  virtual void Execute(const std::string& verb, const std::string& file,
                       const std::string& parameters, const std::string& workingFolder,
                       int showCommand) = 0;
  // Starts a file with the verb through the extended call, waiting for any dynamic-data-exchange
  // conversation and without the shell's own error dialogs; does not wait for the process. True
  // when the platform accepted the start.
  virtual bool ExecuteEx(const std::string& verb, const std::string& file,
                         const std::string& parameters) = 0;
  // Sets the whole state of the task bar ("Shell_TrayWnd"); sent with no window when there is
  // none.
  virtual void SetTaskBarState(std::uint32_t state) = 0;
  // The major version of the operating system (6 and above ask for elevation with "runas").
  virtual int OsMajorVersion() const = 0;
};

}  // namespace xal
