// The hook libraries that report other programs' window activation, caption changes and
// destruction to the main window.
#pragma once

namespace xal {

class IWindowHooks {
 public:
  virtual ~IWindowHooks() = default;
  // Starts reporting to the main window. Raises EXALError naming the library when a library or
  // one of its functions is missing.
  virtual void Start() = 0;
  // Stops reporting and releases the libraries; harmless when they never started.
  virtual void Stop() noexcept = 0;
};

}  // namespace xal
