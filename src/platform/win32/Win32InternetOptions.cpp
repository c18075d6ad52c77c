// WinINet only: wininet.h and winhttp.h can't share a translation unit.
#include "platform/win32/Win32InternetOptions.h"

#include <windows.h>
// windows.h first: wininet.h needs its types.
#include <wininet.h>

namespace xal::win32 {

void Win32InternetOptions::SetOption(std::uint32_t option) {
  // No buffer means no text, so the wide form serves as well as the ANSI one.
  InternetSetOptionW(nullptr, option, nullptr, 0);
}

}  // namespace xal::win32
