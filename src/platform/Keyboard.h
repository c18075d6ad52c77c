// The state of the keyboard at this moment.
#pragma once

namespace xal {

class IKeyboard {
 public:
  virtual ~IKeyboard() = default;
  virtual bool IsShiftDown() const = 0;
};

}  // namespace xal
