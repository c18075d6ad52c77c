// The text that the tray program hands to the elevated "XALSetIPSettings.exe" through a shared
// memory block, and what the executable makes of it. The block is written by a less trusted
// process than the one that reads it, so everything here treats it as hostile: any fault refuses
// the whole block, and nothing is applied.
//
// Text of the block: groups of six lines (adapter, address, subnet mask, gateway, DNS 1, DNS 2),
// each line ended by CR LF, in UTF-8, with no other control characters.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xal {

constexpr char kIPSettingsBlockName[] = "IPSettingsMMF_ForTremvale";
// A block is a handful of short lines per adapter; a larger length is a fault, not a wish.
constexpr std::size_t kIPSettingsMaxBlockBytes = 1024 * 1024;
// The address line that asks for DHCP.
constexpr char kIPSettingsDhcp[] = "DHCP";

// The length argument of the executable: decimal digits only, 1 to kIPSettingsMaxBlockBytes.
std::optional<std::size_t> ParseIPSettingsBlockLength(std::string_view text);

// The first `length` bytes of a mapped block of which `available` bytes can be read; nullopt
// when the block is shorter than that, since reading on would leave the mapping.
std::optional<std::string> CopyIPSettingsBlock(const std::uint8_t* view, std::size_t available,
                                               std::size_t length);

struct TIPv4Address {
  std::array<std::uint8_t, 4> Octets{};

  std::uint32_t Value() const;
  // Dotted decimal without leading zeros.
  std::string ToString() const;
  friend bool operator==(const TIPv4Address&, const TIPv4Address&) = default;
};

// Four decimal parts of one to three digits, each 0 to 255, and nothing around them: the form
// the program's address check accepts. Leading zeros are decimal, never octal.
std::optional<TIPv4Address> ParseIPv4Address(std::string_view text);

// The prefix length of a mask of contiguous ones (1 to 32); nullopt for anything else.
std::optional<int> SubnetMaskPrefixLength(const TIPv4Address& mask);

struct TIPSettingsGroup {
  std::string Adapter;
  std::string Address;
  std::string SubnetMask;
  std::string Gateway;
  std::string DNS1;
  std::string DNS2;
};

struct TIPSettingsBlock {
  std::vector<TIPSettingsGroup> Groups;
  // Why the block is refused; empty when it is accepted. Groups are numbered from 1.
  std::vector<std::string> Errors;

  bool Accepted() const { return Errors.empty(); }
};

// Splits and checks the text. A refused block has no groups.
TIPSettingsBlock ParseIPSettingsBlock(std::string_view text);

// A network adapter as the system lists it.
struct TIPAdapter {
  std::string FriendlyName;  // the connection's name ("Ethernet 2")
  std::string Description;   // the device's name, which the management service's caption holds
  std::uint32_t InterfaceIndex = 0;
};

// What to do to one adapter. Empty optionals and an empty server list leave that setting as it
// is, as empty fields of a target do.
struct TIPAdapterAction {
  std::size_t Group = 0;    // from 1, in block order
  std::size_t Adapter = 0;  // index into the adapter list given to the plan
  bool EnableDhcp = false;
  std::optional<TIPv4Address> Address;
  std::optional<TIPv4Address> SubnetMask;
  std::optional<TIPv4Address> Gateway;
  std::vector<TIPv4Address> DnsServers;
};

struct TIPApplyPlan {
  std::vector<TIPAdapterAction> Actions;
  // Groups that are valid but change nothing, with the reason.
  std::vector<std::string> Notes;
  // Why the block is refused; empty when the plan may be applied.
  std::vector<std::string> Errors;

  bool Accepted() const { return Errors.empty(); }
};

// A group names the adapters whose Description holds its adapter text, letter case counting:
// the program decided that the setting differs by the same test on the management service's
// caption without its index, which is the Description. A static address must name exactly one
// adapter (one address on two adapters breaks both); DHCP, gateway and name servers go to every
// adapter named. When several groups name the same adapter the first wins, as the program puts
// the set that stands highest first. An adapter text that names no adapter refuses the block.
TIPApplyPlan PlanIPSettings(const std::vector<TIPSettingsGroup>& groups,
                            const std::vector<TIPAdapter>& adapters);

// The plan in words, as the user confirms it: per adapter its description, its connection name
// and interface index, then address, subnet mask, gateway and DNS servers, each on its own line
// ("unchanged" when left as it is); then the notes. Lines end with "\n".
std::string DescribeIPApplyPlan(const TIPApplyPlan& plan, const std::vector<TIPAdapter>& adapters);

// The errors as one message, at most a screenful of them.
std::string JoinIPSettingsErrors(const std::vector<std::string>& errors);

}  // namespace xal
