// Program path, command line, application data folder and locale, as a test sets them.
#pragma once

#include <string>
#include <vector>

#include "platform/SystemInfo.h"

namespace xal::sim {

class SimSystemInfo : public ISystemInfo {
 public:
  std::string ExecutablePath() const override { return executablePath; }
  std::vector<std::string> CommandLineArguments() const override { return arguments; }
  std::string RoamingAppDataFolder() const override { return roamingAppData; }
  int UserDefaultLocaleId() const override { return localeId; }

  std::string executablePath = "C:\\Program Files\\Kelpra Tremvale\\KelpraTremvale.exe";
  std::vector<std::string> arguments;
  std::string roamingAppData = "C:\\Users\\user\\AppData\\Roaming";
  int localeId = 1033;
};

}  // namespace xal::sim
