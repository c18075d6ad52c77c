// Whether a balloon of ours may still be shown at the tray icon. Every recheck without pending
// IP settings withdraws the balloon, and the notification area takes milliseconds for each call,
// so a withdrawal is sent only while one of ours may still be up.
#pragma once

#include <string>

namespace xal {

class TXALTrayBalloon {
 public:
  // Whether a call with these texts is worth making; empty title and text withdraw.
  bool Needed(const std::string& title, const std::string& text) const {
    return !IsWithdrawal(title, text) || shown_;
  }
  // After the call; taken says whether the notification area took it. A balloon that timed out
  // or was closed still counts as shown until it is withdrawn once.
  void Sent(const std::string& title, const std::string& text, bool taken) {
    if (taken) {
      shown_ = !IsWithdrawal(title, text);
    }
  }
  // A new icon, also after the notification area restarted, has no balloon.
  void IconAdded() { shown_ = false; }

 private:
  static bool IsWithdrawal(const std::string& title, const std::string& text) {
    return title.empty() && text.empty();
  }

  bool shown_ = false;
};

}  // namespace xal
