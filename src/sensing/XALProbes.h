// The Wi-Fi, printer, proxy and configuration script probes.
#pragma once

#include <string>
#include <vector>

namespace xal {

class IManagementService;
class IProxyConfig;
class IRegistry;
class IWirelessLan;
class TXALLanguage;

extern const char* const kPrinterQuery;
extern const char* const kDefaultPrinterQuery;
// Below HKEY_CURRENT_USER.
extern const char* const kInternetSettingsKey;

// Names of the networks in reach of the wireless interface, in the platform's order and not
// de-duplicated; with connectedOnly, only the network(s) the computer is connected to. Empty
// when the wireless service can't report any; never raises.
void GetWiFiNetworks(IWirelessLan& wireless, bool connectedOnly, std::vector<std::string>& names);
// The name an SSID's bytes stand for inside the program: the bytes as they are when they are
// UTF-8, else each byte read as Latin-1, so that every SSID gives a distinct, storable name.
std::string SsidToName(const std::string& ssid);

// The default printer's name, or empty when there is none. Raises EXALError when the service
// can't be reached or the query fails.
std::string GetDefaultPrinter(IManagementService& management);
// The current user's proxy server, or the no-proxy text of the language. Never raises.
std::string GetCurrentProxy(const IProxyConfig& proxy, const TXALLanguage& language);
// The current user's automatic configuration script URL, or the no-URL text of the language.
// Never raises.
std::string GetAutoConfigURL(const IRegistry& registry, const TXALLanguage& language);

}  // namespace xal
