// The elevated executable that the tray program starts to apply IPv4 settings, which needs
// administrator rights the tray program does not have. It copies the text the program left in a
// named shared memory block once, refuses it whole at the first doubt, shows the plan made from
// that copy in its own window, and applies exactly that plan through the management service's
// adapter configuration methods once the user confirms it there.
//
//   XALSetIPSettings.exe [--dry-run] <length>
//
// --dry-run shows the plan (on the standard output when there is one, otherwise in the plan
// window, which then only closes) and changes nothing. Nothing but the command line decides
// that: the environment and the block are anyone's to write, and the shared block is not the
// user's word either, which is why the user confirms the plan in a window that programs of
// lower integrity can't send input to. Nothing is written to any file.
//
// Exit codes: 0 applied (or, for a dry run, shown), 2 block refused, 3 block unreadable,
// 4 applying failed (or the plan can't be shown safely), 5 cancelled by the user.
//
// Why the management service and not IP Helper: only EnableStatic and EnableDHCP switch an
// adapter between DHCP and a static address the way the adapter's own property page does (the
// DHCP client stops or starts and the setting survives a restart). IP Helper can add and delete
// addresses but has no documented call that turns DHCP off or on. Nothing is ever passed to a
// command line, so no text of the block can become a command.
#include <winsock2.h>
// winsock2.h before windows.h, which would pull in the old winsock.h.
#include <iphlpapi.h>
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>
// windows.h before the headers that need its types.
#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/XALErrors.h"
#include "ipsettings/XALIPSettingsBlock.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ManagementService.h"
#include "platform/win32/Win32SharedMemory.h"
#include "platform/win32/XALWindowMessages.h"
#include "programs/XALSetIPSettings.h"

namespace {

using xal::win32::Narrow;
using xal::win32::Widen;

constexpr int kExitApplied = xal::win32::kIPHelperExitApplied;
constexpr int kExitRefused = xal::win32::kIPHelperExitRefused;
constexpr int kExitUnreadable = xal::win32::kIPHelperExitUnreadable;
constexpr int kExitApplyFailed = xal::win32::kIPHelperExitApplyFailed;
constexpr int kExitCancelled = xal::win32::kIPHelperExitCancelled;

constexpr char kUsage[] =
    "Usage: XALSetIPSettings.exe [--dry-run] <length of the block in bytes>\n";

// A console gets UTF-16; a pipe or file the UTF-8 bytes as they are. False when there is neither,
// as for a window program started by the shell.
bool Write(DWORD stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = Widen(text);
    DWORD written = 0;
    return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) !=
           FALSE;
  }
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written == 0) {
      return false;
    }
    text.remove_prefix(written);
  }
  return true;
}

// Errors go where someone can see them: the error stream, or a message box when there is none.
int Fail(int exitCode, const std::string& message) {
  if (!Write(STD_ERROR_HANDLE, "XALSetIPSettings: " + message)) {
    MessageBoxW(nullptr, Widen(message).c_str(), xal::win32::kApplicationTitle,
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  }
  return exitCode;
}

// The first `length` bytes of the block, or the reason they can't be had.
std::optional<std::string> ReadBlock(std::size_t length, std::string& failure) {
  const std::wstring name = Widen(xal::kIPSettingsBlockName);
  const HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str());
  if (mapping == nullptr) {
    failure = "the shared memory block \"" + std::string(xal::kIPSettingsBlockName) +
              "\" can't be opened: " + xal::win32::SystemErrorText(GetLastError());
    return std::nullopt;
  }
  const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
  if (view == nullptr) {
    failure =
        "the shared memory block can't be mapped: " + xal::win32::SystemErrorText(GetLastError());
    CloseHandle(mapping);
    return std::nullopt;
  }
  // The system does not tell a block's size; what is committed of the view is the most that can
  // be read (nothing, for a block another program created with memory only reserved).
  const std::size_t available = xal::win32::CommittedBytesAt(view);
  std::optional<std::string> text =
      xal::CopyIPSettingsBlock(static_cast<const std::uint8_t*>(view), available, length);
  if (!text) {
    failure = "the shared memory block holds " + std::to_string(available) + " bytes, fewer than " +
              std::to_string(length);
  }
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  return text;
}

// The IPv4 adapters that are not loopback, in the system's order.
std::vector<xal::TIPAdapter> ListAdapters(std::string& failure) {
  std::vector<xal::TIPAdapter> adapters;
  constexpr ULONG kFlags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST |
                           GAA_FLAG_SKIP_DNS_SERVER | GAA_FLAG_SKIP_UNICAST;
  // Adapters may come and go between the two calls; ask again until the buffer fits.
  ULONG bytes = 16 * 1024;
  std::vector<std::uint8_t> buffer;
  ULONG result = ERROR_BUFFER_OVERFLOW;
  for (int tries = 0; tries < 4 && result == ERROR_BUFFER_OVERFLOW; ++tries) {
    buffer.resize(bytes);
    result = GetAdaptersAddresses(AF_INET, kFlags, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &bytes);
  }
  if (result == ERROR_NO_DATA) {
    return adapters;
  }
  if (result != ERROR_SUCCESS) {
    failure = "the network adapters can't be listed: " + xal::win32::SystemErrorText(result);
    return adapters;
  }
  for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
       adapter != nullptr; adapter = adapter->Next) {
    if (adapter->IfType == IF_TYPE_SOFTWARE_LOOPBACK) {
      continue;
    }
    adapters.push_back({adapter->FriendlyName ? Narrow(adapter->FriendlyName) : std::string(),
                        adapter->Description ? Narrow(adapter->Description) : std::string(),
                        adapter->IfIndex});
  }
  return adapters;
}

xal::win32::TManagementArrayArgument Texts(std::vector<std::string> texts) {
  xal::win32::TManagementArrayArgument argument;
  argument.Texts = std::move(texts);
  return argument;
}

// 0 is success and 1 success that needs a restart; everything else is the method's error code.
void CheckResult(const std::string& method, std::int32_t result) {
  if (result != 0 && result != 1) {
    throw xal::EXALError(method + " failed with code " + std::to_string(result));
  }
}

void ApplyAction(const xal::TIPAdapterAction& action, std::uint32_t interfaceIndex) {
  xal::win32::Win32ManagementService service;
  auto query =
      service.ExecQuery("SELECT * FROM Win32_NetworkAdapterConfiguration WHERE InterfaceIndex=" +
                        std::to_string(interfaceIndex));
  std::unique_ptr<xal::IManagementObject> adapter = query->Next();
  if (adapter == nullptr) {
    throw xal::EXALError("the management service has no configuration for interface " +
                         std::to_string(interfaceIndex));
  }
  using xal::win32::InvokeManagementMethod;
  if (action.EnableDhcp) {
    CheckResult("EnableDHCP", InvokeManagementMethod(*adapter, "EnableDHCP", {}));
  }
  if (action.Address && action.SubnetMask) {
    CheckResult("EnableStatic", InvokeManagementMethod(*adapter, "EnableStatic",
                                                       {Texts({action.Address->ToString()}),
                                                        Texts({action.SubnetMask->ToString()})}));
  }
  if (action.Gateway) {
    xal::win32::TManagementArrayArgument metrics;
    metrics.Kind = xal::win32::TManagementArrayArgument::TKind::Numbers;
    metrics.Numbers = {1};
    CheckResult("SetGateways",
                InvokeManagementMethod(*adapter, "SetGateways",
                                       {Texts({action.Gateway->ToString()}), metrics}));
  }
  if (!action.DnsServers.empty()) {
    std::vector<std::string> servers;
    for (const xal::TIPv4Address& server : action.DnsServers) {
      servers.push_back(server.ToString());
    }
    CheckResult(
        "SetDNSServerSearchOrder",
        InvokeManagementMethod(*adapter, "SetDNSServerSearchOrder", {Texts(std::move(servers))}));
  }
}

// UIPI keeps programs of lower integrity from sending the plan window input, clicks or commands
// only while this process runs above them; below high integrity any program of the user could
// press Apply. The manifest asks for elevation, so this holds unless someone started the helper
// another way, and then the plan is not shown at all.
bool RunsAtHighIntegrity() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return false;
  }
  DWORD bytes = 0;
  GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &bytes);
  std::vector<std::uint8_t> buffer(bytes);
  bool high = false;
  if (bytes != 0 &&
      GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), bytes, &bytes) != FALSE) {
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    high = count > 0 && *GetSidSubAuthority(sid, count - 1U) >= SECURITY_MANDATORY_HIGH_RID;
  }
  CloseHandle(token);
  return high;
}

struct TPlanWindow {
  std::wstring Text;
  bool DryRun = false;
  HFONT Font = nullptr;
};

BOOL CALLBACK SetControlFont(HWND control, LPARAM font) {
  SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  return TRUE;
}

void InitPlanWindow(HWND dialog, TPlanWindow& plan) {
  SetWindowTextW(dialog, xal::win32::kIPPlanWindowTitle);
  // The layout is in dialog units of the template's font, which the system scales for the
  // display's DPI; the text itself is in the user's message font.
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    plan.Font = CreateFontIndirectW(&metrics.lfMessageFont);
  }
  if (plan.Font != nullptr) {
    EnumChildWindows(dialog, &SetControlFont, reinterpret_cast<LPARAM>(plan.Font));
  }
  SetDlgItemTextW(dialog, XAL_IDC_IP_PLAN_INTRO,
                  plan.DryRun ? L"Dry run: these IP settings would be applied. Nothing is changed."
                              : L"These IP settings will be applied. Check them, then choose "
                                L"Apply; Cancel leaves every adapter as it is.");
  SetDlgItemTextW(dialog, XAL_IDC_IP_PLAN_TEXT, plan.Text.c_str());
  if (plan.DryRun) {
    const HWND apply = GetDlgItem(dialog, XAL_IDC_IP_PLAN_APPLY);
    EnableWindow(apply, FALSE);
    ShowWindow(apply, SW_HIDE);
    SetDlgItemTextW(dialog, IDCANCEL, L"Close");
  }
  // Started by the tray program through the shell, which lets the new process take the front.
  SetForegroundWindow(dialog);
  // The plan has the focus, for the keyboard and screen readers, with nothing selected.
  const HWND text = GetDlgItem(dialog, XAL_IDC_IP_PLAN_TEXT);
  SetFocus(text);
  SendMessageW(text, EM_SETSEL, 0, 0);
}

INT_PTR CALLBACK PlanWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* plan = reinterpret_cast<TPlanWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      InitPlanWindow(dialog, *reinterpret_cast<TPlanWindow*>(lParam));
      // The focus was set here.
      return FALSE;
    case WM_COMMAND:
      // Enter gives the default button, which is Cancel; only Apply itself applies.
      if (LOWORD(wParam) == XAL_IDC_IP_PLAN_APPLY && HIWORD(wParam) == BN_CLICKED &&
          plan != nullptr && !plan->DryRun) {
        EndDialog(dialog, XAL_IDC_IP_PLAN_APPLY);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

// Shows the plan and waits for the user: true when Apply was chosen. Raises when the window
// can't be shown, since then nobody confirmed anything.
bool ConfirmPlan(const std::string& description, bool dryRun) {
  TPlanWindow plan;
  // An edit control breaks lines at CR LF only.
  std::string text;
  for (const char c : description) {
    text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  }
  plan.Text = Widen(text);
  plan.DryRun = dryRun;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  const INT_PTR choice =
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(XAL_IDD_IP_PLAN), nullptr,
                      &PlanWindowProc, reinterpret_cast<LPARAM>(&plan));
  const DWORD error = GetLastError();
  if (plan.Font != nullptr) {
    DeleteObject(plan.Font);
  }
  if (choice <= 0) {
    throw xal::EXALError("the plan window can't be shown: " + xal::win32::SystemErrorText(error));
  }
  return choice == XAL_IDC_IP_PLAN_APPLY;
}

int Run(const std::vector<std::string>& arguments) {
  bool dryRun = false;
  std::optional<std::string> lengthText;
  for (const std::string& argument : arguments) {
    if (argument == "--dry-run") {
      dryRun = true;
    } else if (!lengthText) {
      lengthText = argument;
    } else {
      return Fail(kExitUnreadable, "unexpected argument \"" + argument + "\"\n" + kUsage);
    }
  }
  const std::optional<std::size_t> length =
      lengthText ? xal::ParseIPSettingsBlockLength(*lengthText) : std::nullopt;
  if (!length) {
    return Fail(kExitUnreadable, "the length must be a decimal number from 1 to " +
                                     std::to_string(xal::kIPSettingsMaxBlockBytes) + "\n" + kUsage);
  }

  std::string failure;
  const std::optional<std::string> text = ReadBlock(*length, failure);
  if (!text) {
    return Fail(kExitUnreadable, failure + "\n");
  }
  const xal::TIPSettingsBlock block = xal::ParseIPSettingsBlock(*text);
  if (!block.Accepted()) {
    return Fail(kExitRefused, "the IP settings were refused, nothing was changed:\n" +
                                  xal::JoinIPSettingsErrors(block.Errors));
  }
  const std::vector<xal::TIPAdapter> adapters = ListAdapters(failure);
  if (!failure.empty()) {
    return Fail(kExitApplyFailed, failure + "\n");
  }
  const xal::TIPApplyPlan plan = xal::PlanIPSettings(block.Groups, adapters);
  if (!plan.Accepted()) {
    return Fail(kExitRefused, "the IP settings were refused, nothing was changed:\n" +
                                  xal::JoinIPSettingsErrors(plan.Errors));
  }
  // The plan as made from the one copy of the block; nothing is read again after the user has
  // seen it, and exactly this plan is applied.
  const std::string description = xal::DescribeIPApplyPlan(plan, adapters);
  if (dryRun) {
    if (!Write(
            STD_OUTPUT_HANDLE,
            "Dry run, nothing is changed. These IP settings would be applied:\n\n" + description)) {
      ConfirmPlan(description, true);
    }
    return kExitApplied;
  }
  if (!RunsAtHighIntegrity()) {
    return Fail(kExitApplyFailed,
                "the IP settings are applied only by an elevated XALSetIPSettings.exe (run as "
                "administrator), whose window other programs can't press; nothing was changed\n");
  }
  if (!ConfirmPlan(description, false)) {
    Write(STD_OUTPUT_HANDLE, "cancelled, nothing was changed\n");
    return kExitCancelled;
  }

  // The management service needs COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  std::string errors;
  for (const xal::TIPAdapterAction& action : plan.Actions) {
    const xal::TIPAdapter& adapter = adapters[action.Adapter];
    try {
      ApplyAction(action, adapter.InterfaceIndex);
      Write(STD_OUTPUT_HANDLE, "applied: group " + std::to_string(action.Group) + " to \"" +
                                   adapter.Description + "\"\n");
    } catch (const std::exception& error) {
      // The other adapters still get their settings: each is independent of the others.
      errors += "group " + std::to_string(action.Group) + ", adapter \"" + adapter.Description +
                "\": " + error.what() + "\n";
    }
  }
  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  if (!errors.empty()) {
    return Fail(kExitApplyFailed, "applying the IP settings failed:\n" + errors);
  }
  return kExitApplied;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; words != nullptr && i < count; ++i) {
    arguments.push_back(Narrow(words[i]));
  }
  LocalFree(words);
  try {
    return Run(arguments);
  } catch (const std::exception& error) {
    return Fail(kExitApplyFailed, std::string(error.what()) + "\n");
  }
}
