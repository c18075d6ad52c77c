// The address monitor's check: the computer's IPv4 addresses compared with those of the check
// before; and the watch that decides when a check runs, on the system's address-change notices
// or, where the system offers none that fire, every 500 ms.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AddressWatch.h"
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
  // The list as a check would read it now, without keeping it.
  std::vector<std::string> Read() const;
  // Whether a list read differs from the one the last check kept.
  bool Differs(const std::vector<std::string>& now) const;
  const std::vector<std::string>& Last() const { return last_; }

 private:
  IHostAddresses& addresses_;
  std::vector<std::string> last_;
};

enum class TXALAddressWatchMode : std::uint8_t { Notifications, Polling };

// The polling interval, and how long the watch lets a burst of notices (a lease renewal removes
// an address and adds it again) settle before one check runs; a stream that never pauses is
// still checked after the longest wait.
constexpr int kAddressPollMs = 500;
constexpr int kAddressSettleMs = 15;
constexpr int kAddressLongestWaitMs = 100;

// choice is the tray program's switch: "poll" or "notify" force that mode; anything else leaves
// it to the system, which polls where its notices are known never to fire.
TXALAddressWatchMode ChooseAddressWatchMode(std::string_view choice, bool noticesNeverFire);

class TXALAddressWatch {
 public:
  // check runs one address check on the user-interface thread; false when it could not run
  // now (a recheck is running), so the watch tries again shortly. Its argument says whether
  // what prepare did still holds: prepare ran at the first notice of the burst, and no notice
  // came after it.
  //
  // prepare, when given, runs at the first notice of a burst, on the same thread, after the
  // wake-up is armed: work the check would do after the settle time (reading the adapters)
  // is done while the burst settles.
  using TCheck = std::function<bool(bool prepared)>;
  using TPrepare = std::function<void()>;
  TXALAddressWatch(IAddressWatchPort& port, TCheck check, TPrepare prepare = {});
  ~TXALAddressWatch();
  TXALAddressWatch(const TXALAddressWatch&) = delete;
  TXALAddressWatch& operator=(const TXALAddressWatch&) = delete;

  // Notifications fall back to polling when the system refuses the registration. Returns the
  // mode in force.
  TXALAddressWatchMode Start(TXALAddressWatchMode wanted);
  void Stop();
  bool Running() const { return running_; }
  TXALAddressWatchMode Mode() const { return mode_; }

  // A notice of the system, handed over on the user-interface thread.
  void OnNotice();
  // The wake-up armed through the port.
  void OnWake();

 private:
  IAddressWatchPort& port_;
  TCheck check_;
  TPrepare prepare_;
  TXALAddressWatchMode mode_ = TXALAddressWatchMode::Polling;
  bool running_ = false;
  bool noticePending_ = false;
  std::uint64_t firstNoticeMs_ = 0;
  std::uint64_t notices_ = 0;
  bool preparing_ = false;
  bool checking_ = false;
  bool prepared_ = false;
  // The wake-up fired while preparing or checking, whose messages it came among; it is armed
  // again once that is done.
  bool wakeDeferred_ = false;
};

}  // namespace xal
