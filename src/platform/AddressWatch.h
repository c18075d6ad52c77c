// What the address watch needs of the platform: the system's address-change notices and a
// one-shot wake-up on the user-interface thread.
#pragma once

#include <cstdint>

namespace xal {

class IAddressWatchPort {
 public:
  virtual ~IAddressWatchPort() = default;
  // Registers for the system's address-change notices, which arrive later as OnNotice calls on
  // the user-interface thread. False when the system offers none.
  virtual bool StartNotifications() = 0;
  // No notice arrives after this returns.
  virtual void StopNotifications() = 0;
  // Arms the single wake-up (OnWake on the user-interface thread) after milliseconds, replacing
  // one already armed; a negative value disarms it.
  virtual void SetWake(int milliseconds) = 0;
  // A monotonic clock in milliseconds.
  virtual std::uint64_t NowMs() = 0;
};

}  // namespace xal
