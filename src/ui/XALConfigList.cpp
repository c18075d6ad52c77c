#include "ui/XALConfigList.h"

#include <utility>
#include <vector>

namespace xal {
namespace {

constexpr int kClientWidth = 280;
constexpr int kClientHeight = 310;
constexpr int kListHeight = 203;
// The list keeps room beside it for the two move buttons; everything else keeps its size.
constexpr int kMinListHeight = 52;

}  // namespace

TfmXALConfigList::TfmXALConfigList(TXALDialogContext& context)
    : TXALDialog("fmXALConfigList", kClientWidth, kClientHeight), context_(context) {
  TXALControl& list = Add(TXALControlKind::List, "lbList", {8, 8, 198, kListHeight});
  list.Anchors = kAnchorRight | kAnchorBottom;
  // Class names can be longer than the list is wide.
  list.Tip = TXALTip::LineUnderPointer;
  Add(TXALControlKind::Button, "btUp", {212, 8, 60, 23}).Anchors = kMoveRight;
  Add(TXALControlKind::Button, "btDown", {212, 37, 60, 23}).Anchors = kMoveRight;
  Add(TXALControlKind::Edit, "edName", {8, 217, 264, 21}).Anchors = kAnchorRight | kMoveDown;
  Add(TXALControlKind::Button, "btUpdate", {8, 244, 75, 23}).Anchors = kMoveDown;
  Add(TXALControlKind::Button, "btAdd", {89, 244, 75, 23}).Anchors = kMoveDown;
  Add(TXALControlKind::Button, "btDelete", {170, 244, 75, 23}).Anchors = kMoveDown;
  // No default button: Enter belongs to edName, where it replaces the selected line.
  TXALControl& ok = Add(TXALControlKind::Button, "btOK", {116, 279, 75, 23});
  ok.Closes = TXALModalResult::OK;
  ok.Anchors = kMoveRight | kMoveDown;
  TXALControl& cancel = Add(TXALControlKind::Button, "btCancel", {197, 279, 75, 23});
  cancel.Cancel = true;
  cancel.Closes = TXALModalResult::Cancel;
  cancel.Anchors = kMoveRight | kMoveDown;
  SetResizable(kClientWidth, kClientHeight - kListHeight + kMinListHeight);
}

void TfmXALConfigList::SetCaption(std::string_view caption) {
  caption_ = CaptionWithoutAccessKey(caption);
  SetTitle(caption_);
}

void TfmXALConfigList::SetList(const TXALStringList& list) {
  PutLines(std::vector<std::string>(list.begin(), list.end()), -1);
}

TXALStringList TfmXALConfigList::List() const {
  TXALStringList list;
  for (const std::string& line : Control("lbList").Items) {
    list.Add(line);
  }
  return list;
}

void TfmXALConfigList::OnShow() {
  LoadCaptions(context_.Language,
               {"btUp", "btDown", "btUpdate", "btAdd", "btDelete", "btOK", "btCancel"});
  // The editor has no title of its own; it keeps the one its caller gave.
  SetTitle(caption_);
}

void TfmXALConfigList::OnClick(const std::string& name) {
  if (name == "btUpdate") {
    ReplaceSelected();
  } else if (name == "btAdd") {
    AddTyped();
  } else if (name == "btDelete") {
    DeleteSelected();
  } else if (name == "btUp") {
    MoveSelected(-1);
  } else if (name == "btDown") {
    MoveSelected(1);
  }
}

void TfmXALConfigList::OnSelect(const std::string& name, int index) {
  if (name == "lbList" && index >= 0) {
    Mutable("edName").Text = Control("lbList").Items[static_cast<std::size_t>(index)];
  }
}

void TfmXALConfigList::OnEnter(const std::string& name) {
  if (name == "edName") {
    ReplaceSelected();
  }
}

void TfmXALConfigList::ReplaceSelected() {
  const TXALControl& list = Control("lbList");
  const int selected = list.ItemIndex;
  // A line the settings file couldn't hold would make every later save fail.
  if (selected < 0 || !AllStorable(context_.Language, {"edName"})) {
    return;
  }
  std::vector<std::string> lines = list.Items;
  lines[static_cast<std::size_t>(selected)] = Control("edName").Text;
  PutLines(std::move(lines), selected);
}

void TfmXALConfigList::AddTyped() {
  if (!AllStorable(context_.Language, {"edName"})) {
    return;
  }
  const TXALControl& list = Control("lbList");
  std::vector<std::string> lines = list.Items;
  lines.push_back(Control("edName").Text);
  PutLines(std::move(lines), list.ItemIndex);
}

void TfmXALConfigList::DeleteSelected() {
  const TXALControl& list = Control("lbList");
  const int selected = list.ItemIndex;
  if (selected < 0) {
    return;
  }
  std::vector<std::string> lines = list.Items;
  lines.erase(lines.begin() + selected);
  PutLines(std::move(lines), -1);
}

void TfmXALConfigList::MoveSelected(int step) {
  const TXALControl& list = Control("lbList");
  const int selected = list.ItemIndex;
  const int target = selected + step;
  if (selected < 0 || target < 0 || target >= static_cast<int>(list.Items.size())) {
    return;
  }
  std::vector<std::string> lines = list.Items;
  std::swap(lines[static_cast<std::size_t>(selected)], lines[static_cast<std::size_t>(target)]);
  PutLines(std::move(lines), target);
}

void TfmXALConfigList::PutLines(std::vector<std::string> lines, int selected) {
  SetLines("lbList", std::move(lines));
  Mutable("lbList").ItemIndex = selected;
}

}  // namespace xal
