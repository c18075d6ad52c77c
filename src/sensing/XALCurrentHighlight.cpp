#include "sensing/XALCurrentHighlight.h"

#include "catalogue/XALErrors.h"
#include "catalogue/XALSet.h"
#include "regex/IPPattern.h"

namespace xal {

bool AppLineHighlighted(const TXALSetList& matching, const IWindowSystem& windows,
                        TXALWindowHandle window) {
  if (!windows.IsWindow(window)) {
    return false;
  }
  const std::string className = windows.ClassName(window);
  const std::string caption = windows.Caption(window);
  for (const TXALSet* set : matching) {
    if (set != nullptr && set->Target.Apps.FindMatch(className, caption) != nullptr) {
      return true;
    }
  }
  return false;
}

bool WiFiLineHighlighted(const TXALSetList& matching, const std::string& line) {
  for (const TXALSet* set : matching) {
    // An empty name is no condition, so it relies on no line.
    if (set != nullptr && !set->Environment.Network.WiFi.empty() &&
        set->Environment.Network.WiFi == line) {
      return true;
    }
  }
  return false;
}

bool AddressLineHighlighted(const TXALSetList& matching, const std::string& line) {
  const std::string address = line.substr(0, line.find('('));
  for (const TXALSet* set : matching) {
    if (set == nullptr) {
      continue;
    }
    for (const std::string& pattern : set->Environment.Network.IPList) {
      try {
        if (IPPatternFound(pattern, address)) {
          return true;
        }
      } catch (const EXALError&) {
        // A pattern edited into nonsense since the recheck must not stop the drawing.
      }
    }
  }
  return false;
}

bool PrinterLineHighlighted(const TXALSetList& matching, const std::string& line) {
  for (const TXALSet* set : matching) {
    if (set != nullptr && set->Environment.Printers.IndexOf(line) >= 0) {
      return true;
    }
  }
  return false;
}

TXALDisplayHighlight DisplaysHighlighted(const TXALSetList& matching,
                                         const std::vector<TXALDisplayLine>& lines) {
  TXALDisplayHighlight result;
  result.Lines.assign(lines.size(), false);
  std::vector<TXALMonitor> monitors;
  monitors.reserve(lines.size());
  for (const TXALDisplayLine& line : lines) {
    monitors.push_back(line.Monitor);
  }
  for (const TXALSet* set : matching) {
    if (set == nullptr) {
      continue;
    }
    const TXALDisplays& displays = set->Environment.Displays;
    if (!displays.MatchesScreen(monitors)) {
      continue;
    }
    result.Count = true;
    for (std::size_t p = 0; p < lines.size(); ++p) {
      for (int i = 0; i < displays.Count(); ++i) {
        const TXALDisplay& display = displays.Items(i);
        if (display.Number == static_cast<int>(p + 1) &&
            display.Bounds == lines[p].Monitor.Bounds) {
          result.Lines[p] = true;
          break;
        }
      }
    }
    break;
  }
  return result;
}

const std::vector<std::string> kCurrentCaptionControls = {
    "gbWiFi",           "lbWiFiLabel",
    "gbIPAddresses",    "lbIPAddressesLabel",
    "gbDisplays",       "lbDisplaysCountLabel",
    "lbDisplaysLabel",  "gbPrinters",
    "lbPrintersLabel",  "btPrinters",
    "gbDefaultPrinter", "btDefaultPrinter",
    "gbProxy",          "btProxy",
    "gbAutoConfigURL",  "btAutoConfigURL",
    "gbApps",           "lbAppsLabel",
};

std::string CurrentWindowTitle(const TXALLanguage& language) {
  return language.Text("fmXALCurrentCaption");
}

std::vector<std::pair<std::string, std::string>> CurrentControlCaptions(
    const TXALLanguage& language) {
  std::vector<std::pair<std::string, std::string>> captions;
  captions.reserve(kCurrentCaptionControls.size());
  for (const std::string& control : kCurrentCaptionControls) {
    captions.emplace_back(control, language.Text("fmXALCurrent_" + control + "Caption"));
  }
  return captions;
}

}  // namespace xal
