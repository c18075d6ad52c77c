#include "ui/XALDialog.h"

#include <charconv>
#include <stdexcept>

#include "catalogue/Utf8.h"
#include "ui/XALLanguage.h"

namespace xal {

TXALDialog::TXALDialog(std::string formName, int clientWidth, int clientHeight)
    : formName_(std::move(formName)), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

const TXALControl* TXALDialog::Find(std::string_view name) const {
  for (const TXALControl& control : controls_) {
    if (control.Name == name) {
      return &control;
    }
  }
  return nullptr;
}

TXALControl* TXALDialog::FindMutable(std::string_view name) {
  return const_cast<TXALControl*>(Find(name));
}

const TXALControl& TXALDialog::Control(std::string_view name) const {
  const TXALControl* control = Find(name);
  if (control == nullptr) {
    throw std::out_of_range(formName_ + " has no control " + std::string(name));
  }
  return *control;
}

TXALControl& TXALDialog::Mutable(std::string_view name) {
  return const_cast<TXALControl&>(Control(name));
}

TXALControl& TXALDialog::Add(TXALControlKind kind, std::string name, TXALBounds bounds,
                             std::string parent) {
  TXALControl control;
  control.Kind = kind;
  control.Name = std::move(name);
  control.Bounds = bounds;
  control.Parent = std::move(parent);
  controls_.push_back(std::move(control));
  return controls_.back();
}

void TXALDialog::SetResizable(int minClientWidth, int minClientHeight) {
  resizable_ = true;
  minClientWidth_ = minClientWidth;
  minClientHeight_ = minClientHeight;
}

void TXALDialog::LoadCaptions(const TXALLanguage& language,
                              std::initializer_list<std::string_view> names) {
  title_ = language.Text(formName_ + "Caption");
  for (std::string_view name : names) {
    Mutable(name).Text = language.Text(formName_ + "_" + std::string(name) + "Caption");
  }
}

void TXALDialog::SetGroupOn(std::string_view group, bool on) {
  for (TXALControl& control : controls_) {
    if (control.Name == group || control.Parent == group) {
      control.Enabled = on;
    }
  }
}

void TXALDialog::SetLines(std::string_view name, std::vector<std::string> lines,
                          std::vector<std::uint64_t> data) {
  TXALControl& list = Mutable(name);
  const std::size_t count = lines.size();
  list.Items = std::move(lines);
  data.resize(count, 0);
  list.ItemData = std::move(data);
  list.ItemChecked.assign(count, false);
  list.ItemSelected.assign(count, false);
  list.ItemIndex = -1;
}

namespace {

bool ParseInt(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  // A leading plus is what people type too.
  if (first != last && *first == '+') {
    ++first;
  }
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

}  // namespace

int TXALDialog::SpinValue(std::string_view name) const {
  int value = 0;
  return ParseInt(Control(name).Text, value) ? value : 0;
}

bool TXALDialog::SpinValid(std::string_view name) const {
  int value = 0;
  return ParseInt(Control(name).Text, value);
}

void TXALDialog::SetSpinValue(std::string_view name, int value) {
  Mutable(name).Text = std::to_string(value);
}

bool TXALDialog::AllStorable(const TXALLanguage& language,
                             std::initializer_list<std::string_view> names) {
  for (std::string_view name : names) {
    const std::string& text = Control(name).Text;
    std::size_t index = 0;
    while (index < text.size()) {
      char32_t codePoint = 0;
      if (!NextCodePoint(text, index, codePoint)) {
        Refuse(language.Text("NotStorableTextMsg"));
        return false;
      }
      if (!IsXmlCharacter(codePoint)) {
        Refuse(language.Text("NotStorableTextMsg") + " (" + CodePointName(codePoint) + ")");
        return false;
      }
    }
  }
  return true;
}

void TXALDialog::Changed() {
  if (changed_) {
    changed_();
  }
}

bool TXALDialog::TakesInput(const TXALControl& control) const {
  const TXALControl* at = &control;
  // Group boxes nest only a few deep; a parent that names no control ends the walk.
  for (int depth = 0; at != nullptr && depth < 16; ++depth) {
    if (!at->Enabled) {
      return false;
    }
    at = at->Parent.empty() ? nullptr : Find(at->Parent);
  }
  return true;
}

void TXALDialog::Show() {
  result_ = TXALModalResult::None;
  OnShow();
}

void TXALDialog::Type(std::string_view name, std::string text) {
  TXALControl& control = Mutable(name);
  if (!TakesInput(control)) {
    return;
  }
  control.Text = std::move(text);
  OnTyped(control.Name);
}

void TXALDialog::Click(std::string_view name) {
  TXALControl& control = Mutable(name);
  if (!TakesInput(control)) {
    return;
  }
  const std::string controlName = control.Name;
  switch (control.Kind) {
    case TXALControlKind::CheckBox:
      control.Checked = !control.Checked;
      break;
    case TXALControlKind::RadioButton:
      for (TXALControl& other : controls_) {
        if (other.Kind == TXALControlKind::RadioButton && other.Parent == control.Parent) {
          other.Checked = &other == &control;
        }
      }
      break;
    default:
      break;
  }
  if (control.Closes == TXALModalResult::Cancel) {
    result_ = TXALModalResult::Cancel;
    return;
  }
  if (control.Closes == TXALModalResult::OK) {
    if (OnConfirm()) {
      result_ = TXALModalResult::OK;
    }
    return;
  }
  OnClick(controlName);
}

void TXALDialog::Select(std::string_view name, int index) {
  TXALControl& control = Mutable(name);
  if (!TakesInput(control)) {
    return;
  }
  const int count = static_cast<int>(control.Kind == TXALControlKind::Grid ? control.Cells.size()
                                                                           : control.Items.size());
  if (index < -1 || index >= count) {
    index = -1;
  }
  control.ItemIndex = index;
  if (control.Kind == TXALControlKind::MultiList) {
    control.ItemSelected.assign(control.Items.size(), false);
    if (index >= 0) {
      control.ItemSelected[static_cast<std::size_t>(index)] = true;
    }
  }
  OnSelect(control.Name, index);
}

void TXALDialog::SetSelected(std::string_view name, int index, bool selected) {
  TXALControl& control = Mutable(name);
  if (!TakesInput(control) || index < 0 || index >= static_cast<int>(control.Items.size())) {
    return;
  }
  control.ItemSelected.resize(control.Items.size(), false);
  control.ItemSelected[static_cast<std::size_t>(index)] = selected;
  control.ItemIndex = index;
  OnSelect(control.Name, index);
}

void TXALDialog::CheckItem(std::string_view name, int index, bool checked) {
  TXALControl& control = Mutable(name);
  if (!TakesInput(control) || index < 0 || index >= static_cast<int>(control.Items.size())) {
    return;
  }
  control.ItemChecked.resize(control.Items.size(), false);
  control.ItemChecked[static_cast<std::size_t>(index)] = checked;
  OnItemChecked(control.Name, index);
}

void TXALDialog::DoubleClick(std::string_view name, int index) {
  TXALControl& control = Mutable(name);
  const std::size_t count =
      control.Kind == TXALControlKind::Grid ? control.Cells.size() : control.Items.size();
  if (!TakesInput(control) || index < 0 || index >= static_cast<int>(count)) {
    return;
  }
  OnDoubleClick(control.Name, index);
}

void TXALDialog::PressEnter(std::string_view name) {
  for (const TXALControl& control : controls_) {
    if (control.Default) {
      Click(control.Name);
      return;
    }
  }
  const TXALControl& control = Control(name);
  if (TakesInput(control)) {
    OnEnter(control.Name);
  }
}

void TXALDialog::PressEscape() {
  for (const TXALControl& control : controls_) {
    if (control.Cancel) {
      Click(control.Name);
      return;
    }
  }
  result_ = TXALModalResult::Cancel;
}

void TXALDialog::SetRows(std::string_view name, std::vector<std::vector<std::string>> rows,
                         std::vector<std::uint64_t> data) {
  TXALControl& grid = Mutable(name);
  const std::size_t count = rows.size();
  grid.Cells = std::move(rows);
  data.resize(count, 0);
  grid.ItemData = std::move(data);
  grid.ItemIndex = -1;
}

void TXALDialog::KeyDown(std::string_view name, TXALKey key, unsigned modifiers) {
  const TXALControl& control = Control(name);
  if (TakesInput(control)) {
    OnKeyDown(control.Name, key, modifiers);
  }
}

bool TXALDialog::RightClick(std::string_view name, int index) {
  const TXALControl& control = Control(name);
  return TakesInput(control) && OnRightClick(control.Name, index);
}

void TXALDialog::MenuClick(std::string_view item) {
  for (const TXALMenuItem& entry : menu_) {
    if (entry.Name == item && entry.Visible && !entry.Separator) {
      OnMenuClick(entry.Name);
      return;
    }
  }
}

void TXALDialog::Resize(int clientWidth, int clientHeight) {
  OnResize(clientWidth, clientHeight);
}

std::string TXALDialog::TipText(std::string_view name, int index, int column) const {
  const TXALControl& control = Control(name);
  if (control.Kind == TXALControlKind::Grid) {
    const int rows = static_cast<int>(control.Cells.size());
    if (index < 0 || index >= rows) {
      return {};
    }
    if (control.Tip == TXALTip::Custom) {
      return CustomCellTip(control.Name, index, column);
    }
    if (control.Tip == TXALTip::LineUnderPointer) {
      const auto& row = control.Cells[static_cast<std::size_t>(index)];
      return column >= 0 && column < static_cast<int>(row.size())
                 ? row[static_cast<std::size_t>(column)]
                 : std::string();
    }
  }
  switch (control.Tip) {
    case TXALTip::None:
      return {};
    case TXALTip::OwnText:
      return control.Text;
    case TXALTip::LineUnderPointer:
      if (index < 0 || index >= static_cast<int>(control.Items.size())) {
        return {};
      }
      return control.Items[static_cast<std::size_t>(index)];
    case TXALTip::Custom:
      return CustomTip(control.Name, index);
  }
  return {};
}

std::string TXALDialog::TakeMessage() {
  std::string message = std::move(message_);
  message_.clear();
  return message;
}

}  // namespace xal
