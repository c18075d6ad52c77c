// A small editor for a list of lines: the window classes of the settings' white and black lists.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALLists.h"
#include "ui/XALCaption.h"
#include "ui/XALDialog.h"
#include "ui/XALDialogContext.h"

namespace xal {

class TfmXALConfigList : public TXALDialog {
 public:
  explicit TfmXALConfigList(TXALDialogContext& context);

  // The title is the caption of the button that opened the editor.
  void SetCaption(std::string_view caption);
  // The lines the editor starts with.
  void SetList(const TXALStringList& list);
  // The lines as edited, in order; what replaces the list after OK.
  TXALStringList List() const;

 protected:
  void OnShow() override;
  void OnClick(const std::string& name) override;
  void OnSelect(const std::string& name, int index) override;
  void OnEnter(const std::string& name) override;

 private:
  void ReplaceSelected();
  void AddTyped();
  void DeleteSelected();
  // Swaps the selected line with its neighbour step lines away, which it keeps selected.
  void MoveSelected(int step);
  // Replaces the list's lines, with the given line selected (-1: none).
  void PutLines(std::vector<std::string> lines, int selected);

  TXALDialogContext& context_;
  std::string caption_;
};

}  // namespace xal
