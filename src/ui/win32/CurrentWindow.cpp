#include "ui/win32/CurrentWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>
#include <stdexcept>
#include <utility>

#include "platform/win32/WideText.h"
#include "platform/win32/XALWindowMessages.h"
#include "sensing/XALCurrentHighlight.h"
#include "ui/win32/WindowOwner.h"
#include "ui/win32/WorkArea.h"

namespace xal::win32 {
namespace {

// Client size and the item height the layout was drawn for, at 96 dots per inch.
constexpr int kClientWidth = 697;
constexpr int kClientHeight = 521;
constexpr int kItemHeight = 13;
constexpr int kTextIndent = 3;
constexpr int kLabelHeight = 15;
constexpr int kButtonWidth = 58;
constexpr int kButtonHeight = 22;
constexpr int kMaxTipWidth = 600;
constexpr COLORREF kHighlightColour = RGB(255, 0, 0);
constexpr UINT_PTR kListSubclassId = 1;

std::wstring ListText(HWND list, int index) {
  const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR || length <= 0) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

// The item under a point of the list's client area, or -1 where there is none.
int ItemAt(HWND list, LPARAM clientPoint) {
  const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, clientPoint);
  if (HIWORD(hit) != 0) {
    return -1;
  }
  const int index = LOWORD(hit);
  return index < SendMessageW(list, LB_GETCOUNT, 0, 0) ? index : -1;
}

template <typename Lines, typename TextOf>
bool HasLines(HWND list, const Lines& lines, TextOf textOf) {
  if (SendMessageW(list, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(lines.size())) {
    return false;
  }
  int index = 0;
  for (const auto& line : lines) {
    if (ListText(list, index++) != Widen(textOf(line))) {
      return false;
    }
  }
  return true;
}

// Replaces a list's lines, keeping its scroll position where the lines allow. Lines as they
// were are left alone: most refreshes find them so, and a refill costs a redraw.
template <typename Lines, typename TextOf>
void ReplaceLines(HWND list, const Lines& lines, TextOf textOf) {
  if (HasLines(list, lines, textOf)) {
    return;
  }
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const auto& line : lines) {
    const std::wstring text = Widen(textOf(line));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (top != LB_ERR && top < static_cast<LRESULT>(lines.size())) {
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void ReplaceLines(HWND list, const std::vector<std::string>& lines) {
  ReplaceLines(list, lines, [](const std::string& line) -> const std::string& { return line; });
}

}  // namespace

CurrentWindow::CurrentWindow(HINSTANCE instance, TfmXALCurrent& store, const TXALLanguage& language,
                             const TXALSetList& matchingSets, IWindowSystem& windows)
    : instance_(instance),
      store_(store),
      language_(language),
      matchingSets_(matchingSets),
      windows_(windows) {}

CurrentWindow::~CurrentWindow() {
  if (listening_) {
    store_.RemoveListener(this);
    listening_ = false;
  }
  if (window_ != nullptr) {
    // The tooltip is owned by the window and goes with it.
    DestroyWindow(window_);
    window_ = nullptr;
  }
  if (font_ != nullptr) {
    DeleteObject(font_);
    font_ = nullptr;
  }
}

int CurrentWindow::Scale(int value) const {
  return MulDiv(value, dpi_, 96);
}

void CurrentWindow::Create(HWND owner) {
  if (window_ != nullptr) {
    return;
  }
  owner_ = owner;

  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &CurrentWindow::WindowProc;
  windowClass.hInstance = instance_;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kCurrentWindowClass;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    throw std::runtime_error("The current-environment window class could not be registered.");
  }

  HDC screen = GetDC(nullptr);
  dpi_ = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (dpi_ <= 0) {
    dpi_ = 96;
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    font_ = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  // Items must hold a line of the font in use, whatever the layout's 13 pixels assumed.
  itemHeight_ = Scale(kItemHeight);
  if (screen != nullptr) {
    HGDIOBJ old = SelectObject(
        screen, font_ != nullptr ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW text{};
    if (GetTextMetricsW(screen, &text)) {
      fontHeight_ = text.tmHeight;
      itemHeight_ = std::max(itemHeight_, static_cast<int>(text.tmHeight));
    }
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }

  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, Scale(kClientWidth), Scale(kClientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  window_ =
      CreateWindowExW(exStyle, kCurrentWindowClass, L"", style, 0, 0, frame.right - frame.left,
                      frame.bottom - frame.top, owner, nullptr, instance_, this);
  if (window_ == nullptr) {
    throw std::runtime_error("The current-environment window could not be created.");
  }
  boxes_.SetOwner(window_);
  CreateControls();
  CenterInWorkArea(window_);
  FillFromStore();
  store_.AddListener(this);
  listening_ = true;
}

HWND CurrentWindow::AddControl(const wchar_t* className, DWORD style, int id, int left, int top,
                               int width, int height, DWORD exStyle) {
  HWND control =
      CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, Scale(left),
                      Scale(top), Scale(width), Scale(height), window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  if (control == nullptr) {
    throw std::runtime_error("A control of the current-environment window could not be created.");
  }
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND CurrentWindow::AddList(int id, int left, int top, int width, int height) {
  // Owner-drawn for the red lines, yet with strings kept, so that other processes can read the
  // lines with LB_GETTEXT.
  HWND list = AddControl(L"LISTBOX",
                         WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                         id, left, top, width, height, WS_EX_CLIENTEDGE);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, itemHeight_);
  SetWindowSubclass(list, &CurrentWindow::ListProc, kListSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));
  return list;
}

void CurrentWindow::AddTip(HWND control) {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CurrentWindow::CreateControls() {
  const DWORD group = BS_GROUPBOX;
  // Captions are single lines; what doesn't fit ends in an ellipsis.
  const DWORD caption = SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS;
  // The value labels take the pointer, so that their tooltips show the whole value.
  const DWORD value = caption | SS_NOTIFY;
  const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
  const int label = std::max(kLabelHeight, MulDiv(fontHeight_, 96, dpi_) + 2);

  // Group boxes come first in each group: the controls inside are drawn over them.
  gbWiFi_ = AddControl(L"BUTTON", group, -1, 8, 8, 266, 90);
  lbWiFiLabel_ = AddControl(L"STATIC", caption, -1, 16, 26, 250, label);
  lbWiFi_ = AddList(kCurrentWiFiListId, 16, 42, 250, 48);

  gbIPAddresses_ = AddControl(L"BUTTON", group, -1, 8, 101, 265, 105);
  lbIPAddressesLabel_ = AddControl(L"STATIC", caption, -1, 16, 119, 249, label);
  lbIPAddresses_ = AddList(kCurrentAddressListId, 16, 135, 249, 63);

  gbDisplays_ = AddControl(L"BUTTON", group, -1, 8, 209, 265, 121);
  lbDisplaysCountLabel_ = AddControl(L"STATIC", caption, -1, 16, 227, 160, label);
  lbDisplaysCount_ = AddControl(L"STATIC", caption, kCurrentDisplayCountId, 180, 227, 60, label);
  lbDisplaysLabel_ = AddControl(L"STATIC", caption, -1, 16, 245, 249, label);
  lbDisplays_ = AddList(kCurrentDisplayListId, 16, 261, 249, 61);

  gbPrinters_ = AddControl(L"BUTTON", group, -1, 8, 334, 266, 180);
  lbPrintersLabel_ = AddControl(L"STATIC", caption, -1, 16, 356, 178, label);
  btPrinters_ = AddControl(L"BUTTON", button, kCurrentPrintersButtonId, 266 - kButtonWidth, 350,
                           kButtonWidth, kButtonHeight);
  lbPrinters_ = AddList(kCurrentPrinterListId, 16, 376, 250, 130);

  gbProxy_ = AddControl(L"BUTTON", group, -1, 280, 8, 203, 42);
  lbProxy_ = AddControl(L"STATIC", value, kCurrentProxyId, 288, 27, 125, label);
  btProxy_ = AddControl(L"BUTTON", button, kCurrentProxyButtonId, 475 - kButtonWidth, 22,
                        kButtonWidth, kButtonHeight);

  gbAutoConfigURL_ = AddControl(L"BUTTON", group, -1, 487, 8, 203, 42);
  lbAutoConfigURL_ = AddControl(L"STATIC", value, kCurrentAutoConfigURLId, 495, 27, 125, label);
  btAutoConfigURL_ = AddControl(L"BUTTON", button, kCurrentAutoConfigURLButtonId,
                                682 - kButtonWidth, 22, kButtonWidth, kButtonHeight);

  gbDefaultPrinter_ = AddControl(L"BUTTON", group, -1, 280, 56, 410, 42);
  lbDefaultPrinter_ = AddControl(L"STATIC", value, kCurrentDefaultPrinterId, 288, 75, 332, label);
  btDefaultPrinter_ = AddControl(L"BUTTON", button, kCurrentDefaultPrinterButtonId,
                                 682 - kButtonWidth, 70, kButtonWidth, kButtonHeight);

  gbApps_ = AddControl(L"BUTTON", group, -1, 279, 101, 411, 413);
  lbAppsLabel_ = AddControl(L"STATIC", caption, -1, 287, 119, 395, label);
  lbApps_ = AddList(kCurrentAppsListId, 287, 135, 395, 371);

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  if (tooltip_ != nullptr) {
    // Long lines wrap instead of running off the screen.
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(kMaxTipWidth));
    // Long enough to read a full address line or window title.
    SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(kTooltipShowMs, 0));
    for (HWND control : {lbWiFi_, lbIPAddresses_, lbDisplays_, lbPrinters_, lbApps_,
                         lbDefaultPrinter_, lbProxy_, lbAutoConfigURL_}) {
      AddTip(control);
    }
  }
}

void CurrentWindow::LoadCaptions() {
  SetWindowTextW(window_, Widen(CurrentWindowTitle(language_)).c_str());
  const std::pair<const char*, HWND> controls[] = {
      {"gbWiFi", gbWiFi_},
      {"lbWiFiLabel", lbWiFiLabel_},
      {"gbIPAddresses", gbIPAddresses_},
      {"lbIPAddressesLabel", lbIPAddressesLabel_},
      {"gbDisplays", gbDisplays_},
      {"lbDisplaysCountLabel", lbDisplaysCountLabel_},
      {"lbDisplaysLabel", lbDisplaysLabel_},
      {"gbPrinters", gbPrinters_},
      {"lbPrintersLabel", lbPrintersLabel_},
      {"btPrinters", btPrinters_},
      {"gbDefaultPrinter", gbDefaultPrinter_},
      {"btDefaultPrinter", btDefaultPrinter_},
      {"gbProxy", gbProxy_},
      {"btProxy", btProxy_},
      {"gbAutoConfigURL", gbAutoConfigURL_},
      {"btAutoConfigURL", btAutoConfigURL_},
      {"gbApps", gbApps_},
      {"lbAppsLabel", lbAppsLabel_},
  };
  for (const auto& [name, text] : CurrentControlCaptions(language_)) {
    for (const auto& [controlName, control] : controls) {
      if (name == controlName) {
        SetWindowTextW(control, Widen(text).c_str());
      }
    }
  }
}

void CurrentWindow::FillFromStore() {
  ReplaceLines(lbWiFi_, store_.lbWiFi());
  ReplaceLines(lbIPAddresses_, store_.lbIPAddresses());
  ReplaceLines(lbPrinters_, store_.lbPrinters());
  FillDisplays();
  FillApps();
  FillLabels();
}

void CurrentWindow::FillApps() {
  const std::vector<TXALAppLine>& lines = store_.lbApps();
  ReplaceLines(lbApps_, lines,
               [](const TXALAppLine& line) -> const std::string& { return line.Text; });
  // The handle, not the text, identifies a window; readers from outside take it from here, and
  // the highlight follows it, so lines kept for their text are drawn again for a new handle.
  bool handlesChanged = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto handle = static_cast<LPARAM>(lines[i].Handle);
    if (SendMessageW(lbApps_, LB_GETITEMDATA, i, 0) != handle) {
      SendMessageW(lbApps_, LB_SETITEMDATA, i, handle);
      handlesChanged = true;
    }
  }
  if (handlesChanged) {
    InvalidateRect(lbApps_, nullptr, TRUE);
  }
  SendMessageW(lbApps_, LB_SETCURSEL, static_cast<WPARAM>(store_.lbAppsItemIndex()), 0);
}

void CurrentWindow::FillDisplays() {
  ReplaceLines(lbDisplays_, store_.lbDisplays(),
               [](const TXALDisplayLine& line) -> const std::string& { return line.Text; });
  SetWindowTextW(lbDisplaysCount_, Widen(store_.lbDisplaysCount()).c_str());
  InvalidateRect(lbDisplaysCount_, nullptr, TRUE);
}

void CurrentWindow::FillLabels() {
  SetWindowTextW(lbDefaultPrinter_, Widen(store_.lbDefaultPrinter()).c_str());
  SetWindowTextW(lbProxy_, Widen(store_.lbProxy()).c_str());
  SetWindowTextW(lbAutoConfigURL_, Widen(store_.lbAutoConfigURL()).c_str());
}

template <typename Action>
void CurrentWindow::Guarded(Action action) {
  try {
    action();
  } catch (const std::exception& error) {
    boxes_.ShowError(error.what());
  }
}

void CurrentWindow::ShowModal() {
  if (window_ == nullptr || modal_) {
    return;
  }
  LoadCaptions();
  store_.ReadLabels([this](const std::exception& error) { boxes_.ShowError(error.what()); });
  // The displays may have changed while the window was hidden.
  CenterInWorkArea(window_);

  const bool disableOwner = owner_ != nullptr && IsWindowEnabled(owner_);
  if (disableOwner) {
    EnableWindow(owner_, FALSE);
  }
  modal_ = true;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(lbApps_);
  MSG message{};
  while (modal_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: leave the loop and let the outer loop see the quit too.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) {
      break;
    }
    if (window_ == nullptr || !IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  modal_ = false;
  if (disableOwner) {
    EnableWindow(owner_, TRUE);
  }
  if (window_ != nullptr) {
    ShowWindow(window_, SW_HIDE);
  }
}

void CurrentWindow::EndModal() {
  // The owner is enabled before this window hides, so that activation goes back to it.
  if (modal_ && owner_ != nullptr) {
    EnableWindow(owner_, TRUE);
  }
  modal_ = false;
  ShowWindow(window_, SW_HIDE);
}

void CurrentWindow::Redraw() {
  if (window_ == nullptr) {
    return;
  }
  for (HWND control :
       {lbWiFi_, lbIPAddresses_, lbDisplays_, lbDisplaysCount_, lbPrinters_, lbApps_}) {
    InvalidateRect(control, nullptr, TRUE);
  }
}

void CurrentWindow::OnIPAddressesChanged(const std::vector<std::string>& lines) {
  ReplaceLines(lbIPAddresses_, lines);
}

void CurrentWindow::OnWiFiChanged(const std::vector<std::string>& names) {
  ReplaceLines(lbWiFi_, names);
}

void CurrentWindow::OnDisplaysChanged(const std::vector<TXALDisplayLine>& /*lines*/) {
  FillDisplays();
}

void CurrentWindow::OnAppsChanged(const std::vector<TXALAppLine>& /*lines*/) {
  FillApps();
}

void CurrentWindow::OnPrintersChanged(const std::vector<std::string>& names) {
  ReplaceLines(lbPrinters_, names);
}

void CurrentWindow::OnLabelsChanged() {
  FillLabels();
}

void CurrentWindow::OnRefreshFailed() {
  // The failed refresh emptied its list in the store; show the store as it is.
  ReplaceLines(lbIPAddresses_, store_.lbIPAddresses());
  ReplaceLines(lbPrinters_, store_.lbPrinters());
}

bool CurrentWindow::ItemHighlighted(const DRAWITEMSTRUCT& item, const std::string& text) const {
  const HWND list = item.hwndItem;
  if (list == lbWiFi_) {
    return WiFiLineHighlighted(matchingSets_, text);
  }
  if (list == lbIPAddresses_) {
    return AddressLineHighlighted(matchingSets_, text);
  }
  if (list == lbPrinters_) {
    return PrinterLineHighlighted(matchingSets_, text);
  }
  if (list == lbApps_) {
    return AppLineHighlighted(matchingSets_, windows_,
                              static_cast<TXALWindowHandle>(item.itemData));
  }
  if (list == lbDisplays_) {
    const TXALDisplayHighlight displays = DisplaysHighlighted(matchingSets_, store_.lbDisplays());
    return item.itemID < displays.Lines.size() && displays.Lines[item.itemID];
  }
  return false;
}

bool CurrentWindow::DisplayCountHighlighted() const {
  return DisplaysHighlighted(matchingSets_, store_.lbDisplays()).Count;
}

void CurrentWindow::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT area = item.rcItem;
  if (item.itemID == static_cast<UINT>(-1)) {
    // An empty list with the focus still shows where the focus is.
    if ((item.itemState & ODS_FOCUS) != 0) {
      DrawFocusRect(dc, &area);
    }
    return;
  }
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const std::wstring text = ListText(item.hwndItem, static_cast<int>(item.itemID));
  const bool red = ItemHighlighted(item, Narrow(text));
  SetTextColor(
      dc, red ? kHighlightColour : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ oldFont = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
  TextOutW(dc, area.left + Scale(kTextIndent), area.top, text.c_str(),
           static_cast<int>(text.size()));
  if (oldFont != nullptr) {
    SelectObject(dc, oldFont);
  }
  if ((item.itemState & ODS_FOCUS) != 0) {
    DrawFocusRect(dc, &area);
  }
}

std::wstring CurrentWindow::TipText(HWND control) const {
  if (control == lbDefaultPrinter_ || control == lbProxy_ || control == lbAutoConfigURL_) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), length + 1)));
    return text;
  }
  POINT pointer{};
  GetCursorPos(&pointer);
  ScreenToClient(control, &pointer);
  RECT client{};
  GetClientRect(control, &client);
  if (!PtInRect(&client, pointer)) {
    return {};
  }
  const int index = ItemAt(control, MAKELPARAM(pointer.x, pointer.y));
  return index < 0 ? std::wstring() : ListText(control, index);
}

void CurrentWindow::OnListMouseMove(HWND list, LPARAM position) {
  const HWND lists[] = {lbWiFi_, lbIPAddresses_, lbDisplays_, lbPrinters_, lbApps_};
  for (std::size_t i = 0; i < std::size(lists); ++i) {
    if (lists[i] != list) {
      continue;
    }
    const int index = ItemAt(list, position);
    if (index != tipItems_[i] && tooltip_ != nullptr) {
      tipItems_[i] = index;
      // Another item: the tooltip asks for its text again, or goes where there is no item.
      SendMessageW(tooltip_, index < 0 ? TTM_POP : TTM_UPDATE, 0, 0);
    }
    return;
  }
}

void CurrentWindow::OnCommand(int id, int code) {
  switch (id) {
    case kCurrentAppsListId:
      if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
        const LRESULT selected = SendMessageW(lbApps_, LB_GETCURSEL, 0, 0);
        store_.SetAppsItemIndex(selected == LB_ERR ? -1 : static_cast<int>(selected));
      }
      if (code == LBN_DBLCLK) {
        Guarded([this] { store_.lbAppsDblClick(); });
      }
      break;
    case kCurrentPrintersButtonId:
      if (code == BN_CLICKED) {
        Guarded([this] { store_.btPrintersClick(); });
      }
      break;
    case kCurrentDefaultPrinterButtonId:
      if (code == BN_CLICKED) {
        Guarded([this] { store_.btDefaultPrinterClick(); });
      }
      break;
    case kCurrentProxyButtonId:
      if (code == BN_CLICKED) {
        Guarded([this] { store_.btProxyClick(); });
      }
      break;
    case kCurrentAutoConfigURLButtonId:
      if (code == BN_CLICKED) {
        Guarded([this] { store_.btAutoConfigURLClick(); });
      }
      break;
    case IDCANCEL:
      EndModal();
      break;
    default:
      break;
  }
}

LRESULT CALLBACK CurrentWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  CurrentWindow* self = OwnerOfWindow(window, message, lParam, &CurrentWindow::window_);
  if (self == nullptr) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // Nothing may unwind through the system's code.
  try {
    return self->Handle(message, wParam, lParam);
  } catch (const std::exception& error) {
    self->boxes_.ShowError(error.what());
  } catch (...) {
    self->boxes_.ShowError("Unknown error.");
  }
  return 0;
}

LRESULT CALLBACK CurrentWindow::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR self) {
  if (message == WM_MOUSEMOVE) {
    reinterpret_cast<CurrentWindow*>(self)->OnListMouseMove(list, lParam);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(list, &CurrentWindow::ListProc, subclassId);
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CurrentWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(itemHeight_);
      return TRUE;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == lbDisplaysCount_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc,
                     DisplayCountHighlighted() ? kHighlightColour : GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      return DefWindowProcW(window_, message, wParam, lParam);
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == tooltip_ && header->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        tipText_ = TipText(reinterpret_cast<HWND>(header->idFrom));
        info->lpszText = tipText_.data();
        info->szText[0] = L'\0';
        info->hinst = nullptr;
      }
      return 0;
    }
    case WM_CLOSE:
      EndModal();
      return 0;
    case WM_DESTROY:
      modal_ = false;
      return 0;
    default:
      return DefWindowProcW(window_, message, wParam, lParam);
  }
}

}  // namespace xal::win32
