#include "core/XALAddressMonitor.h"

#include <algorithm>

namespace xal {

const char* const kUnknownAddress = "<unknown>";

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& address) {
  return std::find(list.begin(), list.end(), address) != list.end();
}

}  // namespace

std::vector<TXALAddressChange> CompareAddressLists(const std::vector<std::string>& before,
                                                   const std::vector<std::string>& now) {
  std::vector<TXALAddressChange> changes;
  if (now.size() > before.size()) {
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (!Contains(before, now[i])) {
        changes.push_back({static_cast<int>(i), kUnknownAddress, now[i]});
      }
    }
  } else if (now.size() < before.size()) {
    for (std::size_t i = 0; i < before.size(); ++i) {
      if (!Contains(now, before[i])) {
        changes.push_back({static_cast<int>(i), before[i], kUnknownAddress});
      }
    }
  } else {
    for (std::size_t i = 0; i < now.size(); ++i) {
      if (now[i] != before[i]) {
        changes.push_back({static_cast<int>(i), before[i], now[i]});
      }
    }
  }
  return changes;
}

TXALAddressMonitor::TXALAddressMonitor(IHostAddresses& addresses) : addresses_(addresses) {}

void TXALAddressMonitor::Start() {
  last_ = addresses_.LocalIPv4Addresses();
}

std::vector<TXALAddressChange> TXALAddressMonitor::Check() {
  std::vector<std::string> now = addresses_.LocalIPv4Addresses();
  if (now.size() > kMaxHostAddresses) {
    now.resize(kMaxHostAddresses);
  }
  auto changes = CompareAddressLists(last_, now);
  last_ = std::move(now);
  return changes;
}

}  // namespace xal
