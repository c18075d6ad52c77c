#include "platform/win32/Win32WirelessLan.h"

#include <windows.h>
// windows.h first: wlanapi.h needs its types.
#include <wlanapi.h>

#include <algorithm>
#include <optional>

#include "catalogue/Utf8.h"
#include "platform/win32/WideText.h"
#include "sensing/XALProbes.h"

namespace xal::win32 {
namespace {

// The bytes in the code page; nullopt when they are not text there.
std::optional<std::wstring> Decode(std::string_view bytes, UINT codePage) {
  const int size = static_cast<int>(bytes.size());
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
  if (length <= 0) {
    return std::nullopt;
  }
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(),
                          length) != length) {
    return std::nullopt;
  }
  return text;
}

// Client version 1 is the one every Windows that has the service accepts.
constexpr DWORD kClientVersion = 1;
// WLAN_AVAILABLE_NETWORK_INCLUDE_ALL_ADHOC_PROFILES, which MinGW's wlanapi.h lacks.
constexpr DWORD kIncludeAllAdhocProfiles = 0x00000001;

// The library is loaded when first needed rather than imported: systems without the wireless
// LAN service (servers, some virtual machines) lack it, and the program must start there too.
struct WlanApi {
  decltype(&::WlanOpenHandle) Open = nullptr;
  decltype(&::WlanCloseHandle) Close = nullptr;
  decltype(&::WlanEnumInterfaces) EnumInterfaces = nullptr;
  decltype(&::WlanGetAvailableNetworkList) AvailableNetworkList = nullptr;
  decltype(&::WlanFreeMemory) FreeMemory = nullptr;

  bool Loaded() const {
    return Open != nullptr && Close != nullptr && EnumInterfaces != nullptr &&
           AvailableNetworkList != nullptr && FreeMemory != nullptr;
  }
};

template <typename Function>
void Bind(HMODULE library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const WlanApi& Api() {
  static const WlanApi api = [] {
    WlanApi loaded;
    HMODULE library = LoadLibraryExW(L"wlanapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library == nullptr) {
      // Systems before the search flags existed refuse the flag; System32 is still first there.
      library = LoadLibraryW(L"wlanapi.dll");
    }
    if (library != nullptr) {
      Bind(library, "WlanOpenHandle", loaded.Open);
      Bind(library, "WlanCloseHandle", loaded.Close);
      Bind(library, "WlanEnumInterfaces", loaded.EnumInterfaces);
      Bind(library, "WlanGetAvailableNetworkList", loaded.AvailableNetworkList);
      Bind(library, "WlanFreeMemory", loaded.FreeMemory);
    }
    return loaded;
  }();
  return api;
}

class WlanHandle {
 public:
  WlanHandle() {
    DWORD negotiated = 0;
    if (Api().Open(kClientVersion, nullptr, &negotiated, &handle_) != ERROR_SUCCESS) {
      handle_ = nullptr;
    }
  }
  ~WlanHandle() {
    if (handle_ != nullptr) {
      Api().Close(handle_, nullptr);
    }
  }
  WlanHandle(const WlanHandle&) = delete;
  WlanHandle& operator=(const WlanHandle&) = delete;

  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// Memory that the service allocated.
template <typename T>
class WlanMemory {
 public:
  WlanMemory() = default;
  ~WlanMemory() {
    if (pointer_ != nullptr) {
      Api().FreeMemory(pointer_);
    }
  }
  WlanMemory(const WlanMemory&) = delete;
  WlanMemory& operator=(const WlanMemory&) = delete;

  T* Get() const { return pointer_; }
  T** Out() { return &pointer_; }

 private:
  T* pointer_ = nullptr;
};

}  // namespace

std::string SsidText(std::string_view bytes, unsigned codePage) {
  std::string text;
  if (IsValidUtf8(bytes)) {
    text = bytes;
  } else if (auto decoded = Decode(bytes, codePage == 0 ? CP_ACP : codePage)) {
    text = Narrow(*decoded);
  } else {
    // Neither: each byte keeps a character of its own, as the portable reading gives it.
    text = SsidToName(std::string(bytes));
  }
  return ControlsAsPictures(text);
}

bool Win32WirelessLan::AvailableNetworks(std::vector<TXALWlanNetwork>& networks) {
  networks.clear();
  if (!Api().Loaded()) {
    return false;
  }
  const WlanHandle client;
  if (client.Get() == nullptr) {
    return false;
  }
  WlanMemory<WLAN_INTERFACE_INFO_LIST> interfaces;
  if (Api().EnumInterfaces(client.Get(), nullptr, interfaces.Out()) != ERROR_SUCCESS ||
      interfaces.Get() == nullptr || interfaces.Get()->dwNumberOfItems == 0) {
    return false;
  }
  // The list names its current interface itself.
  const DWORD current = interfaces.Get()->dwIndex;
  if (current >= interfaces.Get()->dwNumberOfItems) {
    return false;
  }
  WlanMemory<WLAN_AVAILABLE_NETWORK_LIST> available;
  if (Api().AvailableNetworkList(
          client.Get(), &interfaces.Get()->InterfaceInfo[current].InterfaceGuid,
          kIncludeAllAdhocProfiles, nullptr, available.Out()) != ERROR_SUCCESS ||
      available.Get() == nullptr) {
    return false;
  }
  const WLAN_AVAILABLE_NETWORK_LIST& list = *available.Get();
  networks.reserve(list.dwNumberOfItems);
  for (DWORD i = 0; i < list.dwNumberOfItems; ++i) {
    const WLAN_AVAILABLE_NETWORK& network = list.Network[i];
    const ULONG length = std::min<ULONG>(network.dot11Ssid.uSSIDLength, DOT11_SSID_MAX_LENGTH);
    networks.push_back(
        {network.dwFlags, SsidText(std::string_view(
                              reinterpret_cast<const char*>(network.dot11Ssid.ucSSID), length))});
  }
  return true;
}

}  // namespace xal::win32
