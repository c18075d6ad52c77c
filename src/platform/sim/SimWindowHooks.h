// Hook libraries as a test sets them up: they start, or fail to load.
#pragma once

#include <string>

#include "catalogue/XALErrors.h"
#include "platform/WindowHooks.h"

namespace xal::sim {

class SimWindowHooks : public IWindowHooks {
 public:
  void Start() override {
    if (!missingLibrary.empty()) {
      throw EXALError("The hook library \"" + missingLibrary + "\" can't be loaded.");
    }
    running = true;
    ++starts;
  }
  void Stop() noexcept override {
    if (running) {
      ++stops;
    }
    running = false;
  }

  // Non-empty: Start fails naming this library.
  std::string missingLibrary;
  bool running = false;
  int starts = 0;
  int stops = 0;
};

}  // namespace xal::sim
