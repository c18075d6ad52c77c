// WinHTTP only: winhttp.h and wininet.h can't share a translation unit.
#include "platform/win32/Win32ProxyConfig.h"

#include <windows.h>
// windows.h first: winhttp.h needs its types.
#include <winhttp.h>

#include "platform/win32/WideText.h"

namespace xal::win32 {

std::optional<std::string> Win32ProxyConfig::CurrentUserProxyServer() const {
  WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
  if (!WinHttpGetIEProxyConfigForCurrentUser(&config)) {
    return std::nullopt;
  }
  std::optional<std::string> server;
  if (config.lpszProxy != nullptr && config.lpszProxy[0] != L'\0') {
    server = Narrow(config.lpszProxy);
  }
  // The caller owns all three texts, used or not.
  GlobalFree(config.lpszAutoConfigUrl);
  GlobalFree(config.lpszProxy);
  GlobalFree(config.lpszProxyBypass);
  return server;
}

}  // namespace xal::win32
