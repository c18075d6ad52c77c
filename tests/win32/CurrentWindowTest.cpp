// The current-environment window over a store whose probes the test controls: its lines as other
// processes read them, how it follows the store, which lines it draws in red, its buttons and its
// modal showing.
#include "ui/win32/CurrentWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "TestThread.h"
#include "ThreadDialogs.h"
#include "catalogue/XALErrors.h"
#include "catalogue/XALSet.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

// Printers as the management service would list them; every query fails while failing is set.
class FakeManagement : public IManagementService {
 public:
  struct Printer : IManagementObject {
    explicit Printer(std::string caption, bool isDefault)
        : caption_(std::move(caption)), default_(isDefault) {}
    std::string GetString(const std::string&) const override { return caption_; }
    bool GetBool(const std::string&) const override { return false; }
    std::int32_t GetInt(const std::string& name) const override {
      if (name == "Attributes") {
        return default_ ? 4 : 0;
      }
      return 3;  // idle
    }
    std::optional<std::vector<std::string>> GetStringArray(const std::string&) const override {
      return std::nullopt;
    }
    void InvokeMethod(const std::string&) override {}
    std::string caption_;
    bool default_;
  };
  struct Query : IManagementQuery {
    std::vector<std::pair<std::string, bool>> rest;
    std::unique_ptr<IManagementObject> Next() override {
      if (rest.empty()) {
        return nullptr;
      }
      auto next = std::make_unique<Printer>(rest.front().first, rest.front().second);
      rest.erase(rest.begin());
      return next;
    }
  };
  std::unique_ptr<IManagementQuery> ExecQuery(const std::string&) override {
    if (failing) {
      throw EXALError("The management service is not running.");
    }
    auto query = std::make_unique<Query>();
    query->rest = printers;
    return query;
  }
  std::vector<std::pair<std::string, bool>> printers;
  bool failing = false;
};

class FakeWireless : public IWirelessLan {
 public:
  bool AvailableNetworks(std::vector<TXALWlanNetwork>& list) override {
    list = networks;
    return true;
  }
  std::vector<TXALWlanNetwork> networks;
};

class FakeMonitors : public IMonitors {
 public:
  void Refresh() override {}
  const std::vector<TXALMonitor>& List() const override { return list; }
  std::vector<TXALMonitor> list;
};

class FakeProxy : public IProxyConfig {
 public:
  std::optional<std::string> CurrentUserProxyServer() const override { return server; }
  std::optional<std::string> server;
};

// Other programs' windows, by made-up handles.
class FakeWindows : public IWindowSystem {
 public:
  struct Window {
    std::string className;
    std::string caption;
  };
  bool IsWindow(TXALWindowHandle window) const override { return windows.count(window) != 0; }
  std::string ClassName(TXALWindowHandle window) const override {
    return IsWindow(window) ? windows.at(window).className : std::string();
  }
  std::string Caption(TXALWindowHandle window) const override {
    return IsWindow(window) ? windows.at(window).caption : std::string();
  }
  std::string ModuleFileName(TXALWindowHandle) const override { return {}; }
  std::uint32_t Style(TXALWindowHandle) const override { return 0; }
  bool IsVisible(TXALWindowHandle window) const override { return IsWindow(window); }
  bool IsEnabled(TXALWindowHandle window) const override { return IsWindow(window); }
  std::uint32_t ProcessId(TXALWindowHandle) const override { return 1; }
  TXALWindowHandle FindTopLevel(const std::string&) const override { return 0; }
  std::vector<TXALWindowHandle> EnumTopLevel() const override {
    std::vector<TXALWindowHandle> handles;
    for (const auto& entry : windows) {
      handles.push_back(entry.first);
    }
    return handles;
  }
  bool GetPlacement(TXALWindowHandle, TXALWindowPlacement&) const override { return false; }
  void SetPlacement(TXALWindowHandle, const TXALWindowPlacement&) override {}
  void SetForeground(TXALWindowHandle) override {}
  void Flash(TXALWindowHandle window, int count) override { flashed.emplace_back(window, count); }
  std::uintptr_t MonitorFromRect(const TXALRect&) const override { return 0; }
  std::string SystemDirectory() const override { return {}; }
  void ReplyToSender() override {}

  std::map<TXALWindowHandle, Window> windows;
  std::vector<std::pair<TXALWindowHandle, int>> flashed;
};

TXALMonitor Monitor(std::uintptr_t handle, int left, int top, int width, int height) {
  TXALMonitor monitor;
  monitor.Handle = handle;
  monitor.Bounds = {left, top, left + width, top + height};
  monitor.Description = "Generic PnP Monitor";
  return monitor;
}

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<std::wstring> ListLines(HWND list) {
  std::vector<std::wstring> lines;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[512] = {};
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    lines.emplace_back(text);
  }
  return lines;
}

BOOL CALLBACK CollectChildText(HWND child, LPARAM texts) {
  reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(Text(child));
  return TRUE;
}

// Runs action on this thread while another thread closes the error box it opens; the box's text,
// or nothing when no box came.
std::optional<std::wstring> ErrorBoxOf(const std::function<void()>& action) {
  std::optional<std::wstring> seen;
  const DWORD uiThread = GetCurrentThreadId();
  volatile bool done = false;
  TestThread answerer([&] {
    for (int i = 0; i < 500 && !done; ++i) {
      if (HWND box = FindBoxOfThread(uiThread); box != nullptr) {
        seen = Text(GetDlgItem(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        return;
      }
      Sleep(10);
    }
  });
  action();
  done = true;
  answerer.Join();
  return seen;
}

class CurrentWindowTest : public ::testing::Test {
 protected:
  CurrentWindowTest()
      : platform_{.Files = win_.files,
                  .System = win_.system,
                  .Boxes = win_.boxes,
                  .Management = management_,
                  .Registry = win_.registry,
                  .Wireless = wireless_,
                  .Monitors = monitors_,
                  .Proxy = proxy_,
                  .Internet = win_.internet,
                  .Printers = win_.printers,
                  .Shell = win_.shell,
                  .SharedMemory = win_.sharedMemory,
                  .Keyboard = win_.keyboard,
                  .HostAddresses = win_.hostAddresses,
                  .Windows = windows_,
                  .Clock = win_.clock,
                  .Hooks = win_.hooks,
                  .Clipboard = win_.clipboard,
                  .FileDialogs = win_.fileDialogs,
                  .LogOnShortcut = win_.logOnShortcut},
        store_(platform_, language_) {
    language_.Load(
        "fmXALCurrentCaption=Current environment\r\n"
        "fmXALCurrent_gbWiFiCaption=Wi-Fi\r\n"
        "fmXALCurrent_gbAppsCaption=Open windows\r\n"
        "fmXALCurrent_btPrintersCaption=Refresh\r\n"
        "fmXALCurrent_lbDisplaysCountLabelCaption=Number of displays:\r\n"
        "fmXALCurrent_NoProxyMsg=(no proxy server)\r\n"
        "fmXALCurrent_NoAutoConfigURLMsg=(no script)\r\n");
    store_.ConnectAppWindows(&windows_,
                             [this](TXALWindowHandle window) { return windows_.IsWindow(window); });
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    view_ = std::make_unique<CurrentWindow>(GetModuleHandleW(nullptr), store_, language_, matching_,
                                            windows_);
  }
  ~CurrentWindowTest() override {
    view_.reset();
    DestroyWindow(owner_);
  }

  HWND Control(int id) const { return GetDlgItem(view_->Handle(), id); }
  void Click(int id) {
    SendMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(id)));
  }
  TXALSet& AddMatchingSet() {
    sets_.push_back(std::make_unique<TXALSet>(nullptr));
    matching_.Add(sets_.back().get());
    return *sets_.back();
  }

  // Draws one line into a bitmap of its own and tells whether any pixel came out red, and
  // whether anything was written at all.
  struct Drawn {
    bool red = false;
    bool written = false;
  };
  Drawn DrawLine(int listId, int index) {
    HWND list = Control(listId);
    RECT area{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&area));
    OffsetRect(&area, -area.left, -area.top);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = area.right;
    info.bmiHeader.biHeight = -area.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTBOX;
    item.CtlID = static_cast<UINT>(listId);
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.hwndItem = list;
    item.hDC = dc;
    item.rcItem = area;
    item.itemData =
        static_cast<ULONG_PTR>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    SendMessageW(view_->Handle(), WM_DRAWITEM, static_cast<WPARAM>(listId),
                 reinterpret_cast<LPARAM>(&item));
    GdiFlush();
    Drawn drawn;
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    for (int i = 0; i < area.right * area.bottom; ++i) {
      const unsigned r = (pixels[i] >> 16) & 0xFF, g = (pixels[i] >> 8) & 0xFF,
                     b = pixels[i] & 0xFF;
      drawn.red = drawn.red || (r > 200 && g < 90 && b < 90);
      drawn.written = drawn.written || RGB(r, g, b) != background;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return drawn;
  }
  COLORREF CountColour() {
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(view_->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Control(kCurrentDisplayCountId)));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
  }

  Win32Platform win_;
  FakeManagement management_;
  FakeWireless wireless_;
  FakeMonitors monitors_;
  FakeProxy proxy_;
  FakeWindows windows_;
  TXALPlatform platform_;
  TXALLanguage language_;
  TfmXALCurrent store_;
  std::vector<std::unique_ptr<TXALSet>> sets_;
  TXALSetList matching_;
  HWND owner_ = nullptr;
  std::unique_ptr<CurrentWindow> view_;
};

TEST_F(CurrentWindowTest, ListsAppWindowsSoThatOtherProcessesCanReadThem) {
  windows_.windows = {{0x100, {"Notepad", "notes.txt - Notepad"}},
                      {0x200, {"CabinetWClass", "ダウンロード"}},
                      {0x300, {"ConsoleWindowClass", "cmd"}}};
  TXALHandleList handled;
  store_.RefreshApps(handled);
  view_->Create(owner_);

  HWND window = view_->Handle();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(FindWindowW(kCurrentWindowClass, nullptr), window);
  EXPECT_EQ(GetWindow(window, GW_OWNER), owner_);
  EXPECT_FALSE(IsWindowVisible(window));
  RECT client{};
  GetClientRect(window, &client);
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(client.right, MulDiv(697, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(521, dpi, 96));

  HWND apps = Control(kCurrentAppsListId);
  ASSERT_NE(apps, nullptr);
  const LONG style = GetWindowLongW(apps, GWL_STYLE);
  EXPECT_EQ(style & (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS), LBS_OWNERDRAWFIXED | LBS_HASSTRINGS);
  EXPECT_EQ(ListLines(apps),
            (std::vector<std::wstring>{L"cmd(ConsoleWindowClass)", L"ダウンロード(CabinetWClass)",
                                       L"notes.txt - Notepad(Notepad)"}));
  EXPECT_EQ(SendMessageW(apps, LB_GETITEMDATA, 0, 0), 0x300);
  EXPECT_EQ(SendMessageW(apps, LB_GETITEMDATA, 2, 0), 0x100);

  // Activated again with a new caption: its line moves to the top, selected.
  windows_.windows[0x100].caption = "todo.txt - Notepad";
  store_.AddOrUpdateApp("Notepad", "todo.txt - Notepad", 0x100);
  EXPECT_EQ(ListLines(apps).front(), L"todo.txt - Notepad(Notepad)");
  EXPECT_EQ(SendMessageW(apps, LB_GETITEMDATA, 0, 0), 0x100);
  EXPECT_EQ(SendMessageW(apps, LB_GETCURSEL, 0, 0), 0);

  windows_.windows.erase(0x200);
  store_.RemoveApp(0x200);
  EXPECT_EQ(ListLines(apps), (std::vector<std::wstring>{L"todo.txt - Notepad(Notepad)",
                                                        L"cmd(ConsoleWindowClass)"}));
  EXPECT_EQ(SendMessageW(apps, LB_GETITEMDATA, 1, 0), 0x300);
}

TEST_F(CurrentWindowTest, FollowsTheStoreAndReportsFailingButtons) {
  wireless_.networks = {{1, "Office"}};
  store_.RefreshWiFi();
  view_->Create(owner_);
  EXPECT_EQ(ListLines(Control(kCurrentWiFiListId)), std::vector<std::wstring>{L"Office"});

  wireless_.networks = {{1, "Café"}};
  store_.RefreshWiFi();
  EXPECT_EQ(ListLines(Control(kCurrentWiFiListId)), std::vector<std::wstring>{L"Café"});

  monitors_.list = {Monitor(1, 0, 0, 1920, 1080), Monitor(2, -1280, 0, 1280, 1024)};
  store_.RefreshDisplays();
  EXPECT_EQ(ListLines(Control(kCurrentDisplayListId)),
            (std::vector<std::wstring>{L"1:Generic PnP Monitor(0,0,1920,1080)",
                                       L"2:Generic PnP Monitor(-1280,0,1280,1024)"}));
  EXPECT_EQ(Text(Control(kCurrentDisplayCountId)), L"2");

  management_.printers = {{"Office Laser", true}, {"Plotter", false}};
  Click(kCurrentPrintersButtonId);
  EXPECT_EQ(ListLines(Control(kCurrentPrinterListId)),
            (std::vector<std::wstring>{L"Office Laser", L"Plotter"}));
  Click(kCurrentDefaultPrinterButtonId);
  EXPECT_EQ(Text(Control(kCurrentDefaultPrinterId)), L"Office Laser");
  proxy_.server = "proxy.example:8080";
  Click(kCurrentProxyButtonId);
  EXPECT_EQ(Text(Control(kCurrentProxyId)), L"proxy.example:8080");

  // A failing probe is shown in a box; the label keeps its text, the emptied list shows empty.
  management_.failing = true;
  EXPECT_EQ(ErrorBoxOf([&] { Click(kCurrentDefaultPrinterButtonId); }),
            std::optional<std::wstring>(L"The management service is not running."));
  EXPECT_EQ(Text(Control(kCurrentDefaultPrinterId)), L"Office Laser");
  EXPECT_EQ(ErrorBoxOf([&] { Click(kCurrentPrintersButtonId); }),
            std::optional<std::wstring>(L"The management service is not running."));
  EXPECT_TRUE(ListLines(Control(kCurrentPrinterListId)).empty());
  EXPECT_TRUE(IsWindow(view_->Handle()));
}

TEST_F(CurrentWindowTest, DrawsTheLinesThatMatchingSetsRelyOnInRed) {
  wireless_.networks = {{1, "Office"}};
  store_.RefreshWiFi();
  monitors_.list = {Monitor(1, 0, 0, 1920, 1080), Monitor(2, -1280, 0, 1280, 1024)};
  store_.RefreshDisplays();
  management_.printers = {{"Office Laser", true}, {"Plotter", false}};
  store_.RefreshPrinters();
  windows_.windows = {{0x100, {"Notepad", "notes.txt - Notepad"}}, {0x200, {"Shell", "Files"}}};
  TXALHandleList handled;
  store_.RefreshApps(handled);  // Files first, Notepad second
  view_->Create(owner_);

  const struct {
    int list;
    int index;
  } lines[] = {{kCurrentWiFiListId, 0},   {kCurrentPrinterListId, 0}, {kCurrentPrinterListId, 1},
               {kCurrentAppsListId, 0},   {kCurrentAppsListId, 1},    {kCurrentDisplayListId, 0},
               {kCurrentDisplayListId, 1}};
  const auto redLines = [&] {
    std::vector<bool> red;
    for (const auto& line : lines) {
      const Drawn drawn = DrawLine(line.list, line.index);
      EXPECT_TRUE(drawn.written) << line.list << " " << line.index;
      red.push_back(drawn.red);
    }
    return red;
  };

  EXPECT_EQ(redLines(), std::vector<bool>(std::size(lines), false));
  EXPECT_EQ(CountColour(), GetSysColor(COLOR_WINDOWTEXT));

  TXALSet& set = AddMatchingSet();
  set.Environment.Network.WiFi = "Office";
  set.Environment.Printers.Add("office laser");
  set.Environment.Displays.AddDisplay(2, -1280, 0, 1280, 1024);
  TXALApp& rule = set.Target.Apps.Items(set.Target.Apps.Add(std::make_unique<TXALApp>(nullptr)));
  rule.WindowClass = "Notepad";
  view_->Redraw();
  EXPECT_EQ(redLines(), (std::vector<bool>{true, true, false, false, true, false, true}));
  EXPECT_EQ(CountColour(), RGB(255, 0, 0));

  // Case counts for the Wi-Fi name; the window's class is read when drawn.
  set.Environment.Network.WiFi = "office";
  windows_.windows[0x100].className = "Edit";
  EXPECT_EQ(redLines(), (std::vector<bool>{false, true, false, false, false, false, true}));

  matching_.Clear();
  view_->Redraw();
  EXPECT_EQ(redLines(), std::vector<bool>(std::size(lines), false));
  EXPECT_EQ(CountColour(), GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(CurrentWindowTest, DoubleClickFlashesTheSelectedWindow) {
  windows_.windows = {{0x100, {"Notepad", "a"}}, {0x200, {"Notepad", "b"}}};
  TXALHandleList handled;
  store_.RefreshApps(handled);
  view_->Create(owner_);
  HWND apps = Control(kCurrentAppsListId);

  SendMessageW(apps, LB_SETCURSEL, 1, 0);
  SendMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(kCurrentAppsListId, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(apps));
  EXPECT_EQ(store_.lbAppsItemIndex(), 1);
  EXPECT_EQ(windows_.flashed,
            (std::vector<std::pair<TXALWindowHandle, int>>{
                {static_cast<TXALWindowHandle>(SendMessageW(apps, LB_GETITEMDATA, 1, 0)), 5}}));

  SendMessageW(apps, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(view_->Handle(), WM_COMMAND, MAKEWPARAM(kCurrentAppsListId, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(apps));
  EXPECT_EQ(store_.lbAppsItemIndex(), -1);
  EXPECT_EQ(windows_.flashed.size(), 1u);
}

TEST_F(CurrentWindowTest, ShowModalLoadsCaptionsReadsLabelsAndClosingOnlyHides) {
  proxy_.server = "proxy.example:3128";
  management_.printers = {{"Office Laser", true}};
  view_->Create(owner_);
  HWND window = view_->Handle();

  bool shown = false;
  bool ownerDisabled = false;
  std::wstring title;
  TestThread closer([&] {
    for (int i = 0; i < 500; ++i) {
      if (IsWindowVisible(window)) {
        shown = true;
        ownerDisabled = !IsWindowEnabled(owner_);
        title = Text(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
        return;
      }
      Sleep(10);
    }
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  view_->ShowModal();
  closer.Join();

  EXPECT_TRUE(shown);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_EQ(title, L"Current environment");
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(Text(Control(kCurrentProxyId)), L"proxy.example:3128");
  EXPECT_EQ(Text(Control(kCurrentAutoConfigURLId)), L"(no script)");
  EXPECT_EQ(Text(Control(kCurrentDefaultPrinterId)), L"Office Laser");
  std::vector<std::wstring> texts;
  EnumChildWindows(window, &CollectChildText, reinterpret_cast<LPARAM>(&texts));
  for (const wchar_t* caption : {L"Wi-Fi", L"Open windows", L"Refresh", L"Number of displays:"}) {
    EXPECT_NE(std::find(texts.begin(), texts.end(), caption), texts.end()) << Narrow(caption);
  }

  // Tooltips: a label's own text; a list's item under the pointer, nothing below the items.
  const auto tip = [&](HWND control) {
    NMTTDISPINFOW info{};
    info.hdr.hwndFrom = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr);
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(control);
    info.hdr.code = TTN_GETDISPINFOW;
    // The tooltip that belongs to this window.
    for (HWND tooltip = nullptr;
         (tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
      if (GetWindow(tooltip, GW_OWNER) == window) {
        info.hdr.hwndFrom = tooltip;
      }
    }
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return std::wstring(info.lpszText != nullptr ? info.lpszText : L"");
  };
  EXPECT_EQ(tip(Control(kCurrentProxyId)), L"proxy.example:3128");
  for (HWND tooltip = nullptr;
       (tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
    if (GetWindow(tooltip, GW_OWNER) == window) {
      EXPECT_EQ(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), kTooltipShowMs);
    }
  }

  store_.RefreshPrinters();
  HWND printers = Control(kCurrentPrinterListId);
  RECT item{};
  SendMessageW(printers, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  POINT onItem{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  RECT client{};
  GetClientRect(printers, &client);
  POINT belowItems{onItem.x, client.bottom - 2};
  ClientToScreen(printers, &onItem);
  ClientToScreen(printers, &belowItems);
  // Wine moves the pointer only for the process in the foreground, and may report a pointer
  // motion of the X server afterwards: the tip is judged only while the pointer stays put.
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  const auto tipAt = [&](POINT at) -> std::optional<std::wstring> {
    POINT now{};
    for (int i = 0; i < 20; ++i) {
      SetCursorPos(at.x, at.y);
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
      }
      Sleep(20);
      if (GetCursorPos(&now) && now.x == at.x && now.y == at.y) {
        std::wstring text = tip(printers);
        if (GetCursorPos(&now) && now.x == at.x && now.y == at.y) {
          return text;
        }
      }
    }
    return std::nullopt;
  };
  const std::optional<std::wstring> onItemTip = tipAt(onItem);
  const std::optional<std::wstring> belowItemsTip = tipAt(belowItems);
  ShowWindow(window, SW_HIDE);
  if (!onItemTip || !belowItemsTip) {
    GTEST_SKIP() << "the pointer can't be moved here";
  }
  EXPECT_EQ(*onItemTip, L"Office Laser");
  EXPECT_EQ(*belowItemsTip, L"");
}

}  // namespace
}  // namespace xal::win32
