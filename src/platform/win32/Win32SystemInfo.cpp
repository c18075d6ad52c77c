#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>
// windows.h first: the shell headers need its types.
#include <shellapi.h>
#include <shlobj.h>

#include "platform/win32/WideText.h"

namespace xal::win32 {

std::string Win32SystemInfo::ExecutablePath() const {
  // The path may be longer than MAX_PATH; the function truncates without saying how much is
  // missing, so the buffer grows until the path fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      return {};
    }
    if (length < buffer.size()) {
      buffer.resize(length);
      return Narrow(buffer);
    }
    if (buffer.size() >= 65536) {
      return {};
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> Win32SystemInfo::CommandLineArguments() const {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) {
    return {};
  }
  std::vector<std::string> result;
  for (int i = 1; i < count; ++i) {
    result.push_back(Narrow(arguments[i]));
  }
  LocalFree(arguments);
  return result;
}

std::string Win32SystemInfo::RoamingAppDataFolder() const {
  wchar_t folder[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                       folder) != S_OK) {
    return {};
  }
  return Narrow(folder);
}

int Win32SystemInfo::UserDefaultLocaleId() const {
  return static_cast<int>(GetUserDefaultLCID());
}

}  // namespace xal::win32
