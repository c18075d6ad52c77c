#include "ui/win32/FormView.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <exception>
#include <stdexcept>

#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"
#include "ui/win32/Dpi.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kFormViewClass[] = L"TXALDialog";
constexpr UINT_PTR kListSubclassId = 1;
// Names each control by its presenter name for programs outside, which read it with GetPropW and
// GlobalGetAtomNameW.
constexpr wchar_t kControlNameProperty[] = L"XALControlName";
constexpr int kMaxTipWidth = 600;
// Entries of a right-click menu, by their place in the presenter's menu.
constexpr UINT kFirstMenuId = 50000;
// Enter and Esc reach a dialog that has no default or cancel button under these numbers, which
// no control of the list uses.
constexpr int kEnterId = IDOK;
constexpr int kEscapeId = IDCANCEL;

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

// The one selected and focused line of a list view (-1: none), brought into view when asked.
void SelectListViewLine(HWND list, int line, bool scrollTo) {
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = 0;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  if (line < 0) {
    return;
  }
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
  if (scrollTo) {
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(line), FALSE);
  }
}

// Lists drawn by a list view: the check lists, the grids, and lists with red lines (whose lines
// the view asks for as it draws, so that ten thousand of them cost nothing to show).
bool IsViewList(const TXALControl& control) {
  return control.Kind == TXALControlKind::CheckList || control.Kind == TXALControlKind::Grid ||
         (control.Kind == TXALControlKind::List && control.Highlights);
}

bool IsListKind(TXALControlKind kind) {
  return kind == TXALControlKind::List || kind == TXALControlKind::MultiList;
}

// The line under a point of a list's client area, or -1 where there is none.
int ListItemAt(HWND list, POINT point) {
  const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(hit) != 0) {
    return -1;
  }
  const int index = LOWORD(hit);
  return index < SendMessageW(list, LB_GETCOUNT, 0, 0) ? index : -1;
}

int ListViewItemAt(HWND list, POINT point) {
  LVHITTESTINFO hit{};
  hit.pt = point;
  const LRESULT index = SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
  return (hit.flags & LVHT_ONITEM) != 0 ? static_cast<int>(index) : -1;
}

}  // namespace

FormView::FormView(HINSTANCE instance, TXALDialog& form) : instance_(instance), form_(form) {}

FormView::~FormView() {
  form_.SetChangedHandler(nullptr);
  for (const Made& made : made_) {
    if (made.nameAtom == 0) {
      continue;
    }
    if (IsWindow(made.window)) {
      RemovePropW(made.window, kControlNameProperty);
    }
    // The atom outlives a destroyed window; its count is ours to give back.
    GlobalDeleteAtom(made.nameAtom);
  }
  if (font_ != nullptr) {
    DeleteObject(font_);
  }
}

void FormView::MakeFont() {
  if (font_ != nullptr) {
    DeleteObject(font_);
  }
  font_ = CreateMessageFont(dpi_);
}

RECT FormView::ScaledBounds(const TXALControl& control) const {
  // Resizable dialogs move and stretch anchored controls by what the client area gained.
  int dx = 0;
  int dy = 0;
  if (window_ != nullptr && form_.Resizable()) {
    RECT client{};
    GetClientRect(window_, &client);
    dx = MulDiv(client.right, 96, dpi_) - form_.ClientWidth();
    dy = MulDiv(client.bottom, 96, dpi_) - form_.ClientHeight();
  }
  TXALBounds bounds = control.Bounds;
  if ((control.Anchors & kMoveRight) != 0) {
    bounds.Left += dx;
  } else if ((control.Anchors & kAnchorRight) != 0) {
    bounds.Width += dx;
  }
  if ((control.Anchors & kMoveDown) != 0) {
    bounds.Top += dy;
  } else if ((control.Anchors & kAnchorBottom) != 0) {
    bounds.Height += dy;
  }
  return RECT{Scale(bounds.Left), Scale(bounds.Top), Scale(bounds.Left + bounds.Width),
              Scale(bounds.Top + bounds.Height)};
}

HWND FormView::AddWindow(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle,
                         int id) {
  HWND control =
      CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (control == nullptr) {
    throw std::runtime_error("A control of the dialog could not be created.");
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void FormView::AddTip(HWND control) {
  if (tooltip_ == nullptr) {
    return;
  }
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND FormView::AddLineListView(DWORD style, DWORD extendedStyle, int id) {
  HWND list = AddWindow(WC_LISTVIEWW, L"",
                        WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS | style,
                        WS_EX_CLIENTEDGE, id);
  const DWORD extended = LVS_EX_FULLROWSELECT | extendedStyle;
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  // The one column takes the list's width once it is laid out.
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = 100;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  SetWindowSubclass(list, &FormView::ListProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return list;
}

void FormView::MakeControl(std::size_t index) {
  const TXALControl& control = form_.Controls()[index];
  Made& made = made_[index];
  const int id = DialogControlId(static_cast<int>(index));
  const bool previousIsRadio =
      index > 0 && form_.Controls()[index - 1].Kind == TXALControlKind::RadioButton;
  switch (control.Kind) {
    case TXALControlKind::Label:
      made.window = AddWindow(L"STATIC", L"", SS_LEFT | SS_ENDELLIPSIS | SS_NOTIFY, 0, id);
      break;
    case TXALControlKind::ValueLabel:
      // A value is shown as it is: an "&" in a printer name is no mnemonic.
      made.window =
          AddWindow(L"STATIC", L"", SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX | SS_NOTIFY, 0, id);
      break;
    case TXALControlKind::Edit:
      made.window =
          AddWindow(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, id);
      break;
    case TXALControlKind::SpinEdit: {
      made.window =
          AddWindow(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, id);
      made.spin =
          AddWindow(UPDOWN_CLASSW, L"",
                    UDS_SETBUDDYINT | UDS_NOTHOUSANDS | UDS_ARROWKEYS | UDS_ALIGNRIGHT, 0, id + 1);
      SendMessageW(made.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(made.window), 0);
      // No range limit beyond what the field holds.
      SendMessageW(made.spin, UDM_SETRANGE32, static_cast<WPARAM>(INT_MIN + 1), INT_MAX);
      break;
    }
    case TXALControlKind::Button: {
      const DWORD kind = control.Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      made.window = AddWindow(L"BUTTON", L"", kind | WS_TABSTOP | WS_GROUP, 0, id);
      break;
    }
    case TXALControlKind::CheckBox:
      // A caption longer than the box wraps where the layout gives it a second line.
      made.window =
          AddWindow(L"BUTTON", L"", BS_AUTOCHECKBOX | BS_MULTILINE | WS_TABSTOP | WS_GROUP, 0, id);
      break;
    case TXALControlKind::RadioButton:
      // The first of a run of radio buttons starts the group the arrow keys move in.
      made.window =
          AddWindow(L"BUTTON", L"",
                    BS_AUTORADIOBUTTON | (previousIsRadio ? 0 : WS_GROUP | WS_TABSTOP), 0, id);
      break;
    case TXALControlKind::GroupBox:
      made.window = AddWindow(L"BUTTON", L"", BS_GROUPBOX | WS_GROUP, 0, id);
      break;
    case TXALControlKind::RadioGroup:
      made.window = AddWindow(L"BUTTON", L"", BS_GROUPBOX | WS_GROUP, 0, id);
      for (std::size_t item = 0; item < control.Items.size() && item + 1 < kDialogControlIdStep;
           ++item) {
        made.radios.push_back(
            AddWindow(L"BUTTON", L"", BS_AUTORADIOBUTTON | (item == 0 ? WS_GROUP | WS_TABSTOP : 0),
                      0, id + 1 + static_cast<int>(item)));
      }
      break;
    case TXALControlKind::List:
    case TXALControlKind::MultiList: {
      if (control.Highlights) {
        // One column without a header: it looks like a list box, draws red lines, and asks for
        // its lines as it shows them. Other programs and screen readers read them as a list
        // view's items.
        made.window = AddLineListView(LVS_OWNERDATA, 0, id);
        break;
      }
      const DWORD selection = control.Kind == TXALControlKind::MultiList ? LBS_EXTENDEDSEL : 0;
      made.window = AddWindow(
          L"LISTBOX", L"",
          WS_VSCROLL | WS_TABSTOP | WS_GROUP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | selection,
          WS_EX_CLIENTEDGE, id);
      SetWindowSubclass(made.window, &FormView::ListProc, kListSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
      break;
    }
    case TXALControlKind::CheckList: {
      made.window = AddLineListView(0, LVS_EX_CHECKBOXES, id);
      break;
    }
    case TXALControlKind::Grid:
      made.window = AddWindow(
          // Rows are asked for as they are drawn, so a grid of thousands fills at once.
          WC_LISTVIEWW, L"",
          WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
          WS_EX_CLIENTEDGE, id);
      SendMessageW(made.window, LVM_SETEXTENDEDLISTVIEWSTYLE,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                   LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
      SetWindowSubclass(made.window, &FormView::ListProc, kListSubclassId,
                        reinterpret_cast<DWORD_PTR>(this));
      break;
  }
  if (control.Tip != TXALTip::None) {
    AddTip(made.window);
  }
  made.nameAtom = GlobalAddAtomW(Widen(control.Name).c_str());
  if (made.nameAtom != 0) {
    SetPropW(made.window, kControlNameProperty,
             reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(made.nameAtom)));
  }
}

void FormView::CreateControls() {
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  if (tooltip_ != nullptr) {
    // Long lines wrap; the hints of rules and addresses run over several lines.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(kMaxTipWidth));
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTooltipShowMs, 0));
  }
  made_.assign(form_.Controls().size(), Made{});
  for (std::size_t i = 0; i < made_.size(); ++i) {
    MakeControl(i);
  }
}

void FormView::Layout() {
  if (window_ != nullptr) {
    RECT client{};
    GetClientRect(window_, &client);
    // Column widths and the like follow the size the form is shown at.
    form_.Resize(MulDiv(client.right, 96, dpi_), MulDiv(client.bottom, 96, dpi_));
  }
  for (std::size_t i = 0; i < made_.size(); ++i) {
    const TXALControl& control = form_.Controls()[i];
    Made& made = made_[i];
    const RECT bounds = ScaledBounds(control);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    if (made.spin != nullptr) {
      const int arrows = std::min(width / 2, GetSystemMetrics(SM_CXVSCROLL));
      MoveWindow(made.window, bounds.left, bounds.top, width - arrows, height, TRUE);
      MoveWindow(made.spin, bounds.left + width - arrows, bounds.top, arrows, height, TRUE);
    } else {
      MoveWindow(made.window, bounds.left, bounds.top, width, height, TRUE);
    }
    if (!made.radios.empty()) {
      // The items share the box's inside, one row each, below its caption.
      const int captionHeight = Scale(18);
      const int inside = std::max(0, height - captionHeight - Scale(6));
      const int row = inside / static_cast<int>(made.radios.size());
      for (std::size_t item = 0; item < made.radios.size(); ++item) {
        MoveWindow(made.radios[item], bounds.left + Scale(10),
                   bounds.top + captionHeight + row * static_cast<int>(item), width - Scale(18),
                   std::min(row, Scale(19)), TRUE);
      }
    }
    if (control.Kind == TXALControlKind::CheckList ||
        (control.Kind == TXALControlKind::List && control.Highlights)) {
      RECT client{};
      GetClientRect(made.window, &client);
      SendMessageW(made.window, LVM_SETCOLUMNWIDTH, 0, client.right);
    }
  }
  Sync();
}

void FormView::Create(HWND parent, int dpi) {
  window_ = parent;
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  dpi_ = dpi;
  MakeFont();
  CreateControls();
  Layout();
  form_.SetChangedHandler([this] { Sync(); });
}

void FormView::SetDpi(int dpi) {
  dpi_ = dpi;
  MakeFont();
  for (const Made& made : made_) {
    SendMessageW(made.window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    for (HWND radio : made.radios) {
      SendMessageW(radio, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
  }
  Layout();
}

int FormView::DefaultId() const {
  for (std::size_t i = 0; i < made_.size(); ++i) {
    if (form_.Controls()[i].Default) {
      return DialogControlId(static_cast<int>(i));
    }
  }
  return 0;
}

void FormView::FocusFirst() {
  for (const Made& made : made_) {
    if ((GetWindowLongPtrW(made.window, GWL_STYLE) & WS_TABSTOP) != 0 &&
        IsWindowEnabled(made.window)) {
      SetFocus(made.window);
      return;
    }
  }
}

void FormView::SyncList(const TXALControl& control, Made& made) {
  const TXALControl& shown = made.shown;
  if (!made.everShown || shown.Items != control.Items) {
    SendMessageW(made.window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(made.window, LB_RESETCONTENT, 0, 0);
    // Room for every line at once, instead of growing with each.
    std::size_t bytes = 0;
    for (const std::string& line : control.Items) {
      bytes += (line.size() + 1) * sizeof(wchar_t);
    }
    SendMessageW(made.window, LB_INITSTORAGE, control.Items.size(), static_cast<LPARAM>(bytes));
    for (std::size_t i = 0; i < control.Items.size(); ++i) {
      const std::wstring text = Widen(control.Items[i]);
      SendMessageW(made.window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageW(made.window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(made.window, nullptr, TRUE);
    made.shown.Items = control.Items;
    made.shown.ItemIndex = -2;
    made.shown.ItemSelected.clear();
    made.shown.ItemData.clear();
  }
  if (made.shown.ItemData != control.ItemData) {
    // Programs that read the lines from outside take the handles from here.
    for (std::size_t i = 0; i < control.ItemData.size() && i < control.Items.size(); ++i) {
      SendMessageW(made.window, LB_SETITEMDATA, i, static_cast<LPARAM>(control.ItemData[i]));
    }
    made.shown.ItemData = control.ItemData;
  }
  if (made.shown.ItemHighlighted != control.ItemHighlighted) {
    InvalidateRect(made.window, nullptr, TRUE);
    made.shown.ItemHighlighted = control.ItemHighlighted;
  }
  if (control.Kind == TXALControlKind::MultiList) {
    if (made.shown.ItemSelected != control.ItemSelected) {
      for (std::size_t i = 0; i < control.Items.size(); ++i) {
        const bool selected = i < control.ItemSelected.size() && control.ItemSelected[i];
        SendMessageW(made.window, LB_SETSEL, selected ? TRUE : FALSE, static_cast<LPARAM>(i));
      }
      made.shown.ItemSelected = control.ItemSelected;
    }
  } else if (made.shown.ItemIndex != control.ItemIndex) {
    SendMessageW(made.window, LB_SETCURSEL, static_cast<WPARAM>(control.ItemIndex), 0);
    made.shown.ItemIndex = control.ItemIndex;
  }
}

void FormView::SyncListView(const TXALControl& control, Made& made) {
  if (!made.everShown || made.shown.Items != control.Items) {
    SendMessageW(made.window, WM_SETREDRAW, FALSE, 0);
    SendMessageW(made.window, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < control.Items.size(); ++i) {
      std::wstring text = Widen(control.Items[i]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.pszText = text.data();
      SendMessageW(made.window, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(made.window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(made.window, nullptr, TRUE);
    made.shown.Items = control.Items;
    made.shown.ItemChecked.assign(control.Items.size(), false);
    made.shown.ItemIndex = -1;
  }
  for (std::size_t i = 0; i < control.Items.size(); ++i) {
    const bool checked = i < control.ItemChecked.size() && control.ItemChecked[i];
    const bool shownChecked = i < made.shown.ItemChecked.size() && made.shown.ItemChecked[i];
    if (checked != shownChecked || !made.everShown) {
      LVITEMW item{};
      item.stateMask = LVIS_STATEIMAGEMASK;
      item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
      SendMessageW(made.window, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  made.shown.ItemChecked = control.ItemChecked;
  if (made.shown.ItemIndex != control.ItemIndex) {
    SelectListViewLine(made.window, control.ItemIndex, false);
    made.shown.ItemIndex = control.ItemIndex;
  }
}

void FormView::SyncGrid(const TXALControl& control, Made& made) {
  if (!made.everShown || made.shown.Columns != control.Columns) {
    while (SendMessageW(made.window, LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    for (std::size_t i = 0; i < control.Columns.size(); ++i) {
      std::wstring title = Widen(control.Columns[i]);
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.pszText = title.data();
      column.cx = Scale(80);
      SendMessageW(made.window, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    made.shown.Columns = control.Columns;
    made.shown.ColumnWidths.clear();
    made.shown.Cells.clear();
    made.shown.ItemIndex = -2;
  }
  if (made.shown.ColumnWidths != control.ColumnWidths) {
    for (std::size_t i = 0; i < control.ColumnWidths.size() && i < control.Columns.size(); ++i) {
      SendMessageW(made.window, LVM_SETCOLUMNWIDTH, i, Scale(control.ColumnWidths[i]));
    }
    made.shown.ColumnWidths = control.ColumnWidths;
  }
  if (made.shown.Cells != control.Cells || made.shown.ItemData != control.ItemData) {
    SendMessageW(made.window, LVM_SETITEMCOUNT, control.Cells.size(), LVSICF_NOSCROLL);
    InvalidateRect(made.window, nullptr, TRUE);
    made.shown.Cells = control.Cells;
    made.shown.ItemData = control.ItemData;
    made.shown.ItemIndex = -2;
  }
  if (made.shown.ItemIndex != control.ItemIndex) {
    SelectListViewLine(made.window, control.ItemIndex, true);
    made.shown.ItemIndex = control.ItemIndex;
  }
}

void FormView::SyncVirtualList(const TXALControl& control, Made& made) {
  if (!made.everShown || made.shown.Items != control.Items) {
    SendMessageW(made.window, LVM_SETITEMCOUNT, control.Items.size(), LVSICF_NOSCROLL);
    InvalidateRect(made.window, nullptr, TRUE);
    made.shown.Items = control.Items;
    made.shown.ItemIndex = -2;
  }
  if (made.shown.ItemHighlighted != control.ItemHighlighted) {
    InvalidateRect(made.window, nullptr, TRUE);
    made.shown.ItemHighlighted = control.ItemHighlighted;
  }
  if (made.shown.ItemIndex != control.ItemIndex) {
    SelectListViewLine(made.window, control.ItemIndex, true);
    made.shown.ItemIndex = control.ItemIndex;
  }
}

void FormView::SyncControl(std::size_t index) {
  const TXALControl& control = form_.Controls()[index];
  Made& made = made_[index];
  const bool first = !made.everShown;
  // A control in a group box that is off is off too, however its own rule leaves it.
  const bool enabled = form_.TakesInput(control);
  if (first || made.shown.Enabled != enabled) {
    EnableWindow(made.window, enabled ? TRUE : FALSE);
    if (made.spin != nullptr) {
      EnableWindow(made.spin, enabled ? TRUE : FALSE);
    }
    for (HWND radio : made.radios) {
      EnableWindow(radio, enabled ? TRUE : FALSE);
    }
    made.shown.Enabled = enabled;
  }
  switch (control.Kind) {
    case TXALControlKind::List:
    case TXALControlKind::MultiList:
      if (control.Highlights) {
        SyncVirtualList(control, made);
      } else {
        SyncList(control, made);
      }
      break;
    case TXALControlKind::CheckList:
      SyncListView(control, made);
      break;
    case TXALControlKind::Grid:
      SyncGrid(control, made);
      break;
    case TXALControlKind::Edit:
    case TXALControlKind::SpinEdit:
      // Compared with what the field holds, so typing doesn't move the caret back.
      if (Narrow(WindowText(made.window)) != control.Text) {
        SetWindowTextW(made.window, Widen(control.Text).c_str());
      }
      made.shown.Text = control.Text;
      break;
    default:
      if (first || made.shown.Text != control.Text) {
        SetWindowTextW(made.window, Widen(control.Text).c_str());
        made.shown.Text = control.Text;
      }
      break;
  }
  if (control.Kind == TXALControlKind::CheckBox || control.Kind == TXALControlKind::RadioButton) {
    if (first || made.shown.Checked != control.Checked) {
      SendMessageW(made.window, BM_SETCHECK, control.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
      made.shown.Checked = control.Checked;
    }
  }
  if (control.Kind == TXALControlKind::RadioGroup) {
    for (std::size_t item = 0; item < made.radios.size(); ++item) {
      const std::string& text = item < control.Items.size() ? control.Items[item] : "";
      if (first || made.shown.Items.size() <= item || made.shown.Items[item] != text) {
        SetWindowTextW(made.radios[item], Widen(text).c_str());
      }
      SendMessageW(made.radios[item], BM_SETCHECK,
                   static_cast<int>(item) == control.ItemIndex ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    made.shown.Items = control.Items;
    made.shown.ItemIndex = control.ItemIndex;
  }
  made.everShown = true;
}

void FormView::Sync() {
  if (window_ == nullptr) {
    return;
  }
  // Setting a field's text reports a change; that change is the presenter's own.
  syncing_ = true;
  const std::wstring title = Widen(form_.Title());
  if (WindowText(window_) != title) {
    SetWindowTextW(window_, title.c_str());
  }
  for (std::size_t i = 0; i < made_.size(); ++i) {
    SyncControl(i);
  }
  syncing_ = false;
}

void FormView::Forward(const std::function<void()>& event) {
  if (syncing_) {
    return;
  }
  try {
    event();
  } catch (const std::exception& error) {
    MessageBoxW(window_, Widen(error.what()).c_str(), Widen(form_.Title()).c_str(),
                MB_OK | MB_ICONERROR);
  }
  Sync();
  while (form_.HasMessage()) {
    const std::wstring text = Widen(form_.TakeMessage());
    MessageBoxW(window_, text.c_str(), Widen(form_.Title()).c_str(), MB_OK | MB_ICONERROR);
  }
  if (afterEvent_) {
    afterEvent_();
  }
}

int FormView::FindControl(HWND window) const {
  for (std::size_t i = 0; i < made_.size(); ++i) {
    if (made_[i].window == window) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int FormView::FindById(int id, int* item) const {
  *item = -1;
  if (id < kFirstDialogControlId) {
    return -1;
  }
  const int index = (id - kFirstDialogControlId) / kDialogControlIdStep;
  const int offset = (id - kFirstDialogControlId) % kDialogControlIdStep;
  if (index >= static_cast<int>(made_.size())) {
    return -1;
  }
  *item = offset - 1;
  return index;
}

int FormView::FocusedControl() const {
  HWND focus = GetFocus();
  for (std::size_t i = 0; i < made_.size(); ++i) {
    if (made_[i].window == focus || (made_[i].spin != nullptr && made_[i].spin == focus)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void FormView::OnCommand(int id, int code, HWND from) {
  if (from == nullptr || id == kEnterId || id == kEscapeId) {
    // Enter or Esc through the dialog manager, where no button stands for them.
    if (id == kEnterId) {
      const int focused = FocusedControl();
      Forward([&] {
        form_.PressEnter(focused >= 0 ? form_.Controls()[static_cast<std::size_t>(focused)].Name
                                      : std::string());
      });
    } else if (id == kEscapeId) {
      Forward([&] { form_.PressEscape(); });
    }
    return;
  }
  int item = -1;
  const int index = FindById(id, &item);
  if (index < 0) {
    return;
  }
  const TXALControl& control = form_.Controls()[static_cast<std::size_t>(index)];
  const std::string name = control.Name;
  const Made& made = made_[static_cast<std::size_t>(index)];
  const HWND window = made.window;
  // Any program can post a command with a control's number; only the control itself clicks.
  if (from != window && from != made.spin &&
      std::find(made.radios.begin(), made.radios.end(), from) == made.radios.end()) {
    return;
  }
  switch (control.Kind) {
    case TXALControlKind::Button:
    case TXALControlKind::CheckBox:
    case TXALControlKind::RadioButton:
      if (code == BN_CLICKED && item < 0) {
        Forward([&] { form_.Click(name); });
      }
      break;
    case TXALControlKind::RadioGroup:
      if (code == BN_CLICKED && item >= 0 && item != control.ItemIndex) {
        Forward([&] { form_.Select(name, item); });
      }
      break;
    case TXALControlKind::Edit:
    case TXALControlKind::SpinEdit:
      if (code == EN_CHANGE && item < 0) {
        const std::string text = Narrow(WindowText(window));
        Forward([&] { form_.Type(name, text); });
      }
      break;
    case TXALControlKind::List:
      if (code == LBN_SELCHANGE) {
        const LRESULT selected = SendMessageW(window, LB_GETCURSEL, 0, 0);
        Forward([&] { form_.Select(name, selected == LB_ERR ? -1 : static_cast<int>(selected)); });
      } else if (code == LBN_DBLCLK) {
        const LRESULT selected = SendMessageW(window, LB_GETCURSEL, 0, 0);
        Forward([&] { form_.DoubleClick(name, static_cast<int>(selected)); });
      }
      break;
    case TXALControlKind::MultiList:
      if (code == LBN_SELCHANGE) {
        Forward([&] {
          const int count = static_cast<int>(SendMessageW(window, LB_GETCOUNT, 0, 0));
          for (int line = 0; line < count; ++line) {
            const bool selected = SendMessageW(window, LB_GETSEL, line, 0) > 0;
            const TXALControl& now = form_.Control(name);
            const bool was = line < static_cast<int>(now.ItemSelected.size()) &&
                             now.ItemSelected[static_cast<std::size_t>(line)];
            if (selected != was) {
              form_.SetSelected(name, line, selected);
            }
          }
        });
      }
      break;
    default:
      break;
  }
}

LRESULT FormView::OnNotify(NMHDR* header) {
  if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    tipText_ = TipText(reinterpret_cast<HWND>(header->idFrom));
    info->lpszText = tipText_.data();
    info->szText[0] = L'\0';
    info->hinst = nullptr;
    return 0;
  }
  const int index = FindControl(header->hwndFrom);
  if (index < 0) {
    return 0;
  }
  const TXALControl& control = form_.Controls()[static_cast<std::size_t>(index)];
  const TXALControlKind kind = control.Kind;
  if (!IsViewList(control)) {
    return 0;
  }
  if (header->code == LVN_GETDISPINFOW) {
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
    if ((info->item.mask & LVIF_TEXT) != 0 && info->item.pszText != nullptr &&
        info->item.cchTextMax > 0) {
      const std::size_t row = static_cast<std::size_t>(info->item.iItem);
      const std::size_t column = static_cast<std::size_t>(info->item.iSubItem);
      std::string text;
      if (kind == TXALControlKind::Grid && row < control.Cells.size() &&
          column < control.Cells[row].size()) {
        text = control.Cells[row][column];
      } else if (kind == TXALControlKind::List && row < control.Items.size() && column == 0) {
        text = control.Items[row];
      }
      const std::wstring wide = Widen(text);
      const std::size_t room = static_cast<std::size_t>(info->item.cchTextMax) - 1;
      const std::size_t length = std::min(wide.size(), room);
      wide.copy(info->item.pszText, length);
      info->item.pszText[length] = L'\0';
    }
    return 0;
  }
  if (header->code == NM_CUSTOMDRAW && control.Highlights) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
      return CDRF_NOTIFYITEMDRAW;
    }
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      const std::size_t row = static_cast<std::size_t>(draw->nmcd.dwItemSpec);
      if (row < control.ItemHighlighted.size() && control.ItemHighlighted[row]) {
        // Red also on the selected line: the selection's own text colour would hide it, so
        // the line is drawn as unselected on the selection's background.
        if ((draw->nmcd.uItemState & CDIS_SELECTED) != 0) {
          draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
          draw->clrTextBk =
              GetSysColor(GetFocus() == header->hwndFrom ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        }
        draw->clrText = RGB(255, 0, 0);
      }
    }
    return CDRF_DODEFAULT;
  }
  const std::string name = form_.Controls()[static_cast<std::size_t>(index)].Name;
  if (header->code == LVN_ITEMCHANGED) {
    const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (change->iItem < 0 || (change->uChanged & LVIF_STATE) == 0) {
      return 0;
    }
    const UINT oldCheck = change->uOldState & LVIS_STATEIMAGEMASK;
    const UINT newCheck = change->uNewState & LVIS_STATEIMAGEMASK;
    // A state image of 0 is the line before its check box was first drawn.
    if (kind == TXALControlKind::CheckList && oldCheck != newCheck && oldCheck != 0 &&
        newCheck != 0) {
      const bool checked = newCheck == INDEXTOSTATEIMAGEMASK(2);
      Forward([&] { form_.CheckItem(name, change->iItem, checked); });
    }
    if ((change->uNewState & LVIS_SELECTED) != 0 && (change->uOldState & LVIS_SELECTED) == 0) {
      Forward([&] { form_.Select(name, change->iItem); });
    }
  } else if (header->code == NM_DBLCLK) {
    const auto* activate = reinterpret_cast<NMITEMACTIVATE*>(header);
    if (activate->iItem >= 0) {
      Forward([&] { form_.DoubleClick(name, activate->iItem); });
    }
  }
  return 0;
}

std::wstring FormView::TipText(HWND control) {
  const int index = FindControl(control);
  if (index < 0) {
    return {};
  }
  const TXALControl& model = form_.Controls()[static_cast<std::size_t>(index)];
  int line = -1;
  int column = -1;
  if (IsListKind(model.Kind) || IsViewList(model)) {
    POINT pointer{};
    GetCursorPos(&pointer);
    ScreenToClient(control, &pointer);
    RECT client{};
    GetClientRect(control, &client);
    if (!PtInRect(&client, pointer)) {
      return {};
    }
    if (model.Kind == TXALControlKind::Grid) {
      LVHITTESTINFO hit{};
      hit.pt = pointer;
      SendMessageW(control, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
      line = (hit.flags & LVHT_ONITEM) != 0 ? hit.iItem : -1;
      column = hit.iSubItem;
    } else {
      line = IsViewList(model) ? ListViewItemAt(control, pointer) : ListItemAt(control, pointer);
    }
    if (line < 0) {
      return {};
    }
  }
  try {
    return Widen(form_.TipText(model.Name, line, column));
  } catch (const std::exception&) {
    return {};
  }
}

LRESULT CALLBACK FormView::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR subclassId, DWORD_PTR self) {
  if (message == WM_MOUSEMOVE) {
    auto* dialog = reinterpret_cast<FormView*>(self);
    const int index = dialog->FindControl(list);
    if (index >= 0 && dialog->tooltip_ != nullptr) {
      const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      const TXALControl& control = dialog->form_.Controls()[static_cast<std::size_t>(index)];
      const TXALControlKind kind = control.Kind;
      const bool listView = IsViewList(control);
      int line = listView ? ListViewItemAt(list, point) : ListItemAt(list, point);
      if (kind == TXALControlKind::Grid && line >= 0) {
        // Each cell of a grid has a tooltip of its own.
        LVHITTESTINFO hit{};
        hit.pt = point;
        SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        line = line * 64 + hit.iSubItem;
      }
      Made& made = dialog->made_[static_cast<std::size_t>(index)];
      if (line != made.tipItem) {
        made.tipItem = line;
        // Another line: the tooltip asks for its text again, or goes where there is none.
        SendMessageW(dialog->tooltip_, line < 0 ? TTM_POP : TTM_UPDATE, 0, 0);
      }
    }
  } else if (message == WM_KEYDOWN) {
    auto* view = reinterpret_cast<FormView*>(self);
    if (view->OnListKey(list, wParam)) {
      return 0;
    }
  } else if (message == WM_RBUTTONDOWN) {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    reinterpret_cast<FormView*>(self)->OnListRightClick(list, point);
    // The list view's own handling would wait for a drag; the menu is all that is wanted.
    return 0;
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(list, &FormView::ListProc, subclassId);
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

bool FormView::OnListKey(HWND list, WPARAM key) {
  const int index = FindControl(list);
  if (index < 0) {
    return false;
  }
  TXALKey pressed = TXALKey::Other;
  switch (key) {
    case VK_DELETE:
      pressed = TXALKey::Delete;
      break;
    case 'C':
      pressed = TXALKey::C;
      break;
    case 'X':
      pressed = TXALKey::X;
      break;
    case 'V':
      pressed = TXALKey::V;
      break;
    default:
      return false;
  }
  unsigned modifiers = kModifierNone;
  if (GetKeyState(VK_SHIFT) < 0) {
    modifiers |= kModifierShift;
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    modifiers |= kModifierCtrl;
  }
  if (GetKeyState(VK_MENU) < 0) {
    modifiers |= kModifierAlt;
  }
  const std::string name = form_.Controls()[static_cast<std::size_t>(index)].Name;
  Forward([&] { form_.KeyDown(name, pressed, modifiers); });
  return pressed == TXALKey::Delete || (modifiers & kModifierCtrl) != 0;
}

void FormView::OnListRightClick(HWND list, POINT point) {
  const int index = FindControl(list);
  if (index < 0) {
    return;
  }
  const TXALControl& control = form_.Controls()[static_cast<std::size_t>(index)];
  const std::string name = control.Name;
  const int line = IsViewList(control) ? ListViewItemAt(list, point) : ListItemAt(list, point);
  SetFocus(list);
  bool show = false;
  Forward([&] { show = form_.RightClick(name, line); });
  if (!show) {
    return;
  }
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) {
    return;
  }
  const std::vector<TXALMenuItem>& entries = form_.Menu();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].Visible) {
      continue;
    }
    if (entries[i].Separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING, kFirstMenuId + i, Widen(entries[i].Text).c_str());
    }
  }
  POINT screen = point;
  ClientToScreen(list, &screen);
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                       screen.x, screen.y, 0, window_, nullptr));
  DestroyMenu(menu);
  if (chosen >= kFirstMenuId && chosen - kFirstMenuId < entries.size()) {
    const std::string item = entries[chosen - kFirstMenuId].Name;
    Forward([&] { form_.MenuClick(item); });
  }
}

bool FormView::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      *result = 0;
      return true;
    case WM_NOTIFY:
      *result = OnNotify(reinterpret_cast<NMHDR*>(lParam));
      return true;
    default:
      return false;
  }
}

}  // namespace xal::win32
