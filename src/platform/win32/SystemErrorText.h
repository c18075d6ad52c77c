// The system's own words for a Win32 error code, for messages shown to the user.
#pragma once

#include <string>

namespace xal::win32 {

// FormatMessageW's text for the code, in the user's language, without the trailing line break;
// "System error <code>." when the system has no text for it.
std::string SystemErrorText(unsigned long code);
// The same text, or empty when the system has none.
std::string SystemMessage(unsigned long code);

}  // namespace xal::win32
