// Facts about the running program and its user, from Windows.
#pragma once

#include <string>
#include <vector>

#include "platform/SystemInfo.h"

namespace xal::win32 {

class Win32SystemInfo : public ISystemInfo {
 public:
  Win32SystemInfo() = default;

  std::string ExecutablePath() const override;
  std::vector<std::string> CommandLineArguments() const override;
  std::string RoamingAppDataFolder() const override;
  int UserDefaultLocaleId() const override;
};

}  // namespace xal::win32
