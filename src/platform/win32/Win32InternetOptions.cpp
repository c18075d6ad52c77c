// WinINet only: wininet.h and winhttp.h can't share a translation unit.
#include "platform/win32/Win32InternetOptions.h"

#include <windows.h>
// windows.h first: wininet.h needs its types.
#include <wininet.h>

#include "platform/win32/WideText.h"

namespace xal::win32 {

void Win32InternetOptions::SetOption(std::uint32_t option) {
  // No buffer means no text, so the wide form serves as well as the ANSI one.
  InternetSetOptionW(nullptr, option, nullptr, 0);
}

void Win32InternetOptions::SetConnectionProxy(bool enable, const std::string& server) {
  if (!enable) {
    // The server stays for when the proxy is turned on again.
    connection_.SetType(PROXY_TYPE_PROXY, false, 0, nullptr);
    return;
  }
  const std::wstring wide = Widen(server);
  connection_.SetType(PROXY_TYPE_PROXY, true, INTERNET_PER_CONN_PROXY_SERVER, &wide);
}

void Win32InternetOptions::SetConnectionAutoConfigURL(const std::string& url) {
  const std::wstring wide = Widen(url);
  connection_.SetType(PROXY_TYPE_AUTO_PROXY_URL, !url.empty(), INTERNET_PER_CONN_AUTOCONFIG_URL,
                      &wide);
}

}  // namespace xal::win32
