// Message boxes that answer from a script and remember what they showed.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBoxes.h"

namespace xal::sim {

struct SimShownBox {
  enum class Kind { Error, OkCancel, YesNoCancel };
  Kind kind;
  std::string text;
};

class SimMessageBoxes : public IMessageBoxes {
 public:
  void ShowError(const std::string& text) override;
  TXALAnswer ConfirmOkCancel(const std::string& text) override;
  TXALAnswer ConfirmYesNoCancel(const std::string& text) override;

  // Answers for the next questions, in order; a question without one is answered Cancel.
  void QueueAnswer(TXALAnswer answer) { answers_.push_back(answer); }
  const std::vector<SimShownBox>& Shown() const { return shown_; }
  std::vector<std::string> Errors() const;
  void ClearShown() { shown_.clear(); }

 private:
  TXALAnswer Answer(SimShownBox::Kind kind, const std::string& text);

  std::deque<TXALAnswer> answers_;
  std::vector<SimShownBox> shown_;
};

}  // namespace xal::sim
