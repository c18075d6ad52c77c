// Drives the running tray program from outside, the way the shell and a user would: it finds the
// program's windows, posts the messages its tray icon and menu send, reads and answers its message
// boxes, and works the controls of its forms by the names the program gives them. One action per
// run, so that a shell script can sequence and check each step.
//
// Exit codes: 0 the action succeeded, 1 it failed or timed out, 2 bad usage.

#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/XALWindowMessages.h"
#include "programs/XALSetIPSettings.h"

namespace {

namespace contract = xal::win32;

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr DWORD kPollMs = 50;
// How long a cross-process WM_GETTEXT may take before the window counts as hung.
constexpr UINT kSendTimeoutMs = 2000;
// Default wait for the effect of an action that is expected to happen at once.
constexpr DWORD kDefaultSettleMs = 5000;

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

std::string Utf8(std::wstring_view text) {
  if (text.empty()) {
    return {};
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                      nullptr, nullptr);
  return result;
}

void Print(const std::string& line) {
  std::fputs(line.c_str(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

DWORD ParseNumber(const wchar_t* text, const char* what) {
  wchar_t* end = nullptr;
  const unsigned long value = std::wcstoul(text, &end, 10);
  if (end == text || *end != L'\0') {
    throw UsageError(std::string(what) + " is not a decimal number: " + Utf8(text));
  }
  return static_cast<DWORD>(value);
}

DWORD ParseMs(const wchar_t* text) {
  return ParseNumber(text, "timeout in milliseconds");
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

// Goes through WM_GETTEXT so that controls of another process answer with their live text.
std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                          &length) == 0) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                          SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied) == 0) {
    return {};
  }
  text.resize(copied);
  return text;
}

DWORD ProcessOf(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process;
}

std::string RectText(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
         std::to_string(rect.right) + " " + std::to_string(rect.bottom) + " (" +
         std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) +
         ")";
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindTopLevel(std::wstring_view className) {
  for (HWND window : TopLevelWindows()) {
    if (lstrcmpiW(ClassOf(window).c_str(), std::wstring(className).c_str()) == 0) {
      return window;
    }
  }
  return nullptr;
}

HWND MainWindow() {
  return FindTopLevel(contract::kMainWindowClass);
}

HWND RequireMainWindow() {
  HWND window = MainWindow();
  if (window == nullptr) {
    throw std::runtime_error("no window of class " + Utf8(contract::kMainWindowClass));
  }
  return window;
}

// A dialog or menu belongs to the program when its process owns the main window. Before the main
// window exists (or after it is gone) a dialog is recognised by the program's title instead.
bool BelongsToProgram(HWND window) {
  HWND main = MainWindow();
  if (main != nullptr) {
    return ProcessOf(window) == ProcessOf(main);
  }
  return TextOf(window) == contract::kApplicationTitle;
}

HWND FindProgramWindow(std::wstring_view className) {
  for (HWND window : TopLevelWindows()) {
    if (IsWindowVisible(window) &&
        lstrcmpiW(ClassOf(window).c_str(), std::wstring(className).c_str()) == 0 &&
        BelongsToProgram(window)) {
      return window;
    }
  }
  return nullptr;
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    if (done()) {
      return true;
    }
    if (GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(kPollMs);
  }
}

HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs);
  return found;
}

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (PostMessageW(window, message, wParam, lParam) == 0) {
    throw std::runtime_error("PostMessage failed with error " + std::to_string(GetLastError()));
  }
}

struct ButtonName {
  const wchar_t* name;
  int id;
};

constexpr ButtonName kButtons[] = {
    {L"OK", IDOK},         {L"Cancel", IDCANCEL}, {L"Abort", IDABORT}, {L"Retry", IDRETRY},
    {L"Ignore", IDIGNORE}, {L"Yes", IDYES},       {L"No", IDNO},
};

// Message boxes keep every possible button in their template and hide the ones not asked for,
// so only visible buttons count.
std::vector<HWND> VisibleButtons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND child : ChildWindows(box)) {
    if (IsWindowVisible(child) && lstrcmpiW(ClassOf(child).c_str(), L"Button") == 0) {
      buttons.push_back(child);
    }
  }
  return buttons;
}

std::string ButtonIdName(int id) {
  for (const ButtonName& button : kButtons) {
    if (button.id == id) {
      return Utf8(button.name);
    }
  }
  return "id" + std::to_string(id);
}

int WaitWindow(const wchar_t* className, DWORD timeoutMs) {
  HWND window = WaitFor([&] { return FindTopLevel(className); }, timeoutMs);
  if (window == nullptr) {
    throw std::runtime_error("no window of class " + Utf8(className) + " within " +
                             std::to_string(timeoutMs) + " ms");
  }
  Print(IsWindowVisible(window) ? "visible" : "hidden");
  return 0;
}

int WaitGone(const wchar_t* className, DWORD timeoutMs) {
  if (!WaitUntil([&] { return FindTopLevel(className) == nullptr; }, timeoutMs)) {
    throw std::runtime_error("window of class " + Utf8(className) + " still there after " +
                             std::to_string(timeoutMs) + " ms");
  }
  Print("gone");
  return 0;
}

int CountWindows(const wchar_t* className) {
  int count = 0;
  for (HWND window : TopLevelWindows()) {
    count += lstrcmpiW(ClassOf(window).c_str(), className) == 0 ? 1 : 0;
  }
  Print(std::to_string(count));
  return 0;
}

int PostClose() {
  Post(RequireMainWindow(), WM_CLOSE, 0, 0);
  Print("posted WM_CLOSE");
  return 0;
}

int Command(const wchar_t* argument) {
  struct Named {
    const wchar_t* name;
    unsigned id;
  };
  constexpr Named kNamed[] = {{L"Restore", contract::kCmdRestore},
                              {L"Recheck", contract::kCmdRecheck},
                              {L"SetIPAddresses", contract::kCmdSetIPAddresses},
                              {L"Quit", contract::kCmdQuit}};
  unsigned id = 0;
  for (const Named& named : kNamed) {
    if (lstrcmpiW(argument, named.name) == 0) {
      id = named.id;
    }
  }
  if (id == 0) {
    id = ParseNumber(argument, "command id");
  }
  Post(RequireMainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  Print("posted WM_COMMAND " + std::to_string(id));
  return 0;
}

int Tray(const wchar_t* mouseMessage) {
  UINT message = 0;
  if (lstrcmpiW(mouseMessage, L"WM_RBUTTONUP") == 0) {
    message = WM_RBUTTONUP;
  } else if (lstrcmpiW(mouseMessage, L"WM_LBUTTONDBLCLK") == 0) {
    message = WM_LBUTTONDBLCLK;
  } else {
    throw UsageError("tray takes WM_RBUTTONUP or WM_LBUTTONDBLCLK, not " + Utf8(mouseMessage));
  }
  // The shell sends the icon's id in wParam; the contract only fixes lParam.
  Post(RequireMainWindow(), contract::kTrayCallbackMessage, 0, message);
  Print("posted tray callback " + Utf8(mouseMessage));
  return 0;
}

int WaitMessageBox(DWORD timeoutMs) {
  HWND box = WaitFor([] { return FindProgramWindow(kDialogClass); }, timeoutMs);
  if (box == nullptr) {
    throw std::runtime_error("no message box within " + std::to_string(timeoutMs) + " ms");
  }
  Print("title: " + Utf8(TextOf(box)));
  for (HWND child : ChildWindows(box)) {
    if (lstrcmpiW(ClassOf(child).c_str(), L"Static") == 0) {
      const std::wstring text = TextOf(child);
      if (!text.empty()) {
        Print("text: " + Utf8(text));
      }
    }
  }
  std::string names;
  for (HWND button : VisibleButtons(box)) {
    names += (names.empty() ? "" : " ") + ButtonIdName(GetDlgCtrlID(button));
  }
  Print("buttons: " + names);
  return 0;
}

int Click(const wchar_t* buttonName, DWORD timeoutMs) {
  int id = 0;
  for (const ButtonName& button : kButtons) {
    if (lstrcmpiW(buttonName, button.name) == 0) {
      id = button.id;
    }
  }
  if (id == 0) {
    throw UsageError("unknown button " + Utf8(buttonName));
  }
  HWND box = FindProgramWindow(kDialogClass);
  if (box == nullptr) {
    throw std::runtime_error("no message box to click");
  }
  HWND target = nullptr;
  for (HWND button : VisibleButtons(box)) {
    if (GetDlgCtrlID(button) == id) {
      target = button;
    }
  }
  if (target == nullptr) {
    throw std::runtime_error("the message box has no " + Utf8(buttonName) + " button");
  }
  // What the button itself sends to its dialog when clicked; posting it does not depend on
  // mouse input reaching the other process.
  Post(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(target));
  if (!WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs)) {
    throw std::runtime_error("the message box is still open after clicking " + Utf8(buttonName));
  }
  Print("clicked " + Utf8(buttonName));
  return 0;
}

int WaitMenu(DWORD timeoutMs) {
  HWND menu = WaitFor([] { return FindProgramWindow(kMenuClass); }, timeoutMs);
  if (menu == nullptr) {
    throw std::runtime_error("no popup menu within " + std::to_string(timeoutMs) + " ms");
  }
  Print("menu visible at " + RectText(menu));
  return 0;
}

HWND RequireMenu() {
  HWND menu = FindProgramWindow(kMenuClass);
  if (menu == nullptr) {
    throw std::runtime_error("no popup menu is open");
  }
  return menu;
}

// The menu's tracking loop reads the keyboard messages of its thread, whatever window they are
// posted to; posting them works without keyboard focus on the virtual desktop.
void PostKey(HWND menu, WPARAM key) {
  Post(menu, WM_KEYDOWN, key, 1);
  Post(menu, WM_KEYUP, key, 1 | (1U << 30) | (1U << 31));
}

int DismissMenu(DWORD timeoutMs) {
  PostKey(RequireMenu(), VK_ESCAPE);
  if (!WaitUntil([] { return FindProgramWindow(kMenuClass) == nullptr; }, timeoutMs)) {
    throw std::runtime_error("the popup menu is still open after Escape");
  }
  Print("menu dismissed");
  return 0;
}

int MenuKey(const wchar_t* keyName) {
  struct Named {
    const wchar_t* name;
    WPARAM key;
  };
  constexpr Named kKeys[] = {{L"Up", VK_UP}, {L"Down", VK_DOWN}, {L"Return", VK_RETURN}};
  for (const Named& named : kKeys) {
    if (lstrcmpiW(keyName, named.name) == 0) {
      PostKey(RequireMenu(), named.key);
      Print("posted key " + Utf8(named.name) + " to the menu");
      return 0;
    }
  }
  throw UsageError("menu-key takes Up, Down or Return, not " + Utf8(keyName));
}

int WindowInfo(const wchar_t* className) {
  HWND window = FindTopLevel(className);
  if (window == nullptr) {
    throw std::runtime_error("no window of class " + Utf8(className));
  }
  Print(std::string("visible: ") + (IsWindowVisible(window) ? "yes" : "no"));
  Print(std::string("minimized: ") + (IsIconic(window) ? "yes" : "no"));
  Print(std::string("maximized: ") + (IsZoomed(window) ? "yes" : "no"));
  Print("title: " + Utf8(TextOf(window)));
  Print("rect: " + RectText(window));
  return 0;
}

HWND RequireTopLevel(const wchar_t* className) {
  HWND window = FindTopLevel(className);
  if (window == nullptr) {
    throw std::runtime_error("no window of class " + Utf8(className));
  }
  return window;
}

LRESULT CALLBACK AppWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Stands for an application the user opens: a captioned, resizable window of the given class,
// shown and activated at a place no rule uses, until it is closed.
int AppWindow(const wchar_t* className, const wchar_t* caption) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = &AppWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className;
  if (RegisterClassExW(&windowClass) == 0) {
    throw std::runtime_error("can't register the window class " + Utf8(className));
  }
  HWND window = CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW, 40, 30, 300, 200,
                                nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    throw std::runtime_error("can't create a window of class " + Utf8(className));
  }
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  Print("opened " + RectText(window));
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

int CloseTopLevel(const wchar_t* className) {
  Post(RequireTopLevel(className), WM_CLOSE, 0, 0);
  Print("posted WM_CLOSE");
  return 0;
}

int RestoreTopLevel(const wchar_t* className) {
  ShowWindow(RequireTopLevel(className), SW_RESTORE);
  Print("restored");
  return 0;
}

int ActivateTopLevel(const wchar_t* className) {
  if (SetForegroundWindow(RequireTopLevel(className)) == 0) {
    throw std::runtime_error("SetForegroundWindow refused");
  }
  Print("activated");
  return 0;
}

// The lines of the program's list of application windows, top (most recent) first. The list
// lives in the hidden current-environment window and keeps its lines as strings.
int AppList() {
  HWND current = nullptr;
  for (HWND window : TopLevelWindows()) {
    if (lstrcmpiW(ClassOf(window).c_str(), contract::kCurrentWindowClass) == 0 &&
        BelongsToProgram(window)) {
      current = window;
    }
  }
  if (current == nullptr) {
    throw std::runtime_error("the program has no window of class " +
                             Utf8(contract::kCurrentWindowClass));
  }
  HWND list = GetDlgItem(current, contract::kCurrentAppsListId);
  if (list == nullptr) {
    throw std::runtime_error("the current-environment window has no list of application windows");
  }
  DWORD_PTR count = 0;
  if (SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count) == 0) {
    throw std::runtime_error("the list of application windows does not answer");
  }
  for (WPARAM index = 0; index < count; ++index) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
    std::wstring line(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
    line.resize(copied <= length ? copied : 0);
    Print(Utf8(line));
  }
  return 0;
}

// Tells the scripts which language file the program picks (Languages\<id>.txt for 1041, else
// 1033.txt).
// WM_DISPLAYCHANGE sent to the main window from this process, as the system sends it; prints
// how long the program held the sender up.
int SendDisplayChange() {
  HWND window = RequireMainWindow();
  const DWORD start = GetTickCount();
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 800), SMTO_ABORTIFHUNG,
                          10000, &result) == 0) {
    throw std::runtime_error("the main window did not answer WM_DISPLAYCHANGE within 10 s");
  }
  Print("answered-ms: " + std::to_string(GetTickCount() - start));
  return 0;
}

// An address-change notice posted to the main window, as the system's thread pool posts it.
int PostAddressNotice() {
  Post(RequireMainWindow(), contract::kAddressNoticeMessage, 0, 0);
  Print("posted the address-change notice");
  return 0;
}

int UserLocale() {
  Print(std::to_string(GetUserDefaultLCID()));
  return 0;
}

void ListWindow(HWND window, const std::string& indent) {
  Print(indent + Utf8(ClassOf(window)) + " \"" + Utf8(TextOf(window)) +
        "\" pid=" + std::to_string(ProcessOf(window)) +
        (IsWindowVisible(window) ? " visible " : " hidden ") + RectText(window));
}

// For the artifacts of a failed run: every top-level window, and what the task bar holds.
int ListWindows() {
  for (HWND window : TopLevelWindows()) {
    ListWindow(window, "");
    if (lstrcmpiW(ClassOf(window).c_str(), L"Shell_TrayWnd") == 0) {
      for (HWND child : ChildWindows(window)) {
        ListWindow(child, "  ");
      }
    }
  }
  return 0;
}

// Creates the IP settings block with a file's bytes, as the tray program's hand-off does, and
// runs a program while holding it; the block goes when the driver ends. The program's exit code
// becomes the driver's, so that a script can check it.
int HoldBlock(const std::wstring& file, const std::vector<std::wstring>& command) {
  const HANDLE input = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (input == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("can't open " + Utf8(file));
  }
  LARGE_INTEGER size{};
  GetFileSizeEx(input, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  const BOOL ok = bytes.empty() ||
                  ReadFile(input, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(input);
  if (!ok || read != bytes.size()) {
    throw std::runtime_error("can't read " + Utf8(file));
  }
  if (bytes.empty()) {
    throw std::runtime_error(Utf8(file) + " is empty; a block can't be");
  }
  const HANDLE mapping =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                         static_cast<DWORD>(bytes.size()), L"IPSettingsMMF_ForTremvale");
  if (mapping == nullptr) {
    throw std::runtime_error("can't create the block");
  }
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, bytes.size());
  if (view == nullptr) {
    CloseHandle(mapping);
    throw std::runtime_error("can't map the block");
  }
  std::memcpy(view, bytes.data(), bytes.size());

  std::wstring line;
  for (const std::wstring& word : command) {
    // Enough quoting for the paths and switches the scenarios pass: no quotes inside them.
    line += (line.empty() ? L"" : L" ") + (L"\"" + word + L"\"");
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    throw std::runtime_error("can't start " + Utf8(line));
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  return static_cast<int>(exitCode);
}

// The elevated IP settings helper's plan window: a dialog with the helper's own title, whichever
// process shows it.
HWND FindPlanWindow() {
  for (HWND window : TopLevelWindows()) {
    if (IsWindowVisible(window) && lstrcmpiW(ClassOf(window).c_str(), kDialogClass) == 0 &&
        TextOf(window) == contract::kIPPlanWindowTitle) {
      return window;
    }
  }
  return nullptr;
}

HWND RequirePlanWindow() {
  HWND plan = FindPlanWindow();
  if (plan == nullptr) {
    throw std::runtime_error("no IP settings plan window is open");
  }
  return plan;
}

// A button's caption as the user reads it, without the "&" of its access key.
std::wstring ButtonCaption(HWND button) {
  std::wstring caption;
  for (const wchar_t c : TextOf(button)) {
    if (c != L'&') {
      caption += c;
    }
  }
  return caption;
}

// Prints the plan window as the user sees it: its introduction, each line of the plan, and the
// buttons that can be pressed, the default one marked.
int IPPlan(DWORD timeoutMs) {
  HWND plan = WaitFor(&FindPlanWindow, timeoutMs);
  if (plan == nullptr) {
    throw std::runtime_error("no IP settings plan window within " + std::to_string(timeoutMs) +
                             " ms");
  }
  Print("title: " + Utf8(TextOf(plan)));
  Print("pid: " + std::to_string(ProcessOf(plan)));
  Print("rect: " + RectText(plan));
  Print("intro: " + Utf8(TextOf(GetDlgItem(plan, XAL_IDC_IP_PLAN_INTRO))));
  const std::wstring text = TextOf(GetDlgItem(plan, contract::kIPPlanTextId));
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      end = text.size();
    }
    Print("plan: " + Utf8(std::wstring_view(text).substr(start, end - start)));
    start = end + 2;
  }
  std::string names;
  for (HWND button : VisibleButtons(plan)) {
    const bool isDefault = (GetWindowLongW(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
    names += (names.empty() ? "" : " ") + Utf8(ButtonCaption(button)) +
             (isDefault ? "(default)" : "") + (IsWindowEnabled(button) ? "" : "(disabled)");
  }
  Print("buttons: " + names);
  return 0;
}

// Presses a button of the plan window by its caption, as its click would, and waits for the
// helper to end; prints its exit code.
int IPPlanPress(const wchar_t* caption, DWORD timeoutMs) {
  HWND plan = RequirePlanWindow();
  HWND target = nullptr;
  for (HWND button : VisibleButtons(plan)) {
    if (IsWindowEnabled(button) && lstrcmpiW(ButtonCaption(button).c_str(), caption) == 0) {
      target = button;
    }
  }
  if (target == nullptr) {
    throw std::runtime_error("the plan window has no enabled button " + Utf8(caption));
  }
  const HANDLE process =
      OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOf(plan));
  if (process == nullptr) {
    throw std::runtime_error("can't open the helper's process: error " +
                             std::to_string(GetLastError()));
  }
  Post(plan, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
       reinterpret_cast<LPARAM>(target));
  const DWORD waited = WaitForSingleObject(process, timeoutMs);
  DWORD exitCode = 0;
  GetExitCodeProcess(process, &exitCode);
  CloseHandle(process);
  if (waited != WAIT_OBJECT_0) {
    throw std::runtime_error("the helper still runs " + std::to_string(timeoutMs) +
                             " ms after pressing " + Utf8(caption));
  }
  Print("pressed " + Utf8(caption));
  Print("exit code: " + std::to_string(exitCode));
  return 0;
}

// --- Forms: the main window's editor and the program's dialogs, drawn from a control list ---

constexpr wchar_t kControlNameProperty[] = L"XALControlName";

// The presenter name a form's control carries, or empty for windows that are no form control.
std::wstring ControlNameOf(HWND control) {
  const auto atom =
      static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(control, kControlNameProperty)));
  if (atom == 0) {
    return {};
  }
  wchar_t name[256] = {};
  const UINT length = GlobalGetAtomNameW(atom, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length);
}

HWND FindNamedChild(HWND form, std::wstring_view name) {
  for (HWND child : ChildWindows(form)) {
    if (ControlNameOf(child) == name) {
      return child;
    }
  }
  return nullptr;
}

bool IsForm(HWND window) {
  for (HWND child : ChildWindows(window)) {
    if (!ControlNameOf(child).empty()) {
      return true;
    }
  }
  return false;
}

// A top-level window titled exactly so that holds named controls; message boxes share the main
// window's title and are told apart by that. A visible one wins over a hidden one.
HWND FindForm(std::wstring_view title) {
  HWND hidden = nullptr;
  for (HWND window : TopLevelWindows()) {
    if (TextOf(window) != title || !IsForm(window)) {
      continue;
    }
    if (IsWindowVisible(window)) {
      return window;
    }
    hidden = window;
  }
  return hidden;
}

HWND RequireForm(const std::wstring& title) {
  HWND form = FindForm(title);
  if (form == nullptr) {
    throw std::runtime_error("no form titled \"" + Utf8(title) + "\"");
  }
  return form;
}

HWND RequireControl(const std::wstring& title, const std::wstring& name) {
  HWND control = FindNamedChild(RequireForm(title), name);
  if (control == nullptr) {
    throw std::runtime_error("the form \"" + Utf8(title) + "\" has no control " + Utf8(name));
  }
  return control;
}

bool IsClass(HWND window, const wchar_t* className) {
  return lstrcmpiW(ClassOf(window).c_str(), className) == 0;
}

DWORD_PTR SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                          &result) == 0) {
    throw std::runtime_error("the control does not answer message " + std::to_string(message));
  }
  return result;
}

// Memory in the program's process: list view messages carry pointers that do not cross
// processes, so their structures go there and back.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) : size_(size) {
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                           ProcessOf(window));
    if (process_ == nullptr) {
      throw std::runtime_error("can't open the program's process: error " +
                               std::to_string(GetLastError()));
    }
    address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_ == nullptr) {
      CloseHandle(process_);
      throw std::runtime_error("can't allocate memory in the program's process");
    }
  }
  ~RemoteBuffer() {
    VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;

  void Write(const void* data, std::size_t size, std::size_t offset = 0) {
    SIZE_T written = 0;
    if (offset + size > size_ || !WriteProcessMemory(process_, At(offset), data, size, &written) ||
        written != size) {
      throw std::runtime_error("can't write into the program's process");
    }
  }
  void Read(void* data, std::size_t size, std::size_t offset = 0) const {
    SIZE_T read = 0;
    if (offset + size > size_ || !ReadProcessMemory(process_, At(offset), data, size, &read) ||
        read != size) {
      throw std::runtime_error("can't read from the program's process");
    }
  }
  LPARAM Param(std::size_t offset = 0) const { return reinterpret_cast<LPARAM>(At(offset)); }

 private:
  void* At(std::size_t offset) const { return static_cast<char*>(address_) + offset; }

  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

constexpr std::size_t kTextChars = 1024;

std::wstring ListViewText(HWND list, int item, int column) {
  RemoteBuffer buffer(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  LVITEMW request{};
  request.iSubItem = column;
  request.cchTextMax = static_cast<int>(kTextChars);
  request.pszText = reinterpret_cast<LPWSTR>(buffer.Param(sizeof(LVITEMW)));
  buffer.Write(&request, sizeof(request));
  const auto length = static_cast<std::size_t>(
      SendTimed(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), buffer.Param()));
  std::wstring text(std::min(length, kTextChars - 1), L'\0');
  if (!text.empty()) {
    buffer.Read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
  }
  return text;
}

void SetListViewState(HWND list, int item, UINT state, UINT mask) {
  RemoteBuffer buffer(list, sizeof(LVITEMW));
  LVITEMW request{};
  request.state = state;
  request.stateMask = mask;
  buffer.Write(&request, sizeof(request));
  SendTimed(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), buffer.Param());
}

int ListViewCount(HWND list) {
  return static_cast<int>(SendTimed(list, LVM_GETITEMCOUNT, 0, 0));
}

void RequireItem(int index, int count) {
  if (index < 0 || index >= count) {
    throw std::runtime_error("no line " + std::to_string(index) + "; the control holds " +
                             std::to_string(count));
  }
}

int ParseIndex(const std::wstring& text) {
  return static_cast<int>(ParseNumber(text.c_str(), "index"));
}

int FormWait(const std::wstring& title, DWORD timeoutMs) {
  HWND form = WaitFor(
      [&]() -> HWND {
        HWND found = FindForm(title);
        return found != nullptr && IsWindowVisible(found) && IsWindowEnabled(found) ? found
                                                                                    : nullptr;
      },
      timeoutMs);
  if (form == nullptr) {
    throw std::runtime_error("no visible, enabled form titled \"" + Utf8(title) + "\" within " +
                             std::to_string(timeoutMs) + " ms");
  }
  Print("form: " + Utf8(title));
  Print("rect: " + RectText(form));
  return 0;
}

int FormGone(const std::wstring& title, DWORD timeoutMs) {
  if (!WaitUntil(
          [&] {
            HWND form = FindForm(title);
            return form == nullptr || !IsWindowVisible(form);
          },
          timeoutMs)) {
    throw std::runtime_error("the form \"" + Utf8(title) + "\" is still open after " +
                             std::to_string(timeoutMs) + " ms");
  }
  Print("gone: " + Utf8(title));
  return 0;
}

int FormType(const std::wstring& title, const std::wstring& name, const std::wstring& text) {
  HWND edit = RequireControl(title, name);
  // The edit reports the change to its form by itself, as it does for typing.
  SendTimed(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (TextOf(edit) != text) {
    throw std::runtime_error(Utf8(name) + " holds \"" + Utf8(TextOf(edit)) + "\" after typing");
  }
  Print("typed into " + Utf8(name) + ": " + Utf8(text));
  return 0;
}

int FormClick(const std::wstring& title, const std::wstring& name) {
  HWND button = RequireControl(title, name);
  if (!IsWindowEnabled(button)) {
    throw std::runtime_error(Utf8(name) + " is disabled");
  }
  // Posted: a click may open a dialog or ask the system things the program won't ask while it
  // answers a message sent from another thread.
  Post(button, BM_CLICK, 0, 0);
  Print("clicked " + Utf8(name));
  return 0;
}

int FormRadio(const std::wstring& title, const std::wstring& name, int item) {
  HWND group = RequireControl(title, name);
  HWND radio = GetDlgItem(GetParent(group), GetDlgCtrlID(group) + 1 + item);
  if (radio == nullptr || !IsClass(radio, L"Button")) {
    throw std::runtime_error(Utf8(name) + " has no item " + std::to_string(item));
  }
  Post(radio, BM_CLICK, 0, 0);
  if (!WaitUntil([&] { return SendTimed(radio, BM_GETCHECK, 0, 0) == BST_CHECKED; },
                 kDefaultSettleMs)) {
    throw std::runtime_error("item " + std::to_string(item) + " of " + Utf8(name) +
                             " is not chosen after its click");
  }
  Print("chose item " + std::to_string(item) + " of " + Utf8(name) + ": " + Utf8(TextOf(radio)));
  return 0;
}

void NotifyList(HWND list, WORD code) {
  Post(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), code),
       reinterpret_cast<LPARAM>(list));
}

int FormSelect(const std::wstring& title, const std::wstring& name, int index) {
  HWND list = RequireControl(title, name);
  if (IsClass(list, L"ListBox")) {
    RequireItem(index, static_cast<int>(SendTimed(list, LB_GETCOUNT, 0, 0)));
    if ((GetWindowLongW(list, GWL_STYLE) & LBS_EXTENDEDSEL) != 0) {
      SendTimed(list, LB_SETSEL, FALSE, static_cast<LPARAM>(-1));
      SendTimed(list, LB_SETSEL, TRUE, index);
    } else {
      SendTimed(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // Setting the selection by message tells nobody; a click would.
    NotifyList(list, LBN_SELCHANGE);
  } else if (IsClass(list, WC_LISTVIEWW)) {
    RequireItem(index, ListViewCount(list));
    // The list view reports the change to its form itself.
    SetListViewState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  } else {
    throw std::runtime_error(Utf8(name) + " is no list");
  }
  Print("selected line " + std::to_string(index) + " of " + Utf8(name));
  return 0;
}

int FormCheck(const std::wstring& title, const std::wstring& name, int index, bool checked) {
  HWND list = RequireControl(title, name);
  if (!IsClass(list, WC_LISTVIEWW)) {
    throw std::runtime_error(Utf8(name) + " is no list with check boxes");
  }
  RequireItem(index, ListViewCount(list));
  SetListViewState(list, index, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
  Print(std::string(checked ? "ticked" : "cleared") + " line " + std::to_string(index) + " of " +
        Utf8(name));
  return 0;
}

int FormDoubleClick(const std::wstring& title, const std::wstring& name, int index) {
  HWND list = RequireControl(title, name);
  if (IsClass(list, L"ListBox")) {
    RequireItem(index, static_cast<int>(SendTimed(list, LB_GETCOUNT, 0, 0)));
    SendTimed(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    NotifyList(list, LBN_SELCHANGE);
    NotifyList(list, LBN_DBLCLK);
  } else if (IsClass(list, WC_LISTVIEWW)) {
    RequireItem(index, ListViewCount(list));
    // The list view's own double-click notice carries a pointer, so the mouse goes to the row.
    RemoteBuffer buffer(list, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_LABEL;
    buffer.Write(&bounds, sizeof(bounds));
    SendTimed(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), buffer.Param());
    buffer.Read(&bounds, sizeof(bounds));
    const LPARAM point =
        MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    Post(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Post(list, WM_LBUTTONUP, 0, point);
    Post(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    Post(list, WM_LBUTTONUP, 0, point);
  } else {
    throw std::runtime_error(Utf8(name) + " is no list");
  }
  Print("double-clicked line " + std::to_string(index) + " of " + Utf8(name));
  return 0;
}

// The program reads the Ctrl key's state for the key it is handed; with the program's input
// state shared, the driver sets that state as a keyboard would.
class HeldControlKey {
 public:
  explicit HeldControlKey(HWND target)
      : own_(GetCurrentThreadId()), theirs_(GetWindowThreadProcessId(target, nullptr)) {
    // Input states are shared between message queues; this thread gets one first.
    MSG message{};
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);
    if (!AttachThreadInput(own_, theirs_, TRUE)) {
      throw std::runtime_error("can't share the program's input state");
    }
    Set(true);
  }
  ~HeldControlKey() {
    Set(false);
    AttachThreadInput(own_, theirs_, FALSE);
  }
  HeldControlKey(const HeldControlKey&) = delete;
  HeldControlKey& operator=(const HeldControlKey&) = delete;

 private:
  static void Set(bool down) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }

  DWORD own_;
  DWORD theirs_;
};

// Waits until the program has handled everything posted to the control before: a message sent
// now is answered only once its thread reads messages again.
void Settle(HWND control) {
  Sleep(200);
  SendTimed(control, WM_NULL, 0, 0);
}

int FormKey(const std::wstring& title, const std::wstring& name, const std::wstring& key) {
  HWND control = RequireControl(title, name);
  struct Named {
    const wchar_t* name;
    WPARAM key;
    bool ctrl;
  };
  constexpr Named kKeys[] = {{L"Delete", VK_DELETE, false},
                             {L"Ctrl+C", 'C', true},
                             {L"Ctrl+X", 'X', true},
                             {L"Ctrl+V", 'V', true}};
  for (const Named& named : kKeys) {
    if (lstrcmpiW(key.c_str(), named.name) != 0) {
      continue;
    }
    const LPARAM down =
        1 | (static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(named.key), 0)) << 16);
    if (named.ctrl) {
      HeldControlKey ctrl(control);
      Post(control, WM_KEYDOWN, named.key, down);
      Post(control, WM_KEYUP, named.key, down | (1U << 30) | (1U << 31));
      Settle(control);
    } else {
      Post(control, WM_KEYDOWN, named.key, down);
      Post(control, WM_KEYUP, named.key, down | (1U << 30) | (1U << 31));
    }
    Print("pressed " + Utf8(named.name) + " in " + Utf8(name));
    return 0;
  }
  throw UsageError("form-key takes Delete, Ctrl+C, Ctrl+X or Ctrl+V, not " + Utf8(key));
}

int FormLines(const std::wstring& title, const std::wstring& name) {
  HWND list = RequireControl(title, name);
  if (IsClass(list, L"ListBox")) {
    const int count = static_cast<int>(SendTimed(list, LB_GETCOUNT, 0, 0));
    const bool multi = (GetWindowLongW(list, GWL_STYLE) & LBS_EXTENDEDSEL) != 0;
    const auto current = static_cast<LRESULT>(SendTimed(list, LB_GETCURSEL, 0, 0));
    for (int index = 0; index < count; ++index) {
      const auto length = SendTimed(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
      std::wstring line(length + 1, L'\0');
      const auto copied = SendTimed(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(line.data()));
      line.resize(copied <= length ? copied : 0);
      const bool selected =
          multi ? static_cast<LRESULT>(SendTimed(list, LB_GETSEL, index, 0)) > 0 : current == index;
      Print((selected ? "> " : "  ") + Utf8(line));
    }
  } else if (IsClass(list, WC_LISTVIEWW)) {
    const bool checks =
        (SendTimed(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
    const int count = ListViewCount(list);
    for (int index = 0; index < count; ++index) {
      const auto state = SendTimed(list, LVM_GETITEMSTATE, static_cast<WPARAM>(index),
                                   LVIS_SELECTED | LVIS_STATEIMAGEMASK);
      std::string mark = (state & LVIS_SELECTED) != 0 ? "> " : "  ";
      if (checks) {
        mark += (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? "[x] " : "[ ] ";
      }
      Print(mark + Utf8(ListViewText(list, index, 0)));
    }
  } else {
    throw std::runtime_error(Utf8(name) + " is no list");
  }
  return 0;
}

int FormCells(const std::wstring& title, const std::wstring& name) {
  HWND grid = RequireControl(title, name);
  if (!IsClass(grid, WC_LISTVIEWW)) {
    throw std::runtime_error(Utf8(name) + " is no grid");
  }
  HWND header = reinterpret_cast<HWND>(SendTimed(grid, LVM_GETHEADER, 0, 0));
  const int columns = header != nullptr
                          ? std::max(1, static_cast<int>(SendTimed(header, HDM_GETITEMCOUNT, 0, 0)))
                          : 1;
  const int count = ListViewCount(grid);
  for (int row = 0; row < count; ++row) {
    const auto state = SendTimed(grid, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED);
    std::string line = (state & LVIS_SELECTED) != 0 ? "> " : "  ";
    for (int column = 0; column < columns; ++column) {
      line += (column == 0 ? "" : " | ") + Utf8(ListViewText(grid, row, column));
    }
    Print(line);
  }
  return 0;
}

int FormText(const std::wstring& title, const std::wstring& name) {
  Print(Utf8(TextOf(RequireControl(title, name))));
  return 0;
}

int FormEnabled(const std::wstring& title, const std::wstring& name) {
  Print(IsWindowEnabled(RequireControl(title, name)) ? "enabled" : "disabled");
  return 0;
}

// Where a control, or one line of a list box, is on the screen, for the scripts' colour probes.
int FormRect(const std::wstring& title, const std::wstring& name, int line) {
  HWND control = RequireControl(title, name);
  if (line < 0) {
    Print("rect: " + RectText(control));
    return 0;
  }
  if (IsClass(control, WC_LISTVIEWW)) {
    // The line's rectangle from the list view itself, through the program's memory.
    RequireItem(line, static_cast<int>(SendTimed(control, LVM_GETITEMCOUNT, 0, 0)));
    RemoteBuffer buffer(control, sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    buffer.Write(&bounds, sizeof(bounds));
    SendTimed(control, LVM_GETITEMRECT, static_cast<WPARAM>(line), buffer.Param());
    buffer.Read(&bounds, sizeof(bounds));
    POINT topLeft{bounds.left, bounds.top};
    POINT bottomRight{bounds.right, bounds.bottom};
    ClientToScreen(control, &topLeft);
    ClientToScreen(control, &bottomRight);
    Print("rect: " + std::to_string(topLeft.x) + " " + std::to_string(topLeft.y) + " " +
          std::to_string(bottomRight.x) + " " + std::to_string(bottomRight.y) + " (" +
          std::to_string(bottomRight.x - topLeft.x) + "x" +
          std::to_string(bottomRight.y - topLeft.y) + ")");
    return 0;
  }
  if (!IsClass(control, L"ListBox")) {
    throw std::runtime_error(Utf8(name) + " is no list");
  }
  RequireItem(line, static_cast<int>(SendTimed(control, LB_GETCOUNT, 0, 0)));
  // Lines of equal height from the top line shown; no pointer needs to cross processes.
  const int height = static_cast<int>(SendTimed(control, LB_GETITEMHEIGHT, 0, 0));
  const int top = static_cast<int>(SendTimed(control, LB_GETTOPINDEX, 0, 0));
  RECT client{};
  GetClientRect(control, &client);
  POINT origin{0, (line - top) * height};
  ClientToScreen(control, &origin);
  Print("rect: " + std::to_string(origin.x) + " " + std::to_string(origin.y) + " " +
        std::to_string(origin.x + client.right) + " " + std::to_string(origin.y + height) + " (" +
        std::to_string(client.right) + "x" + std::to_string(height) + ")");
  return 0;
}

// The system's own open and save dialogs: the file name typed into their name field, then OK.
HWND FindFileDialog() {
  for (HWND window : TopLevelWindows()) {
    if (!IsWindowVisible(window) || !IsClass(window, kDialogClass) || !BelongsToProgram(window)) {
      continue;
    }
    for (HWND child : ChildWindows(window)) {
      if (IsWindowVisible(child) && IsClass(child, L"Edit")) {
        return window;
      }
    }
  }
  return nullptr;
}

HWND FileNameField(HWND dialog) {
  // The name field stands in a combo box on some systems and alone on others; either way it is
  // the dialog's visible edit that the file list does not own.
  for (HWND child : ChildWindows(dialog)) {
    if (IsWindowVisible(child) && IsClass(child, L"Edit") &&
        !IsClass(GetParent(child), WC_LISTVIEWW)) {
      return child;
    }
  }
  return nullptr;
}

int FileChoose(DWORD timeoutMs, const std::wstring& path) {
  HWND dialog = WaitFor(&FindFileDialog, timeoutMs);
  if (dialog == nullptr) {
    throw std::runtime_error("no file dialog within " + std::to_string(timeoutMs) + " ms");
  }
  Print("title: " + Utf8(TextOf(dialog)));
  HWND field = FileNameField(dialog);
  if (field == nullptr) {
    throw std::runtime_error("the file dialog has no name field");
  }
  SendTimed(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  HWND ok = GetDlgItem(dialog, IDOK);
  Post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
  if (!WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs)) {
    throw std::runtime_error("the file dialog is still open after OK");
  }
  Print("chose " + Utf8(path));
  return 0;
}

void Usage() {
  std::fputs(
      "usage: xal_e2e_driver <subcommand> [arguments]\n"
      "  wait-window <class> <timeout-ms>    a top-level window of the class exists\n"
      "  wait-gone <class> <timeout-ms>      no top-level window of the class is left\n"
      "  count-windows <class>               how many top-level windows of the class exist\n"
      "  post-close                          WM_CLOSE to the main window\n"
      "  command <id|Restore|Recheck|SetIPAddresses|Quit>  WM_COMMAND to the main window\n"
      "  tray <WM_RBUTTONUP|WM_LBUTTONDBLCLK>  the tray icon's callback message\n"
      "  wait-messagebox <timeout-ms>        the program shows a message box; print it\n"
      "  click <OK|Cancel|Yes|No> [timeout-ms]  press a button of that box\n"
      "  wait-menu <timeout-ms>              the program shows a popup menu\n"
      "  dismiss-menu [timeout-ms]           close that menu with Escape\n"
      "  menu-key <Up|Down|Return>           a key press in that menu\n"
      "  window-info <class>                 visibility, state, title and rectangle\n"
      "  app-window <class> <caption>        open an application window; runs until it closes\n"
      "  close-window <class>                WM_CLOSE to the first top-level window of the class\n"
      "  restore-window <class>              SW_RESTORE for the first window of the class\n"
      "  activate-window <class>             bring the first window of the class to the front\n"
      "  app-list                            the program's list of application windows\n"
      "  display-change                      send WM_DISPLAYCHANGE to the main window\n"
      "  address-notice                      post the system's address-change notice to it\n"
      "  user-locale                         the user's default locale id\n"
      "  list-windows                        all top-level windows\n"
      "  hold-block <file> <program> [args]  the IP settings block with the file's bytes while\n"
      "                                      the program runs; its exit code is the driver's\n"
      "  ip-plan <timeout-ms>                the IP settings helper's plan window; print it\n"
      "  ip-plan-press <caption> [timeout-ms]  press its button; print the helper's exit code\n"
      "Forms (the main window \"Kelpra Tremvale\" and the program's dialogs, by exact title), "
      "their\n"
      "controls by the name the program gives them:\n"
      "  form-wait <title> <timeout-ms>      the form is visible and enabled\n"
      "  form-gone <title> <timeout-ms>      the form is closed or hidden\n"
      "  form-type <title> <control> <text>  set an edit's text\n"
      "  form-click <title> <control>        click a button or check box\n"
      "  form-radio <title> <control> <item> choose an item of a radio group\n"
      "  form-select <title> <control> <index>  select a line of a list or grid\n"
      "  form-check <title> <control> <index> [0|1]  tick (or clear) a line's check box\n"
      "  form-dblclick <title> <control> <index>  double-click a line\n"
      "  form-key <title> <control> <Delete|Ctrl+C|Ctrl+X|Ctrl+V>  a key in a list or grid\n"
      "  form-lines <title> <control>        the lines of a list, \"> \" before the selected\n"
      "  form-cells <title> <control>        the rows of a grid, cells separated by \" | \"\n"
      "  form-text <title> <control>         a control's text\n"
      "  form-enabled <title> <control>      enabled or disabled\n"
      "  form-rect <title> <control> [line]  the rectangle of the control (or its line) on screen\n"
      "  file-choose <timeout-ms> <path>     type the path into the program's file dialog, OK\n",
      stderr);
}

int Run(const std::vector<std::wstring>& args) {
  if (args.empty()) {
    throw UsageError("no subcommand");
  }
  const std::wstring& command = args[0];
  const auto need = [&](std::size_t min, std::size_t max) {
    if (args.size() - 1 < min || args.size() - 1 > max) {
      throw UsageError("wrong number of arguments for " + Utf8(command));
    }
  };
  const auto optionalMs = [&](std::size_t index) {
    return args.size() > index ? ParseMs(args[index].c_str()) : kDefaultSettleMs;
  };
  if (command == L"wait-window") {
    need(2, 2);
    return WaitWindow(args[1].c_str(), ParseMs(args[2].c_str()));
  }
  if (command == L"wait-gone") {
    need(2, 2);
    return WaitGone(args[1].c_str(), ParseMs(args[2].c_str()));
  }
  if (command == L"count-windows") {
    need(1, 1);
    return CountWindows(args[1].c_str());
  }
  if (command == L"post-close") {
    need(0, 0);
    return PostClose();
  }
  if (command == L"command") {
    need(1, 1);
    return Command(args[1].c_str());
  }
  if (command == L"tray") {
    need(1, 1);
    return Tray(args[1].c_str());
  }
  if (command == L"wait-messagebox") {
    need(1, 1);
    return WaitMessageBox(ParseMs(args[1].c_str()));
  }
  if (command == L"click") {
    need(1, 2);
    return Click(args[1].c_str(), optionalMs(2));
  }
  if (command == L"wait-menu") {
    need(1, 1);
    return WaitMenu(ParseMs(args[1].c_str()));
  }
  if (command == L"dismiss-menu") {
    need(0, 1);
    return DismissMenu(optionalMs(1));
  }
  if (command == L"menu-key") {
    need(1, 1);
    return MenuKey(args[1].c_str());
  }
  if (command == L"window-info") {
    need(1, 1);
    return WindowInfo(args[1].c_str());
  }
  if (command == L"app-window") {
    need(2, 2);
    return AppWindow(args[1].c_str(), args[2].c_str());
  }
  if (command == L"close-window") {
    need(1, 1);
    return CloseTopLevel(args[1].c_str());
  }
  if (command == L"activate-window") {
    need(1, 1);
    return ActivateTopLevel(args[1].c_str());
  }
  if (command == L"restore-window") {
    need(1, 1);
    return RestoreTopLevel(args[1].c_str());
  }
  if (command == L"app-list") {
    need(0, 0);
    return AppList();
  }
  if (command == L"display-change") {
    need(0, 0);
    return SendDisplayChange();
  }
  if (command == L"address-notice") {
    need(0, 0);
    return PostAddressNotice();
  }
  if (command == L"user-locale") {
    need(0, 0);
    return UserLocale();
  }
  if (command == L"list-windows") {
    need(0, 0);
    return ListWindows();
  }
  if (command == L"hold-block") {
    if (args.size() < 3) {
      throw UsageError("wrong number of arguments for hold-block");
    }
    return HoldBlock(args[1], std::vector<std::wstring>(args.begin() + 2, args.end()));
  }
  if (command == L"ip-plan") {
    need(1, 1);
    return IPPlan(ParseMs(args[1].c_str()));
  }
  if (command == L"ip-plan-press") {
    need(1, 2);
    return IPPlanPress(args[1].c_str(), optionalMs(2));
  }
  if (command == L"form-wait") {
    need(2, 2);
    return FormWait(args[1], ParseMs(args[2].c_str()));
  }
  if (command == L"form-gone") {
    need(2, 2);
    return FormGone(args[1], ParseMs(args[2].c_str()));
  }
  if (command == L"form-type") {
    need(3, 3);
    return FormType(args[1], args[2], args[3]);
  }
  if (command == L"form-click") {
    need(2, 2);
    return FormClick(args[1], args[2]);
  }
  if (command == L"form-radio") {
    need(3, 3);
    return FormRadio(args[1], args[2], ParseIndex(args[3]));
  }
  if (command == L"form-select") {
    need(3, 3);
    return FormSelect(args[1], args[2], ParseIndex(args[3]));
  }
  if (command == L"form-check") {
    need(3, 4);
    return FormCheck(args[1], args[2], ParseIndex(args[3]), args.size() < 5 || args[4] != L"0");
  }
  if (command == L"form-dblclick") {
    need(3, 3);
    return FormDoubleClick(args[1], args[2], ParseIndex(args[3]));
  }
  if (command == L"form-key") {
    need(3, 3);
    return FormKey(args[1], args[2], args[3]);
  }
  if (command == L"form-lines") {
    need(2, 2);
    return FormLines(args[1], args[2]);
  }
  if (command == L"form-cells") {
    need(2, 2);
    return FormCells(args[1], args[2]);
  }
  if (command == L"form-text") {
    need(2, 2);
    return FormText(args[1], args[2]);
  }
  if (command == L"form-enabled") {
    need(2, 2);
    return FormEnabled(args[1], args[2]);
  }
  if (command == L"form-rect") {
    need(2, 3);
    return FormRect(args[1], args[2], args.size() > 3 ? ParseIndex(args[3]) : -1);
  }
  if (command == L"file-choose") {
    need(2, 2);
    return FileChoose(ParseMs(args[1].c_str()), args[2]);
  }
  throw UsageError("unknown subcommand " + Utf8(command));
}

}  // namespace

int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  // Plain "\n" line ends and UTF-8 bytes, as the shell scripts read them.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  try {
    return Run(std::vector<std::wstring>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::fprintf(stderr, "xal_e2e_driver: %s\n", error.what());
    Usage();
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "xal_e2e_driver: %s\n", error.what());
    return 1;
  }
}
