// The address-change notices and the watch's wake-up as a test drives them.
#pragma once

#include <cstdint>

#include "platform/AddressWatch.h"

namespace xal::sim {

class SimAddressWatch : public IAddressWatchPort {
 public:
  bool StartNotifications() override {
    registered = notificationsOffered;
    return registered;
  }
  void StopNotifications() override { registered = false; }
  void SetWake(int milliseconds) override { wakeInMs = milliseconds; }
  std::uint64_t NowMs() override { return now; }

  // False: the system refuses the registration.
  bool notificationsOffered = true;
  bool registered = false;
  // The armed wake-up, negative when none is.
  int wakeInMs = -1;
  std::uint64_t now = 1000;
};

}  // namespace xal::sim
