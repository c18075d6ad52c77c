// The dialog that edits one display entry of an environment's layout, offering the displays
// attached now.
#pragma once

#include <string>
#include <vector>

#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TXALDisplay;
class TXALDisplays;

class TfmXALConfigDisplay : public TXALDialog, private IXALCurrentListener {
 public:
  explicit TfmXALConfigDisplay(TXALDialogContext& context);

  // The number of the entry being edited, which it may keep; -1 while a new one is added.
  int OriginalNumber = -1;

  // Editing: OriginalNumber and the fields from the entry.
  void SetDisplay(const TXALDisplay& display);
  // The numbers the set's entries have now, which OK refuses to take twice.
  void SetExistingNumbers(std::vector<int> numbers) { existingNumbers_ = std::move(numbers); }
  void SetExistingNumbers(const TXALDisplays& displays);

  // The fields after OK, which has found each a whole number.
  int Number() const { return SpinValue("seNumber"); }
  int Left() const { return SpinValue("seLeft"); }
  int Top() const { return SpinValue("seTop"); }
  int Width() const { return SpinValue("seWidth"); }
  int Height() const { return SpinValue("seHeight"); }

 protected:
  void OnShow() override;
  void OnSelect(const std::string& name, int index) override;
  bool OnConfirm() override;

 private:
  void OnDisplaysChanged(const std::vector<TXALDisplayLine>& lines) override;
  void ListDisplays(const std::vector<TXALDisplayLine>& lines);

  TXALDialogContext& context_;
  std::vector<int> existingNumbers_;
  // Parallel to the lines of lbDisplays: the monitor each stands for.
  std::vector<TXALMonitor> monitors_;
  TXALCurrentSubscription subscription_;
};

}  // namespace xal
