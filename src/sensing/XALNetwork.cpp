#include "sensing/XALNetwork.h"

#include <memory>
#include <optional>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/ManagementService.h"
#include "platform/Registry.h"
#include "platform/XALPlatform.h"
#include "regex/IPPattern.h"

namespace xal {

const char* const kAdapterQuery =
    "Select * from Win32_NetworkAdapterConfiguration where IPEnabled=TRUE";
const char* const kInterfacesKey =
    "SYSTEM\\CurrentControlSet\\services\\Tcpip\\Parameters\\Interfaces\\";

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// A null array, or one too short, fails like any other read.
std::string ElementAt(const IManagementObject& object, const char* name, std::size_t index) {
  const std::optional<std::vector<std::string>> values = object.GetStringArray(name);
  if (!values || index >= values->size()) {
    throw EXALError(std::string("The property ") + name + " has no element " +
                    std::to_string(index) + ".");
  }
  return (*values)[index];
}

std::string FirstElement(const IManagementObject& object, const char* name) {
  return ElementAt(object, name, 0);
}

// Position of the first IPv4 address, or 0 when there is none.
std::size_t FirstIPv4Index(const std::optional<std::vector<std::string>>& addresses) {
  if (addresses) {
    for (std::size_t i = 0; i < addresses->size(); ++i) {
      if (IsIPv4Address((*addresses)[i])) {
        return i;
      }
    }
  }
  return 0;
}

void ReadAdapter(const IManagementObject& adapter, const IRegistry& registry,
                 const std::string& settingID, TXALIPStatus& status) {
  if (adapter.GetString("SettingID") != settingID) {
    return;
  }
  status.Adapter = StripAdapterIndex(adapter.GetString("Caption"));
  status.DHCP = adapter.GetBool("DHCPEnabled");
  // Windows lists the IPv4 address first; Wine lists IPv6 ones before it. The first IPv4
  // address and the mask beside it are what the address patterns and the hand-off compare.
  const auto addresses = adapter.GetStringArray("IPAddress");
  const std::size_t index = FirstIPv4Index(addresses);
  if (!addresses || index >= addresses->size()) {
    throw EXALError("The adapter has no address.");
  }
  status.Address = (*addresses)[index];
  status.SubnetMask = ElementAt(adapter, "IPSubnet", index);
  status.Gateway = NormalizeGateway(FirstElement(adapter, "DefaultIPGateway"));
  if (IsDNSAutomatic(registry, settingID)) {
    return;
  }
  const auto servers = adapter.GetStringArray("DNSServerSearchOrder");
  if (!servers) {
    return;
  }
  // Servers that are not IPv4 addresses take no slot.
  std::string* const slots[] = {&status.DNS1, &status.DNS2};
  std::size_t filled = 0;
  for (const std::string& server : *servers) {
    if (!IsIPv4Address(server)) {
      continue;
    }
    if (filled == 2) {
      break;
    }
    *slots[filled++] = server;
  }
}

}  // namespace

std::string StripAdapterIndex(const std::string& caption) {
  if (caption.empty() || caption.front() != '[') {
    return caption;
  }
  const auto close = caption.find(']');
  const std::size_t start = close == std::string::npos ? 0 : close + 1;
  std::size_t first = start;
  std::size_t last = caption.size();
  while (first < last && IsBlankOrControl(caption[first])) {
    ++first;
  }
  while (last > first && IsBlankOrControl(caption[last - 1])) {
    --last;
  }
  return caption.substr(first, last - first);
}

std::string NormalizeGateway(const std::string& gateway) {
  return gateway == "0.0.0.0" ? std::string() : gateway;
}

bool IsDNSAutomatic(const IRegistry& registry, const std::string& settingID) {
  const std::string key = kInterfacesKey + settingID;
  if (!registry.KeyExists(TXALRegistryRoot::LocalMachine, key)) {
    return false;
  }
  // A missing value reads as empty.
  const auto servers = registry.ReadString(TXALRegistryRoot::LocalMachine, key, "NameServer");
  return !servers || servers->empty();
}

std::vector<std::unique_ptr<IManagementObject>> QueryAdapters(IManagementService& management) {
  std::vector<std::unique_ptr<IManagementObject>> adapters;
  const std::unique_ptr<IManagementQuery> query = management.ExecQuery(kAdapterQuery);
  while (std::unique_ptr<IManagementObject> adapter = query->Next()) {
    adapters.push_back(std::move(adapter));
  }
  return adapters;
}

TXALIPStatus ReadIPStatus(const std::vector<std::unique_ptr<IManagementObject>>& adapters,
                          const IRegistry& registry, const std::string& settingID) {
  TXALIPStatus status;
  for (const auto& adapter : adapters) {
    try {
      ReadAdapter(*adapter, registry, settingID, status);
    } catch (const EXALError&) {
      // The adapter is left as far as it was read; the others still count.
    }
  }
  return status;
}

void GetIPStatus(IManagementService& management, const IRegistry& registry,
                 const std::string& settingID, TXALIPStatus& status) {
  status.Clear();
  // Read whole first, so that a service failing part-way leaves the caller's status cleared.
  const auto adapters = QueryAdapters(management);
  status = ReadIPStatus(adapters, registry, settingID);
}

void GetIPStatus(TXALPlatform& platform, const std::string& settingID, TXALIPStatus& status) {
  GetIPStatus(platform.Management, platform.Registry, settingID, status);
}

std::string MakeAddressLine(const std::string& address, const std::string& caption,
                            const std::string& settingID) {
  return address + "(" + StripAdapterIndex(caption) + "," + settingID + ")";
}

std::string AddressOfLine(const std::string& line) {
  return line.substr(0, line.find('('));
}

std::string SettingIDOfLine(const std::string& line) {
  const auto comma = line.rfind(',');
  const auto close = line.rfind(')');
  if (comma == std::string::npos || close == std::string::npos || close < comma) {
    return {};
  }
  return line.substr(comma + 1, close - comma - 1);
}

}  // namespace xal
