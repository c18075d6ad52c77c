// Feeds arbitrary bytes to the block parser and the apply plan, as a hostile writer of the shared
// block could. Besides the sanitizers' findings it checks the promises the executable relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "ipsettings/XALIPSettingsBlock.h"

namespace {

const std::vector<xal::TIPAdapter>& Adapters() {
  static const std::vector<xal::TIPAdapter> adapters = {
      {"Ethernet", "Intel(R) Ethernet Connection I219-V", 7},
      {"Ethernet 2", "Intel(R) Ethernet Connection I219-V #2", 9},
      {"Wi-Fi", "Realtek Wireless LAN \xe6\x9d\xb1", 12},
      {"", "", 0},
  };
  return adapters;
}

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The same bytes as the length argument.
  if (const auto length = xal::ParseIPSettingsBlockLength(text)) {
    Check(*length >= 1 && *length <= xal::kIPSettingsMaxBlockBytes);
  }
  const xal::TIPSettingsBlock block = xal::ParseIPSettingsBlock(text);
  if (!block.Accepted()) {
    Check(block.Groups.empty());
    Check(!xal::JoinIPSettingsErrors(block.Errors).empty());
    return 0;
  }
  Check(!block.Groups.empty());
  const xal::TIPApplyPlan plan = xal::PlanIPSettings(block.Groups, Adapters());
  if (!plan.Accepted()) {
    Check(plan.Actions.empty());
    return 0;
  }
  std::vector<bool> seen(Adapters().size(), false);
  for (const xal::TIPAdapterAction& action : plan.Actions) {
    Check(action.Adapter < Adapters().size());
    // No adapter is set twice, and a static address always comes with its mask.
    Check(!seen[action.Adapter]);
    seen[action.Adapter] = true;
    Check(action.Address.has_value() == action.SubnetMask.has_value());
    Check(!(action.EnableDhcp && action.Address));
    Check(action.DnsServers.size() <= 2);
  }
  xal::DescribeIPApplyPlan(plan, Adapters());
  return 0;
}
