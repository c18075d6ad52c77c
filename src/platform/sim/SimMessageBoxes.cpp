#include "platform/sim/SimMessageBoxes.h"

namespace xal::sim {

void SimMessageBoxes::ShowError(const std::string& text) {
  shown_.push_back({SimShownBox::Kind::Error, text});
}

TXALAnswer SimMessageBoxes::ConfirmOkCancel(const std::string& text) {
  return Answer(SimShownBox::Kind::OkCancel, text);
}

TXALAnswer SimMessageBoxes::ConfirmYesNoCancel(const std::string& text) {
  return Answer(SimShownBox::Kind::YesNoCancel, text);
}

TXALAnswer SimMessageBoxes::Answer(SimShownBox::Kind kind, const std::string& text) {
  shown_.push_back({kind, text});
  if (answers_.empty()) {
    return TXALAnswer::Cancel;
  }
  const TXALAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::vector<std::string> SimMessageBoxes::Errors() const {
  std::vector<std::string> errors;
  for (const SimShownBox& box : shown_) {
    if (box.kind == SimShownBox::Kind::Error) {
      errors.push_back(box.text);
    }
  }
  return errors;
}

}  // namespace xal::sim
