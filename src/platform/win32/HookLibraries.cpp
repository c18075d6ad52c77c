#include "platform/win32/HookLibraries.h"

#include <string>
#include <utility>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

using StartFunction = void(__stdcall*)(HWND);
using StopFunction = void(__stdcall*)();
using MessageIdFunction = UINT(__stdcall*)();

constexpr const wchar_t* kCbtLibrary = L"XALCBTH.DLL";
constexpr const wchar_t* kCallWndProcRetLibrary = L"XALCWPH.DLL";

std::wstring ProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

std::wstring WithSeparator(std::wstring folder) {
  if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/') {
    folder += L'\\';
  }
  return folder;
}

HMODULE Load(const std::wstring& path) {
  const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) {
    throw EXALError("The hook library \"" + Narrow(path) +
                    "\" can't be loaded: " + SystemErrorText(GetLastError()));
  }
  return module;
}

template <typename Function>
Function Bind(HMODULE module, const wchar_t* library, const char* name) {
  const FARPROC address = GetProcAddress(module, name);
  if (address == nullptr) {
    throw EXALError("The hook library \"" + Narrow(library) + "\" has no function \"" + name +
                    "\".");
  }
  return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// Calls a stop export if the library has it; stopping must not fail.
void CallStop(HMODULE module, const char* name) {
  if (const FARPROC address = GetProcAddress(module, name); address != nullptr) {
    reinterpret_cast<StopFunction>(reinterpret_cast<void*>(address))();
  }
}

// The main window takes these numbers for the three notices, so they must be registered numbers
// (never one of the system's own messages, such as WM_CLOSE) and tell the notices apart.
void CheckNoticeNumbers(UINT destroy, UINT activate, UINT caption) {
  const auto registered = [](UINT number) { return number >= 0xC000 && number <= 0xFFFF; };
  if (!registered(destroy) || !registered(activate) || !registered(caption) ||
      destroy == activate || destroy == caption || activate == caption) {
    throw EXALError("The hook libraries gave unusable message numbers (" + std::to_string(destroy) +
                    ", " + std::to_string(activate) + ", " + std::to_string(caption) + ").");
  }
}

}  // namespace

HookLibraries::HookLibraries(std::string folder)
    : folder_(WithSeparator(folder.empty() ? ProgramFolder() : Widen(folder))) {}

HookLibraries::~HookLibraries() {
  Stop();
}

void HookLibraries::Start(HWND mainWindow) {
  if (cbt_ == nullptr) {
    cbt_ = Load(folder_ + kCbtLibrary);
  }
  if (callWndProcRet_ == nullptr) {
    callWndProcRet_ = Load(folder_ + kCallWndProcRetLibrary);
  }
  // The numbers are read in this process, never taken from what the libraries share, and checked
  // before either hook can deliver anything.
  const UINT destroy = Bind<MessageIdFunction>(cbt_, kCbtLibrary, "GetCBTHookDestroyWndMsgID")();
  const UINT activate = Bind<MessageIdFunction>(cbt_, kCbtLibrary, "GetCBTHookActivateMsgID")();
  const UINT caption = Bind<MessageIdFunction>(callWndProcRet_, kCallWndProcRetLibrary,
                                               "GetCallWndProcRetHookMsgID")();
  CheckNoticeNumbers(destroy, activate, caption);
  const auto startCbt = Bind<StartFunction>(cbt_, kCbtLibrary, "StartCBTHook");
  const auto startCallWndProcRet =
      Bind<StartFunction>(callWndProcRet_, kCallWndProcRetLibrary, "StartCallWndProcRetHook");
  destroyMessage_ = destroy;
  activateMessage_ = activate;
  captionMessage_ = caption;
  startCbt(mainWindow);
  startCallWndProcRet(mainWindow);
}

void HookLibraries::Stop() noexcept {
  if (cbt_ != nullptr) {
    CallStop(cbt_, "StopCBTHook");
    FreeLibrary(std::exchange(cbt_, nullptr));
  }
  if (callWndProcRet_ != nullptr) {
    CallStop(callWndProcRet_, "StopCallWndProcRetHook");
    FreeLibrary(std::exchange(callWndProcRet_, nullptr));
  }
}

}  // namespace xal::win32
