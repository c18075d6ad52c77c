#include "core/XALAddressMonitor.h"

#include <algorithm>
#include <utility>

namespace xal {

const char* const kUnknownAddress = "<unknown>";

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& address) {
  return std::find(list.begin(), list.end(), address) != list.end();
}

// Marks a call in progress, also when it leaves by an exception.
class TBusy {
 public:
  explicit TBusy(bool& flag) : flag_(flag) { flag_ = true; }
  ~TBusy() { flag_ = false; }
  TBusy(const TBusy&) = delete;
  TBusy& operator=(const TBusy&) = delete;

 private:
  bool& flag_;
};

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

std::vector<std::string> TXALAddressMonitor::Read() const {
  std::vector<std::string> now = addresses_.LocalIPv4Addresses();
  if (now.size() > kMaxHostAddresses) {
    now.resize(kMaxHostAddresses);
  }
  return now;
}

std::vector<TXALAddressChange> TXALAddressMonitor::Check() {
  std::vector<std::string> now = Read();
  auto changes = CompareAddressLists(last_, now);
  last_ = std::move(now);
  return changes;
}

bool TXALAddressMonitor::Differs(const std::vector<std::string>& now) const {
  return !CompareAddressLists(last_, now).empty();
}

TXALAddressWatchMode ChooseAddressWatchMode(std::string_view choice, bool noticesNeverFire) {
  if (choice == "poll") {
    return TXALAddressWatchMode::Polling;
  }
  if (choice == "notify") {
    return TXALAddressWatchMode::Notifications;
  }
  return noticesNeverFire ? TXALAddressWatchMode::Polling : TXALAddressWatchMode::Notifications;
}

TXALAddressWatch::TXALAddressWatch(IAddressWatchPort& port, TCheck check, TPrepare prepare)
    : port_(port), check_(std::move(check)), prepare_(std::move(prepare)) {}

TXALAddressWatch::~TXALAddressWatch() {
  Stop();
}

TXALAddressWatchMode TXALAddressWatch::Start(TXALAddressWatchMode wanted) {
  Stop();
  mode_ = wanted;
  if (mode_ == TXALAddressWatchMode::Notifications && !port_.StartNotifications()) {
    mode_ = TXALAddressWatchMode::Polling;
  }
  running_ = true;
  if (mode_ == TXALAddressWatchMode::Polling) {
    port_.SetWake(kAddressPollMs);
  } else {
    // A change between the first list and the registration has no notice of its own: one
    // check, as if a notice had come, closes that gap.
    noticePending_ = true;
    firstNoticeMs_ = port_.NowMs();
    port_.SetWake(kAddressSettleMs);
  }
  return mode_;
}

void TXALAddressWatch::Stop() {
  if (!running_) {
    return;
  }
  if (mode_ == TXALAddressWatchMode::Notifications) {
    port_.StopNotifications();
  }
  port_.SetWake(-1);
  running_ = false;
  noticePending_ = false;
  prepared_ = false;
  wakeDeferred_ = false;
}

void TXALAddressWatch::OnNotice() {
  if (!running_ || mode_ != TXALAddressWatchMode::Notifications) {
    return;
  }
  const std::uint64_t now = port_.NowMs();
  const bool first = !noticePending_;
  if (first) {
    noticePending_ = true;
    firstNoticeMs_ = now;
  }
  ++notices_;
  // What was prepared before this notice may no longer hold.
  prepared_ = false;
  // This notice arms the wake-up anew, also over one that fired while preparing.
  wakeDeferred_ = false;
  // Each notice pushes the check back to a settle time after it, but never past the longest
  // wait after the first one.
  const std::uint64_t latest = firstNoticeMs_ + kAddressLongestWaitMs;
  const std::uint64_t due = std::min(now + kAddressSettleMs, latest);
  port_.SetWake(due > now ? static_cast<int>(due - now) : 0);
  if (!first || !prepare_ || preparing_ || checking_) {
    return;
  }
  // The wake-up's time runs while this works. The work may pump messages: a notice handled
  // meanwhile makes it stale, and a wake-up waits for its end.
  const std::uint64_t before = notices_;
  {
    const TBusy busy(preparing_);
    prepare_();
  }
  if (!running_) {
    return;
  }
  prepared_ = notices_ == before;
  if (std::exchange(wakeDeferred_, false)) {
    // Through the port, not at once: notices still queued behind the one that started this are
    // handled first, so that a later change makes what was prepared stale before it is used.
    port_.SetWake(0);
  }
}

void TXALAddressWatch::OnWake() {
  if (!running_) {
    return;
  }
  if (preparing_ || checking_) {
    wakeDeferred_ = true;
    return;
  }
  if (mode_ == TXALAddressWatchMode::Polling) {
    // Armed again first: a check that pumps messages may stop the watch.
    port_.SetWake(kAddressPollMs);
    {
      const TBusy busy(checking_);
      check_(false);
    }
    // A poll that came during the check finds the next one armed.
    wakeDeferred_ = false;
    return;
  }
  if (!noticePending_) {
    port_.SetWake(-1);
    return;
  }
  noticePending_ = false;
  port_.SetWake(-1);
  const bool prepared = std::exchange(prepared_, false);
  const std::uint64_t before = notices_;
  bool ran = false;
  {
    const TBusy busy(checking_);
    ran = check_(prepared);
  }
  if (!running_) {
    return;
  }
  const bool deferred = std::exchange(wakeDeferred_, false);
  if (!ran) {
    // The change is still to be seen; a notice is pending again until the check has run, and
    // what was prepared holds while no other notice came.
    noticePending_ = true;
    firstNoticeMs_ = port_.NowMs();
    prepared_ = prepared && notices_ == before;
    port_.SetWake(kAddressSettleMs);
  } else if (deferred && noticePending_) {
    // A notice handled during the check has settled meanwhile.
    port_.SetWake(0);
  }
}

}  // namespace xal
