// WinINet only: wininet.h and winhttp.h can't share a translation unit.
#include "platform/win32/Win32InternetOptions.h"

#include <windows.h>
// windows.h first: wininet.h needs its types.
#include <wininet.h>

#include <atomic>

#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

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
// while the process runs, and under Wine each query costs tens of milliseconds of every recheck,
// so the process asks once.
std::atomic<bool> flagsUIUnknown{false};

std::optional<DWORD> QueryFlags() {
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

// Turns one connection type on or off and keeps the others; a text option goes with it when
// given. Direct stays allowed, as the Internet Options dialog always leaves it.
void SetConnectionType(DWORD type, bool on, DWORD textOption, const std::wstring* text) {
  DWORD flags = QueryFlags().value_or(PROXY_TYPE_DIRECT);
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

}  // namespace

void Win32InternetOptions::SetOption(std::uint32_t option) {
  // No buffer means no text, so the wide form serves as well as the ANSI one.
  InternetSetOptionW(nullptr, option, nullptr, 0);
}

void Win32InternetOptions::SetConnectionProxy(bool enable, const std::string& server) {
  if (!enable) {
    // The server stays for when the proxy is turned on again.
    SetConnectionType(PROXY_TYPE_PROXY, false, 0, nullptr);
    return;
  }
  const std::wstring wide = Widen(server);
  SetConnectionType(PROXY_TYPE_PROXY, true, INTERNET_PER_CONN_PROXY_SERVER, &wide);
}

void Win32InternetOptions::SetConnectionAutoConfigURL(const std::string& url) {
  const std::wstring wide = Widen(url);
  SetConnectionType(PROXY_TYPE_AUTO_PROXY_URL, !url.empty(), INTERNET_PER_CONN_AUTOCONFIG_URL,
                    &wide);
}

std::optional<Win32ConnectionSettings> Win32InternetOptions::DefaultConnection() {
  const std::optional<DWORD> flags = QueryFlags();
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

}  // namespace xal::win32
