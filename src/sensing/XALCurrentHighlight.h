// What the current-environment window draws beyond the store's lines: which lines a matching set
// relies on (drawn in red, so the user sees why a set matched) and the window's captions.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "catalogue/XALLists.h"
#include "platform/WindowSystem.h"
#include "sensing/XALCurrent.h"
#include "ui/XALLanguage.h"

namespace xal {

// matching is the list of sets that matched at the last recheck. None of these raise: a line is
// drawn, red or not, whatever a set holds.

// Some placement rule of a matching set takes the window by its class name and caption as they
// are now. A window that no longer exists takes no rule.
bool AppLineHighlighted(const TXALSetList& matching, const IWindowSystem& windows,
                        TXALWindowHandle window);
// The line is a matching set's Wi-Fi name, letter case included.
bool WiFiLineHighlighted(const TXALSetList& matching, const std::string& line);
// The address before the first "(" of the line fits an address pattern of a matching set, tested
// as the recheck tests it. A pattern that is no valid expression fits nothing.
bool AddressLineHighlighted(const TXALSetList& matching, const std::string& line);
// The line is in a matching set's printer list, letter case ignored.
bool PrinterLineHighlighted(const TXALSetList& matching, const std::string& line);

// The display count and lines that the first matching set whose layout holds relies on. Only that
// set counts: sets after it are not looked at.
struct TXALDisplayHighlight {
  bool Count = false;
  // One flag per display line.
  std::vector<bool> Lines;
};
// The layout is tested against the monitors the lines carry, which are the list as last read.
TXALDisplayHighlight DisplaysHighlighted(const TXALSetList& matching,
                                         const std::vector<TXALDisplayLine>& lines);

// The control names that take a caption from the language file, in the window's order.
extern const std::vector<std::string> kCurrentCaptionControls;
std::string CurrentWindowTitle(const TXALLanguage& language);
// Each control of kCurrentCaptionControls with its caption text.
std::vector<std::pair<std::string, std::string>> CurrentControlCaptions(
    const TXALLanguage& language);

}  // namespace xal
