#include "platform/win32/SingleInstance.h"

#include <sddl.h>

#include <string>
#include <vector>

#include "platform/win32/XALWindowMessages.h"

namespace xal::win32 {
namespace {

constexpr DWORD kPollMs = 100;

// The token's user of a process, as a SID string; empty when it can't be read.
std::wstring UserOfProcess(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
    return {};
  }
  std::wstring text;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  LPWSTR sid = nullptr;
  if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
      ConvertSidToStringSidW(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid, &sid)) {
    text = sid;
    LocalFree(sid);
  }
  CloseHandle(token);
  return text;
}

std::wstring CurrentUser() {
  std::wstring user = UserOfProcess(GetCurrentProcess());
  if (user.empty()) {
    wchar_t name[257] = {};
    DWORD length = static_cast<DWORD>(std::size(name));
    if (GetUserNameW(name, &length)) {
      user = name;
    }
  }
  return user;
}

// Empty when the window's user can't be told, which counts as no other user.
std::wstring UserOfWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) {
    return {};
  }
  std::wstring user = UserOfProcess(process);
  CloseHandle(process);
  return user;
}

struct Search {
  std::wstring user;
  HWND found = nullptr;
};

// A main window of this user's running copy. Windows of other users on the same desktop (a
// program run as someone else) belong to their own copies.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
  auto& search = *reinterpret_cast<Search*>(lParam);
  wchar_t className[64] = {};
  GetClassNameW(window, className, static_cast<int>(std::size(className)));
  if (lstrcmpW(className, kMainWindowClass) != 0) {
    return TRUE;
  }
  const std::wstring owner = UserOfWindow(window);
  if (!owner.empty() && !search.user.empty() && owner != search.user) {
    return TRUE;
  }
  search.found = window;
  return FALSE;
}

// In the session's namespace and per user, so that another user on the same session or terminal
// server has a claim of its own.
std::wstring ClaimName() {
  return L"Local\\Kelpra.Tremvale." + CurrentUser();
}

}  // namespace

UINT RestoreMessage() {
  static const UINT number = RegisterWindowMessageW(L"Kelpra.Tremvale.Restore");
  return number;
}

bool IsRestoreRequest(UINT message) {
  const UINT restore = RestoreMessage();
  return restore != 0 && message == restore;
}

SingleInstance::SingleInstance() {
  claim_ = CreateMutexW(nullptr, FALSE, ClaimName().c_str());
  const DWORD error = GetLastError();
  // Access is denied to the claim of a copy running at another integrity level (elevated).
  first_ = !(claim_ != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED);
}

SingleInstance::~SingleInstance() {
  if (claim_ != nullptr) {
    CloseHandle(claim_);
  }
}

bool SingleInstance::ShowRunningCopy(DWORD waitMs) {
  Search search;
  search.user = CurrentUser();
  const ULONGLONG deadline = GetTickCount64() + waitMs;
  for (;;) {
    EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr || GetTickCount64() >= deadline) {
      break;
    }
    Sleep(kPollMs);
  }
  const UINT restore = RestoreMessage();
  if (search.found == nullptr || restore == 0) {
    return false;
  }
  // A program that was just started may hand the foreground on; the running copy may not take
  // it on its own.
  DWORD processId = 0;
  GetWindowThreadProcessId(search.found, &processId);
  AllowSetForegroundWindow(processId);
  return PostMessageW(search.found, restore, 0, 0) != FALSE;
}

}  // namespace xal::win32
