#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Wine.h"
#include "platform/win32/Win32ProxyConfig.h"
#include "platform/win32/Win32WirelessLan.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kConnectionsKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
constexpr wchar_t kDefaultConnection[] = L"DefaultConnectionSettings";

// The binary connection settings that WinINet keeps and WinHTTP reads: version 0x46, a change
// counter, flags (1 direct, 2 proxy), then length-prefixed proxy, bypass list and script URL.
std::vector<BYTE> ConnectionSettings(const std::string& proxy) {
  std::vector<BYTE> blob;
  const auto put = [&blob](std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
      blob.push_back(static_cast<BYTE>(value >> (8 * i)));
    }
  };
  put(0x46);
  put(1);
  put(proxy.empty() ? 1 : 3);
  put(static_cast<std::uint32_t>(proxy.size()));
  blob.insert(blob.end(), proxy.begin(), proxy.end());
  put(0);
  put(0);
  blob.resize(blob.size() + 32, 0);
  return blob;
}

// Puts the current user's connection settings back as they were when the test began.
class SavedConnectionSettings {
 public:
  SavedConnectionSettings() {
    RegCreateKeyExW(HKEY_CURRENT_USER, kConnectionsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
    DWORD bytes = 0;
    if (key_ != nullptr && RegQueryValueExW(key_, kDefaultConnection, nullptr, &type_, nullptr,
                                            &bytes) == ERROR_SUCCESS) {
      saved_.emplace(bytes);
      RegQueryValueExW(key_, kDefaultConnection, nullptr, &type_, saved_->data(), &bytes);
    }
  }
  ~SavedConnectionSettings() {
    if (key_ == nullptr) {
      return;
    }
    if (saved_) {
      RegSetValueExW(key_, kDefaultConnection, 0, type_, saved_->data(),
                     static_cast<DWORD>(saved_->size()));
    } else {
      RegDeleteValueW(key_, kDefaultConnection);
    }
    RegCloseKey(key_);
  }
  SavedConnectionSettings(const SavedConnectionSettings&) = delete;
  SavedConnectionSettings& operator=(const SavedConnectionSettings&) = delete;

  bool Write(const std::vector<BYTE>& blob) {
    return key_ != nullptr && RegSetValueExW(key_, kDefaultConnection, 0, REG_BINARY, blob.data(),
                                             static_cast<DWORD>(blob.size())) == ERROR_SUCCESS;
  }

 private:
  HKEY key_ = nullptr;
  DWORD type_ = REG_BINARY;
  std::optional<std::vector<BYTE>> saved_;
};

TEST(Win32ProxyConfig, NoServerOnAFreshSystem) {
  if (!RunningUnderWine()) {
    GTEST_SKIP() << "this machine's user may have a proxy; checked in the test's Wine prefix";
  }
  EXPECT_EQ(Win32ProxyConfig().CurrentUserProxyServer(), std::nullopt);
}

// Changes the user's proxy while it runs, so only in the test's own Wine prefix.
TEST(Win32ProxyConfig, ReadsTheConfiguredServerAndNothingWhenEmpty) {
  if (!RunningUnderWine()) {
    GTEST_SKIP() << "would change this machine's proxy settings";
  }
  SavedConnectionSettings saved;
  ASSERT_TRUE(saved.Write(ConnectionSettings("proxy.example:8080")));
  EXPECT_EQ(Win32ProxyConfig().CurrentUserProxyServer(), "proxy.example:8080");
  ASSERT_TRUE(saved.Write(ConnectionSettings("")));
  EXPECT_EQ(Win32ProxyConfig().CurrentUserProxyServer(), std::nullopt);
}

TEST(Win32WirelessLan, FailsCleanlyOrListsShortSsids) {
  Win32WirelessLan wireless;
  std::vector<TXALWlanNetwork> networks{{1, "left over"}};
  const bool listed = wireless.AvailableNetworks(networks);
  if (!listed) {
    EXPECT_TRUE(networks.empty());
  }
  for (const TXALWlanNetwork& network : networks) {
    EXPECT_LE(network.Ssid.size(), 32u);
  }
  if (RunningUnderWine()) {
    // Wine's service opens but has no interface.
    EXPECT_FALSE(listed);
  }
}

}  // namespace
}  // namespace xal::win32
