#include "ipsettings/XALIPSettingsBlock.h"

#include <algorithm>

namespace xal {
namespace {

constexpr std::size_t kLinesPerGroup = 6;
// Hostile values are quoted in messages; a megabyte-long adapter name would bury the reason.
constexpr std::size_t kMaxQuotedBytes = 60;
constexpr std::size_t kMaxReportedErrors = 20;

std::string Quote(std::string_view text) {
  if (text.size() <= kMaxQuotedBytes) {
    return "\"" + std::string(text) + "\"";
  }
  // Cut on a character boundary; the text is valid UTF-8 by now.
  std::size_t end = kMaxQuotedBytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
    --end;
  }
  return "\"" + std::string(text.substr(0, end)) + "...\"";
}

std::string GroupPrefix(std::size_t group) {
  return "group " + std::to_string(group) + ": ";
}

// The length of the UTF-8 sequence at text[at] and its code point; 0 when it is malformed
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    minimum = 0x80;
    codePoint = lead & 0x1Fu;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    minimum = 0x800;
    codePoint = lead & 0x0Fu;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    minimum = 0x10000;
    codePoint = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() - at < length) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) {
      return 0;
    }
    codePoint = (codePoint << 6) | (byte(at + i) & 0x3Fu);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return 0;
  }
  return length;
}

bool IsControl(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string CodePointText(char32_t c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "U+";
  for (int shift = 12; shift >= 0; shift -= 4) {
    text += kHex[(c >> shift) & 0xF];
  }
  return text;
}

// Splits the text into its CR LF-ended lines; on a fault returns the reason instead.
std::optional<std::string> SplitLines(std::string_view text, std::vector<std::string_view>& lines) {
  std::size_t lineStart = 0;
  std::size_t at = 0;
  const auto where = [&](std::size_t offset) {
    return "line " + std::to_string(lines.size() + 1) + " (byte " + std::to_string(offset) + ")";
  };
  while (at < text.size()) {
    char32_t c = 0;
    const std::size_t length = DecodeUtf8(text, at, c);
    if (length == 0) {
      return where(at) + ": the text is not valid UTF-8";
    }
    if (c == U'\r') {
      if (at + 1 >= text.size() || text[at + 1] != '\n') {
        return where(at) + ": a carriage return without a line feed after it";
      }
      lines.push_back(text.substr(lineStart, at - lineStart));
      at += 2;
      lineStart = at;
      continue;
    }
    if (c == U'\n') {
      return where(at) + ": a line feed without a carriage return before it";
    }
    if (IsControl(c)) {
      return where(at) + ": the control character " + CodePointText(c);
    }
    at += length;
  }
  if (lineStart != text.size()) {
    return "line " + std::to_string(lines.size() + 1) +
           " is not ended by CR LF: the block is cut short or has bytes after its last line";
  }
  return std::nullopt;
}

// "This network", multicast and reserved addresses are no one's address.
bool IsUnicast(const TIPv4Address& address) {
  return address.Octets[0] != 0 && address.Octets[0] < 224;
}

// An adapter's own address and its gateway can't be loopback either; a name server can, when
// the computer runs one of its own.
bool IsHostAddress(const TIPv4Address& address) {
  return IsUnicast(address) && address.Octets[0] != 127;
}

void CheckGroup(const TIPSettingsGroup& group, std::size_t number,
                std::vector<std::string>& errors) {
  const std::string prefix = GroupPrefix(number);
  if (group.Adapter.empty()) {
    errors.push_back(prefix + "the adapter line is empty");
  }
  std::optional<TIPv4Address> address;
  if (!group.Address.empty() && group.Address != kIPSettingsDhcp) {
    address = ParseIPv4Address(group.Address);
    if (!address) {
      errors.push_back(prefix + "the address " + Quote(group.Address) +
                       " is neither an IPv4 address nor DHCP");
    } else if (!IsHostAddress(*address)) {
      errors.push_back(prefix + "the address " + address->ToString() +
                       " can't be given to an adapter");
      address.reset();
    }
  }
  std::optional<int> prefixLength;
  std::optional<TIPv4Address> mask;
  if (!group.SubnetMask.empty()) {
    mask = ParseIPv4Address(group.SubnetMask);
    if (!mask) {
      errors.push_back(prefix + "the subnet mask " + Quote(group.SubnetMask) +
                       " is not an IPv4 address");
    } else {
      prefixLength = SubnetMaskPrefixLength(*mask);
      if (!prefixLength) {
        errors.push_back(prefix + "the subnet mask " + mask->ToString() +
                         " is not a mask of contiguous ones");
      }
    }
  }
  const struct {
    const std::string* value;
    const char* what;
    bool (*usable)(const TIPv4Address&);
  } servers[] = {{&group.Gateway, "gateway", &IsHostAddress},
                 {&group.DNS1, "DNS server 1", &IsUnicast},
                 {&group.DNS2, "DNS server 2", &IsUnicast}};
  for (const auto& server : servers) {
    if (server.value->empty()) {
      continue;
    }
    const std::optional<TIPv4Address> parsed = ParseIPv4Address(*server.value);
    if (!parsed) {
      errors.push_back(prefix + "the " + server.what + " " + Quote(*server.value) +
                       " is not an IPv4 address");
    } else if (!server.usable(*parsed)) {
      errors.push_back(prefix + "the " + server.what + " " + parsed->ToString() +
                       " is not a host address");
    }
  }
  if (address && group.SubnetMask.empty()) {
    errors.push_back(prefix + "the static address " + address->ToString() + " needs a subnet mask");
  }
  if (group.Address.empty() && !group.SubnetMask.empty()) {
    errors.push_back(prefix + "a subnet mask is given without a static address");
  }
  if (address && prefixLength && *prefixLength <= 30) {
    const std::uint32_t hostBits = ~mask->Value();
    const std::uint32_t host = address->Value() & hostBits;
    if (host == 0 || host == hostBits) {
      errors.push_back(prefix + "the address " + address->ToString() + " is the " +
                       (host == 0 ? "network" : "broadcast") + " address of its subnet /" +
                       std::to_string(*prefixLength));
    }
  }
}

std::string AdapterName(const TIPAdapter& adapter) {
  return Quote(adapter.Description) + " (interface " + std::to_string(adapter.InterfaceIndex) + ")";
}

// A name the system gives, on one line: a control character could break a line of the plan in
// two and make a line that the plan does not hold.
std::string PlainText(std::string_view text) {
  std::string plain(text);
  for (char& c : plain) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      c = ' ';
    }
  }
  return plain;
}

}  // namespace

std::optional<std::size_t> ParseIPSettingsBlockLength(std::string_view text) {
  // Digits only: no sign, blank, "0x" or exponent that a library parser might take.
  if (text.empty() || text.size() > 7) {
    return std::nullopt;
  }
  std::size_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  if (value == 0 || value > kIPSettingsMaxBlockBytes) {
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> CopyIPSettingsBlock(const std::uint8_t* view, std::size_t available,
                                               std::size_t length) {
  if (view == nullptr || available < length) {
    return std::nullopt;
  }
  return std::string(reinterpret_cast<const char*>(view), length);
}

std::uint32_t TIPv4Address::Value() const {
  return (std::uint32_t{Octets[0]} << 24) | (std::uint32_t{Octets[1]} << 16) |
         (std::uint32_t{Octets[2]} << 8) | std::uint32_t{Octets[3]};
}

std::string TIPv4Address::ToString() const {
  return std::to_string(Octets[0]) + "." + std::to_string(Octets[1]) + "." +
         std::to_string(Octets[2]) + "." + std::to_string(Octets[3]);
}

std::optional<TIPv4Address> ParseIPv4Address(std::string_view text) {
  TIPv4Address address;
  std::size_t at = 0;
  for (std::size_t part = 0; part < 4; ++part) {
    if (part > 0) {
      if (at >= text.size() || text[at] != '.') {
        return std::nullopt;
      }
      ++at;
    }
    unsigned value = 0;
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
      value = value * 10 + static_cast<unsigned>(text[at] - '0');
      ++at;
      ++digits;
    }
    if (digits == 0 || digits > 3 || value > 255) {
      return std::nullopt;
    }
    address.Octets[part] = static_cast<std::uint8_t>(value);
  }
  if (at != text.size()) {
    return std::nullopt;
  }
  return address;
}

std::optional<int> SubnetMaskPrefixLength(const TIPv4Address& mask) {
  const std::uint32_t value = mask.Value();
  // Contiguous ones from the top: the inverse plus one is a power of two.
  const std::uint32_t inverse = ~value;
  if (value == 0 || (inverse & (inverse + 1)) != 0) {
    return std::nullopt;
  }
  int length = 0;
  for (std::uint32_t bits = value; bits != 0; bits <<= 1) {
    ++length;
  }
  return length;
}

TIPSettingsBlock ParseIPSettingsBlock(std::string_view text) {
  TIPSettingsBlock block;
  if (text.empty()) {
    block.Errors.push_back("the block is empty");
    return block;
  }
  std::vector<std::string_view> lines;
  if (std::optional<std::string> fault = SplitLines(text, lines)) {
    block.Errors.push_back(*fault);
    return block;
  }
  if (lines.size() % kLinesPerGroup != 0) {
    block.Errors.push_back("the block ends inside group " +
                           std::to_string(lines.size() / kLinesPerGroup + 1) + ", which has " +
                           std::to_string(lines.size() % kLinesPerGroup) + " of its 6 lines");
    return block;
  }
  for (std::size_t first = 0; first < lines.size(); first += kLinesPerGroup) {
    TIPSettingsGroup group{std::string(lines[first]),     std::string(lines[first + 1]),
                           std::string(lines[first + 2]), std::string(lines[first + 3]),
                           std::string(lines[first + 4]), std::string(lines[first + 5])};
    CheckGroup(group, block.Groups.size() + 1, block.Errors);
    block.Groups.push_back(std::move(group));
  }
  if (!block.Accepted()) {
    block.Groups.clear();
  }
  return block;
}

TIPApplyPlan PlanIPSettings(const std::vector<TIPSettingsGroup>& groups,
                            const std::vector<TIPAdapter>& adapters) {
  TIPApplyPlan plan;
  // The group that set each adapter, 0 for none yet.
  std::vector<std::size_t> setBy(adapters.size(), 0);
  for (std::size_t index = 0; index < groups.size(); ++index) {
    const TIPSettingsGroup& group = groups[index];
    const std::size_t number = index + 1;
    const std::string prefix = GroupPrefix(number);
    std::vector<std::size_t> named;
    if (!group.Adapter.empty()) {
      for (std::size_t a = 0; a < adapters.size(); ++a) {
        if (adapters[a].Description.find(group.Adapter) != std::string::npos) {
          named.push_back(a);
        }
      }
    }
    if (named.empty()) {
      plan.Errors.push_back(prefix + "no adapter's description holds " + Quote(group.Adapter));
      continue;
    }
    const bool dhcp = group.Address == kIPSettingsDhcp;
    const std::optional<TIPv4Address> address =
        dhcp ? std::nullopt : ParseIPv4Address(group.Address);
    if (address && named.size() > 1) {
      std::string names;
      for (std::size_t a : named) {
        names += (names.empty() ? "" : ", ") + AdapterName(adapters[a]);
      }
      plan.Errors.push_back(prefix + Quote(group.Adapter) + " names " +
                            std::to_string(named.size()) + " adapters (" + names +
                            "); a static address can be given to one only");
      continue;
    }
    TIPAdapterAction action;
    action.Group = number;
    action.EnableDhcp = dhcp;
    if (address) {
      action.Address = address;
      action.SubnetMask = ParseIPv4Address(group.SubnetMask);
    }
    if (dhcp && (!group.SubnetMask.empty() || !group.Gateway.empty())) {
      plan.Notes.push_back(prefix +
                           "DHCP assigns the subnet mask and gateway; the ones given are not used");
    } else if (!group.Gateway.empty()) {
      action.Gateway = ParseIPv4Address(group.Gateway);
    }
    for (const std::string* server : {&group.DNS1, &group.DNS2}) {
      if (std::optional<TIPv4Address> parsed = ParseIPv4Address(*server)) {
        action.DnsServers.push_back(*parsed);
      }
    }
    if (!action.EnableDhcp && !action.Address && !action.Gateway && action.DnsServers.empty()) {
      plan.Notes.push_back(prefix + "nothing to change");
      continue;
    }
    for (std::size_t a : named) {
      if (setBy[a] != 0) {
        plan.Notes.push_back(prefix + "adapter " + AdapterName(adapters[a]) + " is set by group " +
                             std::to_string(setBy[a]) + " already");
        continue;
      }
      setBy[a] = number;
      action.Adapter = a;
      plan.Actions.push_back(action);
    }
  }
  if (!plan.Accepted()) {
    plan.Actions.clear();
  }
  return plan;
}

std::string DescribeIPApplyPlan(const TIPApplyPlan& plan, const std::vector<TIPAdapter>& adapters) {
  // Every setting gets its own line, and one left alone says so: the user approves this text,
  // so what stays as it is must be as plain as what changes.
  constexpr char kUnchanged[] = "unchanged";
  std::string text;
  for (const TIPAdapterAction& action : plan.Actions) {
    if (!text.empty()) {
      text += "\n";
    }
    if (action.Adapter < adapters.size()) {
      const TIPAdapter& adapter = adapters[action.Adapter];
      text += "Adapter: " + PlainText(adapter.Description) + "\n";
      text +=
          "  Connection: " +
          (adapter.FriendlyName.empty() ? std::string() : PlainText(adapter.FriendlyName) + ", ") +
          "interface " + std::to_string(adapter.InterfaceIndex) + "\n";
    } else {
      text += "Adapter: ?\n";
    }
    if (action.EnableDhcp) {
      text += "  Address: by DHCP\n";
      text += "  Subnet mask: by DHCP\n";
      text += "  Gateway: by DHCP\n";
    } else {
      const bool address = action.Address && action.SubnetMask;
      text += "  Address: " + (address ? action.Address->ToString() : kUnchanged) + "\n";
      text += "  Subnet mask: " + (address ? action.SubnetMask->ToString() : kUnchanged) + "\n";
      text += "  Gateway: " + (action.Gateway ? action.Gateway->ToString() : kUnchanged) + "\n";
    }
    std::string servers;
    for (const TIPv4Address& server : action.DnsServers) {
      servers += (servers.empty() ? "" : ", ") + server.ToString();
    }
    text += "  DNS servers: " + (servers.empty() ? std::string(kUnchanged) : servers) + "\n";
  }
  if (!plan.Notes.empty()) {
    text += (text.empty() ? "" : "\n") + std::string("Not used:\n");
    for (const std::string& note : plan.Notes) {
      text += "  " + note + "\n";
    }
  }
  return text;
}

std::string JoinIPSettingsErrors(const std::vector<std::string>& errors) {
  std::string text;
  const std::size_t shown = std::min(errors.size(), kMaxReportedErrors);
  for (std::size_t i = 0; i < shown; ++i) {
    text += errors[i] + "\n";
  }
  if (errors.size() > shown) {
    text += "and " + std::to_string(errors.size() - shown) + " more\n";
  }
  return text;
}

}  // namespace xal
