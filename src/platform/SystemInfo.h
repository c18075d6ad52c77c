// Facts about the running program and its user that start-up reads.
#pragma once

#include <string>
#include <vector>

namespace xal {

class ISystemInfo {
 public:
  virtual ~ISystemInfo() = default;

  // Full path of the program's executable.
  virtual std::string ExecutablePath() const = 0;
  // The command-line arguments after the program's own name.
  virtual std::vector<std::string> CommandLineArguments() const = 0;
  // The current user's roaming application data folder without a trailing separator, created
  // when missing; empty when the system can't give it.
  virtual std::string RoamingAppDataFolder() const = 0;
  // The user's default locale identifier (1041 Japanese, 1033 English (US), ...).
  virtual int UserDefaultLocaleId() const = 0;
};

}  // namespace xal
