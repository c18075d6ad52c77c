// A dialog without its window: the controls it has, their state, and what each event a person
// makes does to them. Every dialog's presenter derives from TXALDialog; one Windows view draws
// any of them from its control list, and tests drive them by control name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xal {

class TXALLanguage;

enum class TXALControlKind {
  Label,
  // A label that shows a value; takes the pointer, so its tooltip can show the whole value.
  ValueLabel,
  Edit,
  Button,
  CheckBox,
  RadioButton,
  GroupBox,
  // A group box of radio buttons, one per item; ItemIndex is the selected item.
  RadioGroup,
  // A list with at most one selected line (ItemIndex).
  List,
  // A list in which several lines can be selected (ItemSelected).
  MultiList,
  // A list with a check box per line (ItemChecked) and one selected line (ItemIndex).
  CheckList,
  // An integer field with up and down arrows; Text holds the number as typed.
  SpinEdit,
  // Rows of cells under column titles (Columns), one selected row (ItemIndex); Cells holds the
  // rows, ItemData what each row stands for.
  Grid,
};

// Keys a form acts on beyond what the controls do themselves.
enum class TXALKey { Delete, C, X, V, Other };

// Modifier keys held with a key.
enum TXALModifier : unsigned {
  kModifierNone = 0,
  kModifierShift = 1,
  kModifierCtrl = 2,
  kModifierAlt = 4,
};

// An entry of a form's right-click menu.
struct TXALMenuItem {
  std::string Name;
  std::string Text;
  bool Visible = true;
  bool Separator = false;
};

// What a control's tooltip shows.
enum class TXALTip {
  None,
  // The control's own text (an edit field or a label).
  OwnText,
  // The full text of the list line under the pointer; nothing where there is no line.
  LineUnderPointer,
  // Whatever the dialog's TipText makes of the line under the pointer.
  Custom,
};

enum class TXALModalResult { None, OK, Cancel };

// In pixels of the client area at 96 dots per inch; the view scales them for the display.
struct TXALBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// How a control follows the window's size when the dialog can be resized.
enum TXALAnchor : std::uint8_t {
  kAnchorNone = 0,
  // The right edge keeps its distance to the window's right edge (with kAnchorLeft: it grows).
  kAnchorRight = 1,
  // The bottom edge keeps its distance to the window's bottom edge.
  kAnchorBottom = 2,
  // The control moves with the right or bottom edge instead of growing.
  kMoveRight = 4,
  kMoveDown = 8,
};

struct TXALControl {
  std::string Name;
  TXALControlKind Kind = TXALControlKind::Label;
  TXALBounds Bounds;
  // The group box it sits in; empty when it sits on the dialog itself.
  std::string Parent;
  // Caption, or the text of an edit field or spin edit.
  std::string Text;
  bool Enabled = true;
  bool Checked = false;
  // Lines of a list, or the items of a radio group.
  std::vector<std::string> Items;
  // The window handle or other number each line stands for, parallel to Items where used.
  std::vector<std::uint64_t> ItemData;
  std::vector<bool> ItemChecked;
  std::vector<bool> ItemSelected;
  // Lines drawn in red in a list. A list that Highlights is drawn from its lines as they come
  // into view, which also keeps a list of thousands of lines quick to fill.
  std::vector<bool> ItemHighlighted;
  bool Highlights = false;
  // A grid's column titles, column widths (at 96 dots per inch) and rows of cells.
  std::vector<std::string> Columns;
  std::vector<int> ColumnWidths;
  std::vector<std::vector<std::string>> Cells;
  int ItemIndex = -1;
  TXALTip Tip = TXALTip::None;
  // Enter presses the default button; Esc the cancel button.
  bool Default = false;
  bool Cancel = false;
  // A button that closes the dialog: OK once the dialog confirms, Cancel at once.
  TXALModalResult Closes = TXALModalResult::None;
  std::uint8_t Anchors = kAnchorNone;
};

class TXALDialog {
 public:
  // The form name is the prefix of its language keys ("fmXALConfigWiFi").
  TXALDialog(std::string formName, int clientWidth, int clientHeight);
  virtual ~TXALDialog() = default;
  TXALDialog(const TXALDialog&) = delete;
  TXALDialog& operator=(const TXALDialog&) = delete;

  const std::string& FormName() const { return formName_; }
  const std::string& Title() const { return title_; }
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  // A resizable dialog keeps at least its minimum client size.
  bool Resizable() const { return resizable_; }
  int MinClientWidth() const { return minClientWidth_; }
  int MinClientHeight() const { return minClientHeight_; }

  // In creation order, which is the tab order.
  const std::vector<TXALControl>& Controls() const { return controls_; }
  // Raises std::out_of_range for a name the dialog doesn't have.
  const TXALControl& Control(std::string_view name) const;
  bool Has(std::string_view name) const { return Find(name) != nullptr; }
  // Input only reaches an enabled control whose group boxes are enabled; the view draws the
  // others disabled.
  bool TakesInput(const TXALControl& control) const;

  // The events a person makes. Each runs the dialog's rule for it; those on a disabled control
  // do nothing, as the control would take no input.
  //
  // Shown: captions from the language, then what the dialog fills in on every show.
  void Show();
  // Text typed into an edit field or spin edit.
  void Type(std::string_view name, std::string text);
  // A button pressed, a check box toggled, a radio button selected. A button that closes with
  // OK asks the dialog to confirm first.
  void Click(std::string_view name);
  // A line of a list clicked (selected), or an item of a radio group chosen. -1 is a click
  // where there is no line.
  void Select(std::string_view name, int index);
  // A line of a multiple-choice list selected or deselected, the click then reported.
  void SetSelected(std::string_view name, int index, bool selected);
  // A line's check box in a check list.
  void CheckItem(std::string_view name, int index, bool checked);
  void DoubleClick(std::string_view name, int index);
  // The Enter key: in an edit field that keeps it when the dialog has no default button,
  // otherwise the default button's click.
  void PressEnter(std::string_view name);
  // The Esc key: the cancel button's click.
  void PressEscape();
  // Closing the window by its close box or Esc is Cancel.
  void Close() { result_ = TXALModalResult::Cancel; }
  // A key pressed in a control, with the modifiers held.
  void KeyDown(std::string_view name, TXALKey key, unsigned modifiers);
  // The right mouse button pressed on line index of a list or grid (-1: where there is none).
  // True when the form's menu is to be shown; Menu() then says which entries.
  bool RightClick(std::string_view name, int index);
  // An entry of the menu the last right click showed.
  void MenuClick(std::string_view item);
  // The client area took a new size (at 96 dots per inch).
  void Resize(int clientWidth, int clientHeight);
  const std::vector<TXALMenuItem>& Menu() const { return menu_; }

  // The tooltip of a control with the pointer over line index (-1: no line, or not a list) and,
  // in a grid, column.
  std::string TipText(std::string_view name, int index, int column = -1) const;

  // None while the dialog stays open.
  TXALModalResult Result() const { return result_; }
  // A refusal or notice the dialog wants shown with the error icon, taken once.
  bool HasMessage() const { return !message_.empty(); }
  std::string TakeMessage();

  // Called whenever controls changed outside an event (fresh lists pushed while the dialog is
  // open); the view redraws then. Events need no call: the view redraws after each.
  void SetChangedHandler(std::function<void()> changed) { changed_ = std::move(changed); }

 protected:
  TXALControl& Add(TXALControlKind kind, std::string name, TXALBounds bounds,
                   std::string parent = {});
  TXALControl& Mutable(std::string_view name);

  void SetTitle(std::string title) { title_ = std::move(title); }
  void SetResizable(int minClientWidth, int minClientHeight);
  // The title from FormName + "Caption", and each named control's caption from FormName + "_"
  // + name + "Caption".
  void LoadCaptions(const TXALLanguage& language, std::initializer_list<std::string_view> names);
  // A group box and every control directly inside it enabled or disabled together.
  void SetGroupOn(std::string_view group, bool on);
  // Replaces a list's lines; they arrive unchecked and unselected.
  void SetLines(std::string_view name, std::vector<std::string> lines,
                std::vector<std::uint64_t> data = {});
  // The number in a spin edit; text that isn't a whole number in range reads as 0.
  int SpinValue(std::string_view name) const;
  void SetSpinValue(std::string_view name, int value);
  // Whether a spin edit's text is a whole number the field can hold.
  bool SpinValid(std::string_view name) const;
  // Shown by the view with the error icon after the event.
  void Refuse(std::string message) { message_ = std::move(message); }
  // Refuses, with the language's "NotStorableTextMsg" and the character's code, the first of
  // the named controls whose text holds a character the data files can't hold (a control
  // character pasted in, or text that isn't UTF-8); true when all can be stored.
  bool AllStorable(const TXALLanguage& language, std::initializer_list<std::string_view> names);
  void EndWith(TXALModalResult result) { result_ = result; }
  void Changed();

  // The dialog's rules. OnConfirm refuses (with Refuse) to keep the dialog open.
  virtual void OnShow() {}
  virtual void OnTyped(const std::string& /*name*/) {}
  virtual void OnClick(const std::string& /*name*/) {}
  virtual void OnSelect(const std::string& /*name*/, int /*index*/) {}
  virtual void OnItemChecked(const std::string& /*name*/, int /*index*/) {}
  virtual void OnDoubleClick(const std::string& /*name*/, int /*index*/) {}
  virtual void OnEnter(const std::string& /*name*/) {}
  virtual bool OnConfirm() { return true; }
  virtual std::string CustomTip(const std::string& /*name*/, int /*index*/) const { return {}; }
  virtual std::string CustomCellTip(const std::string& name, int row, int /*column*/) const {
    return CustomTip(name, row);
  }
  virtual void OnKeyDown(const std::string& /*name*/, TXALKey /*key*/, unsigned /*modifiers*/) {}
  virtual bool OnRightClick(const std::string& /*name*/, int /*index*/) { return false; }
  virtual void OnMenuClick(const std::string& /*item*/) {}
  virtual void OnResize(int /*clientWidth*/, int /*clientHeight*/) {}
  // Replaces a grid's rows; the selection goes.
  void SetRows(std::string_view name, std::vector<std::vector<std::string>> rows,
               std::vector<std::uint64_t> data = {});

  std::vector<TXALMenuItem> menu_;

 private:
  const TXALControl* Find(std::string_view name) const;
  TXALControl* FindMutable(std::string_view name);

  std::string formName_;
  std::string title_;
  int clientWidth_;
  int clientHeight_;
  bool resizable_ = false;
  int minClientWidth_ = 0;
  int minClientHeight_ = 0;
  std::vector<TXALControl> controls_;
  TXALModalResult result_ = TXALModalResult::None;
  std::string message_;
  std::function<void()> changed_;
};

}  // namespace xal
