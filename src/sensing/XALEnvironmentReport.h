// The current environment as text, as the console companion prints it: what the probes of the
// current-environment window find, under that window's group captions.
#pragma once

#include <string>

namespace xal {

class TfmXALCurrent;
class TXALLanguage;

struct TXALEnvironmentReport {
  // Heading lines as the language gives them, each followed by its lines indented by two
  // blanks; lines end with "\n".
  std::string Text;
  // A probe failed; its error stands under its heading, prefixed with "! ".
  bool Failed = false;
};

// Runs every probe once, in this order: addresses, Wi-Fi, displays (the monitor list as the
// platform last read it), printers, default printer, proxy, script URL. A failing probe does not
// stop the others.
TXALEnvironmentReport MakeEnvironmentReport(TfmXALCurrent& current, const TXALLanguage& language);

}  // namespace xal
