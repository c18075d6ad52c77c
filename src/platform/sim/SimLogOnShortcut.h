// A Startup folder of one shortcut, which can be made to fail.
#pragma once

#include <string>

#include "catalogue/XALErrors.h"
#include "platform/LogOnShortcut.h"

namespace xal::sim {

class SimLogOnShortcut : public ILogOnShortcut {
 public:
  bool IsRegistered() const override { return registered; }
  void Register() override {
    ++registrations;
    if (!failure.empty()) {
      throw EXALError(failure);
    }
    registered = true;
  }
  void Unregister() override {
    if (!failure.empty()) {
      throw EXALError(failure);
    }
    registered = false;
  }

  bool registered = false;
  int registrations = 0;
  // When not empty, every change fails with this reason.
  std::string failure;
};

}  // namespace xal::sim
