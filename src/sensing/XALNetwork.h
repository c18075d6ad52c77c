// The network adapter probe: each IP-enabled adapter's IPv4 configuration as the management
// service and the registry report it, and the address lines that name an address and its
// adapter.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace xal {

class IManagementObject;
class IManagementService;
class IRegistry;
struct TXALPlatform;

extern const char* const kAdapterQuery;
// Followed by an adapter's SettingID, below HKEY_LOCAL_MACHINE.
extern const char* const kInterfacesKey;

// One adapter's IPv4 configuration at the moment it was read. Texts are kept exactly as the
// service reports them, apart from the adapter index and the "0.0.0.0" gateway.
class TXALIPStatus {
 public:
  std::string DNS1;
  std::string SubnetMask;
  std::string Gateway;
  std::string Address;
  std::string Adapter;
  std::string DNS2;
  bool DHCP = false;

  void Clear() { *this = TXALIPStatus(); }

  friend bool operator==(const TXALIPStatus&, const TXALIPStatus&) = default;
};

// "[00000007] Intel(R) Ethernet" gives "Intel(R) Ethernet"; a caption that doesn't start with
// "[" comes back unchanged.
std::string StripAdapterIndex(const std::string& caption);
// "0.0.0.0" stands for no gateway.
std::string NormalizeGateway(const std::string& gateway);
// True when the adapter's "NameServer" value is empty, so its DNS servers came from DHCP; false
// when its key can't be opened.
bool IsDNSAutomatic(const IRegistry& registry, const std::string& settingID);

// Clears status, then fills it from the adapter whose SettingID equals settingID. A property
// that can't be read ends that adapter's reading: what was read before stays, and the other
// adapters are still visited. Raises EXALError when the service can't be reached or the query
// fails; status is then left cleared.
void GetIPStatus(IManagementService& management, const IRegistry& registry,
                 const std::string& settingID, TXALIPStatus& status);
void GetIPStatus(TXALPlatform& platform, const std::string& settingID, TXALIPStatus& status);

// The adapter query run once, its objects read whole. Raises EXALError as GetIPStatus does.
std::vector<std::unique_ptr<IManagementObject>> QueryAdapters(IManagementService& management);
// What GetIPStatus reads, taken from the objects of one query.
TXALIPStatus ReadIPStatus(const std::vector<std::unique_ptr<IManagementObject>>& adapters,
                          const IRegistry& registry, const std::string& settingID);

// "10.0.0.5(Intel(R) Ethernet,{GUID})": address, caption after StripAdapterIndex, SettingID.
std::string MakeAddressLine(const std::string& address, const std::string& caption,
                            const std::string& settingID);
// The text before the first "(" (the whole line when there is none).
std::string AddressOfLine(const std::string& line);
// The text after the last "," up to the last ")"; captions may hold both characters, SettingIDs
// hold neither. Empty when the line lacks them.
std::string SettingIDOfLine(const std::string& line);

}  // namespace xal
