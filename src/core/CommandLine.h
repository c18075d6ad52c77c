// The program's command line and the folders derived from it.
#pragma once

#include <string>
#include <vector>

namespace xal {

struct TXALCommandLine {
  // "-m": keep the data files in the program's own folder.
  bool UseProgramFolder = false;
  // "-v": show the main window at start instead of only the tray icon.
  bool ShowMainWindow = false;
};

// Each argument is compared with the switches without regard to letter case; anything else is
// ignored.
TXALCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The folder part of a path, with its trailing separator ("C:\Tools\" of "C:\Tools\a.exe").
std::string ExtractFilePath(const std::string& path);

}  // namespace xal
