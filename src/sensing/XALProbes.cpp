#include "sensing/XALProbes.h"

#include <cstdint>
#include <memory>

#include "catalogue/Utf8.h"
#include "catalogue/XALErrors.h"
#include "platform/ManagementService.h"
#include "platform/ProxyConfig.h"
#include "platform/Registry.h"
#include "platform/WirelessLan.h"
#include "ui/XALLanguage.h"

namespace xal {

const char* const kPrinterQuery = "Select * from Win32_Printer ";
const char* const kDefaultPrinterQuery = "Select * from Win32_Printer Where Default = True";
const char* const kInternetSettingsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

namespace {

constexpr std::uint32_t kConnectedFlag = 1;
constexpr std::int32_t kDefaultPrinterAttribute = 4;

}  // namespace

std::string SsidToName(const std::string& ssid) {
  // No cut at 32 bytes here: the port bounds the SSID, and its text may be longer in UTF-8.
  if (IsValidUtf8(ssid)) {
    return ssid;
  }
  std::string name;
  name.reserve(ssid.size() * 2);
  for (const char c : ssid) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      name += c;
    } else {
      name += static_cast<char>(0xC0 | (byte >> 6));
      name += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return name;
}

void GetWiFiNetworks(IWirelessLan& wireless, bool connectedOnly, std::vector<std::string>& names) {
  names.clear();
  std::vector<TXALWlanNetwork> networks;
  if (!wireless.AvailableNetworks(networks)) {
    return;
  }
  for (const TXALWlanNetwork& network : networks) {
    if (connectedOnly && (network.Flags & kConnectedFlag) == 0) {
      continue;
    }
    names.push_back(SsidToName(network.Ssid));
  }
}

std::string GetDefaultPrinter(IManagementService& management) {
  const std::unique_ptr<IManagementQuery> query = management.ExecQuery(kDefaultPrinterQuery);
  while (const std::unique_ptr<IManagementObject> printer = query->Next()) {
    try {
      if ((printer->GetInt("Attributes") & kDefaultPrinterAttribute) != 0) {
        return printer->GetString("Caption");
      }
    } catch (const EXALError&) {
      // A printer that can't be read is not the answer.
    }
  }
  return {};
}

std::string GetCurrentProxy(const IProxyConfig& proxy, const TXALLanguage& language) {
  try {
    const auto server = proxy.CurrentUserProxyServer();
    if (server && !server->empty()) {
      return *server;
    }
  } catch (const EXALError&) {
    // Callers only need to know whether a proxy is in force.
  }
  return language.Text("fmXALCurrent_NoProxyMsg");
}

std::string GetAutoConfigURL(const IRegistry& registry, const TXALLanguage& language) {
  try {
    const auto url =
        registry.ReadString(TXALRegistryRoot::CurrentUser, kInternetSettingsKey, "AutoConfigURL");
    if (url && !url->empty()) {
      return *url;
    }
  } catch (const EXALError&) {
    // As for the proxy: no URL is the answer.
  }
  return language.Text("fmXALCurrent_NoAutoConfigURLMsg");
}

}  // namespace xal
