// Read through the same WinINet connection options the proxy applier writes, so that what the
// program wrote is what it reads back: WinHTTP's view comes from a copy that not every system
// (Wine among them) keeps in step with those options.
#include "platform/win32/Win32ProxyConfig.h"

#include <windows.h>
// windows.h first: wininet.h needs its types.
#include <wininet.h>

namespace xal::win32 {

std::optional<std::string> Win32ProxyConfig::CurrentUserProxyServer() const {
  const std::optional<Win32ConnectionSettings> connection = connection_.Settings();
  // A server kept while the proxy is switched off is not in force.
  if (!connection || (connection->Flags & PROXY_TYPE_PROXY) == 0 ||
      connection->ProxyServer.empty()) {
    return std::nullopt;
  }
  return connection->ProxyServer;
}

}  // namespace xal::win32
