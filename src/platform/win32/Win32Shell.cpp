#include "platform/win32/Win32Shell.h"

#include <shellapi.h>

#include "platform/win32/WideText.h"

namespace xal::win32 {

void Win32Shell::Execute(const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& workingFolder,
                         int showCommand) {
  const std::wstring wideVerb = Widen(verb);
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  const std::wstring wideFolder = Widen(workingFolder);
  // Empty texts go as empty texts, not as null: the shell treats both alike.
  ShellExecuteW(owner_, wideVerb.c_str(), wideFile.c_str(), wideParameters.c_str(),
                wideFolder.c_str(), showCommand);
}

bool Win32Shell::ExecuteEx(const std::string& verb, const std::string& file,
                           const std::string& parameters) {
  const std::wstring wideVerb = Widen(verb);
  const std::wstring wideFile = Widen(file);
  const std::wstring wideParameters = Widen(parameters);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // Finish any DDE conversation before returning, and let the caller stay silent on failure.
  info.fMask = SEE_MASK_FLAG_DDEWAIT | SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner_;
  info.lpVerb = wideVerb.c_str();
  info.lpFile = wideFile.c_str();
  info.lpParameters = wideParameters.c_str();
  info.lpDirectory = nullptr;
  info.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&info) != FALSE;
}

void Win32Shell::SetTaskBarState(std::uint32_t state) {
  APPBARDATA data{};
  data.cbSize = sizeof data;
  data.hWnd = FindWindowW(L"Shell_TrayWnd", nullptr);
  data.lParam = static_cast<LPARAM>(state);
  SHAppBarMessage(ABM_SETSTATE, &data);
}

int Win32Shell::OsMajorVersion() const {
  // GetVersionEx reports what the manifest claims to support, not the system; ntdll tells the
  // truth.
  using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (ntdll != nullptr) {
    const auto getVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (getVersion != nullptr && getVersion(&info) == 0) {
      return static_cast<int>(info.dwMajorVersion);
    }
  }
  return 0;
}

}  // namespace xal::win32
