// The address monitor's check: the computer's IPv4 addresses compared with those of the check
// before. A worker of the platform runs a check every 500 ms on the user-interface thread.
#pragma once

#include <string>
#include <vector>

#include "platform/HostAddresses.h"

namespace xal {

// One changed entry; "<unknown>" stands for an address that is not there.
struct TXALAddressChange {
  int Index = 0;
  std::string OldAddress;
  std::string NewAddress;
};

extern const char* const kUnknownAddress;

// The changes between two address lists: when the list grew, each new address not in the old
// list; when it shrank, each old address no longer present; at equal length, each index whose
// address differs.
std::vector<TXALAddressChange> CompareAddressLists(const std::vector<std::string>& before,
                                                   const std::vector<std::string>& now);

class TXALAddressMonitor {
 public:
  explicit TXALAddressMonitor(IHostAddresses& addresses);

  // Takes the list that later checks compare against.
  void Start();
  // Reads the list, compares it with the one before and keeps it for the next check.
  std::vector<TXALAddressChange> Check();

 private:
  IHostAddresses& addresses_;
  std::vector<std::string> last_;
};

}  // namespace xal
