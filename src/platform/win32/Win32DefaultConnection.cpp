// WinINet only: wininet.h and winhttp.h can't share a translation unit.
#include "platform/win32/Win32DefaultConnection.h"

// windows.h (through the header) first: wininet.h needs its types.
#include <wininet.h>

#include <atomic>

#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kInternetSettingsKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// A null connection name is the default (LAN) connection.
INTERNET_PER_CONN_OPTION_LISTW DefaultConnectionList(INTERNET_PER_CONN_OPTIONW* options,
                                                     DWORD count) {
  INTERNET_PER_CONN_OPTION_LISTW list{};
  list.dwSize = sizeof list;
  list.pszConnection = nullptr;
  list.dwOptionCount = count;
  list.pOptions = options;
  return list;
}

bool Query(INTERNET_PER_CONN_OPTIONW* options, DWORD count) {
  INTERNET_PER_CONN_OPTION_LISTW list = DefaultConnectionList(options, count);
  DWORD size = sizeof list;
  return InternetQueryOptionW(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, &size) !=
         FALSE;
}

// Whether INTERNET_PER_CONN_FLAGS_UI has been refused as unknown. WinINet's answer does not change
// while the process runs, and under Wine each query costs tens of milliseconds, so the process
// asks once.
std::atomic<bool> flagsUIUnknown{false};

std::optional<std::uint32_t> QueryFlags() {
  // The documented order: the type as the user chose it, and where that option is unknown
  // (Internet Explorer before 8, and Wine) the older one.
  if (!flagsUIUnknown.load(std::memory_order_relaxed)) {
    INTERNET_PER_CONN_OPTIONW flags{};
    flags.dwOption = INTERNET_PER_CONN_FLAGS_UI;
    if (Query(&flags, 1)) {
      return flags.Value.dwValue;
    }
    if (GetLastError() == ERROR_INVALID_PARAMETER) {
      flagsUIUnknown.store(true, std::memory_order_relaxed);
    }
  }
  INTERNET_PER_CONN_OPTIONW flags{};
  flags.dwOption = INTERNET_PER_CONN_FLAGS;
  if (Query(&flags, 1)) {
    return flags.Value.dwValue;
  }
  return std::nullopt;
}

// Texts the query allocated.
std::string TakeText(wchar_t* text) {
  if (text == nullptr) {
    return {};
  }
  std::string narrow = Narrow(text);
  GlobalFree(text);
  return narrow;
}

std::optional<Win32ConnectionSettings> QuerySettings() {
  const std::optional<std::uint32_t> flags = QueryFlags();
  if (!flags) {
    return std::nullopt;
  }
  INTERNET_PER_CONN_OPTIONW texts[2]{};
  texts[0].dwOption = INTERNET_PER_CONN_PROXY_SERVER;
  texts[1].dwOption = INTERNET_PER_CONN_AUTOCONFIG_URL;
  const bool read = Query(texts, 2);
  Win32ConnectionSettings settings;
  settings.Flags = *flags;
  // Freed whether or not the query as a whole succeeded.
  settings.ProxyServer = TakeText(texts[0].Value.pszValue);
  settings.AutoConfigURL = TakeText(texts[1].Value.pszValue);
  if (!read) {
    return std::nullopt;
  }
  return settings;
}

class Exclusive {
 public:
  explicit Exclusive(SRWLOCK& lock) : lock_(lock) { AcquireSRWLockExclusive(&lock_); }
  ~Exclusive() { ReleaseSRWLockExclusive(&lock_); }
  Exclusive(const Exclusive&) = delete;
  Exclusive& operator=(const Exclusive&) = delete;

 private:
  SRWLOCK& lock_;
};

bool Signalled(HANDLE event) {
  return WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
}

void CloseIfOpen(HANDLE& handle) {
  if (handle != nullptr) {
    CloseHandle(handle);
    handle = nullptr;
  }
}

}  // namespace

Win32DefaultConnection::~Win32DefaultConnection() {
  if (thread_ != nullptr) {
    SetEvent(stop_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  if (key_ != nullptr) {
    RegCloseKey(key_);
  }
  CloseIfOpen(changed_);
  CloseIfOpen(written_);
  CloseIfOpen(stop_);
}

void Win32DefaultConnection::Start() {
  started_ = true;
  // Without any of these nothing is kept, and every read asks WinINet, as it always may.
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kInternetSettingsKey, 0, KEY_NOTIFY, &key_) !=
      ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  changed_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  written_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (changed_ == nullptr || written_ == nullptr || stop_ == nullptr) {
    return;
  }
  thread_ = CreateThread(nullptr, 0, &Win32DefaultConnection::WorkerMain, this, 0, nullptr);
}

// The whole subtree: Windows keeps the connection's settings in its Connections key, Wine in the
// values of the key itself. Armed on the worker, whose life the registration lasts.
bool Win32DefaultConnection::Arm() {
  return RegNotifyChangeKeyValue(key_, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                 changed_, TRUE) == ERROR_SUCCESS;
}

DWORD WINAPI Win32DefaultConnection::WorkerMain(void* self) {
  auto* const connection = static_cast<Win32DefaultConnection*>(self);
  try {
    connection->Work();
  } catch (...) {
    // Out of memory, at worst: readers ask WinINet themselves from here on.
  }
  // However the worker ends, nothing it kept is trusted any more.
  const Exclusive hold(connection->lock_);
  connection->fresh_ = false;
  return 0;
}

// Each read follows the arming of the watch, so a change made before it is in what it reads and
// one made after it signals again; a reader trusts what was kept only while no event is
// signalled, and an event is reset only after what was kept is marked stale.
void Win32DefaultConnection::Work() {
  if (!Arm()) {
    return;
  }
  for (;;) {
    const std::optional<Win32ConnectionSettings> read = QuerySettings();
    {
      const Exclusive hold(lock_);
      fresh_ = read.has_value();
      if (read) {
        kept_ = *read;
      }
    }
    HANDLE events[] = {stop_, changed_, written_};
    const DWORD woken = WaitForMultipleObjects(3, events, FALSE, INFINITE);
    if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) {
      return;
    }
    {
      const Exclusive hold(lock_);
      fresh_ = false;
    }
    if (Signalled(changed_)) {
      ResetEvent(changed_);
      if (!Arm()) {
        return;  // nothing is kept from here on
      }
    }
    ResetEvent(written_);
  }
}

std::optional<Win32ConnectionSettings> Win32DefaultConnection::KeptSettings() {
  if (!started_) {
    Start();
  }
  if (thread_ == nullptr) {
    return std::nullopt;
  }
  const Exclusive hold(lock_);
  if (!fresh_ || Signalled(changed_) || Signalled(written_)) {
    return std::nullopt;
  }
  return kept_;
}

bool Win32DefaultConnection::Kept() {
  return KeptSettings().has_value();
}

std::optional<Win32ConnectionSettings> Win32DefaultConnection::Settings() {
  if (std::optional<Win32ConnectionSettings> kept = KeptSettings()) {
    return kept;
  }
  return QuerySettings();
}

std::optional<std::uint32_t> Win32DefaultConnection::Flags() {
  if (const std::optional<Win32ConnectionSettings> kept = KeptSettings()) {
    return kept->Flags;
  }
  return QueryFlags();
}

void Win32DefaultConnection::SetType(std::uint32_t type, bool on, std::uint32_t textOption,
                                     const std::wstring* text) {
  DWORD flags = Flags().value_or(PROXY_TYPE_DIRECT);
  flags = (on ? flags | type : flags & ~type) | PROXY_TYPE_DIRECT;
  INTERNET_PER_CONN_OPTIONW options[2]{};
  options[0].dwOption = INTERNET_PER_CONN_FLAGS;
  options[0].Value.dwValue = flags;
  DWORD count = 1;
  if (text != nullptr) {
    options[1].dwOption = textOption;
    // Only read by the call.
    options[1].Value.pszValue = const_cast<wchar_t*>(text->c_str());
    count = 2;
  }
  INTERNET_PER_CONN_OPTION_LISTW list = DefaultConnectionList(options, count);
  InternetSetOptionW(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, sizeof list);
  // What WinINet made of it is read again, also where the write changed nothing in the registry
  // that would tell.
  if (written_ != nullptr) {
    SetEvent(written_);
  }
}

}  // namespace xal::win32
