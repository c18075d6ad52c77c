// Modal message boxes. Their title is the application title.
#pragma once

#include <string>

namespace xal {

enum class TXALAnswer { Ok, Cancel, Yes, No };

class IMessageBoxes {
 public:
  virtual ~IMessageBoxes() = default;

  virtual void ShowError(const std::string& text) = 0;
  // Buttons OK and Cancel; closing the box otherwise answers Cancel.
  virtual TXALAnswer ConfirmOkCancel(const std::string& text) = 0;
  // Buttons Yes, No and Cancel; closing the box otherwise answers Cancel.
  virtual TXALAnswer ConfirmYesNoCancel(const std::string& text) = 0;
};

}  // namespace xal
