#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

constexpr wchar_t kTestKey[] = L"Software\\KelpraTremvaleTest";

class Win32RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    if (key_ != nullptr) {
      RegCloseKey(key_);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
  }

  void Write(const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
  }
  // With its terminating null, as programs usually store texts.
  void WriteText(const wchar_t* name, DWORD type, const std::wstring& text) {
    Write(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

  HKEY key_ = nullptr;
  Win32Registry registry_;
};

TEST_F(Win32RegistryTest, ReadsTextValuesAsStored) {
  const std::wstring longText(1000, L'x');
  WriteText(L"Plain", REG_SZ, L"proxy.example:8080");
  WriteText(L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\x");
  WriteText(L"Empty", REG_SZ, L"");
  WriteText(L"Unicode", REG_SZ, L"\u6771\u4eac \u00e9");
  WriteText(L"Long", REG_SZ, longText);
  // Stored without its null by some programs.
  Write(L"Unterminated", REG_SZ, L"abc", 3 * sizeof(wchar_t));
  const DWORD number = 7;
  Write(L"Number", REG_DWORD, &number, sizeof number);
  Write(L"Binary", REG_BINARY, "a\0b\0", 4);

  struct Case {
    const char* name;
    std::optional<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"Plain", "proxy.example:8080"},
      {"Expand", "%SystemRoot%\\x"},
      {"Empty", ""},
      {"Unicode", "\xe6\x9d\xb1\xe4\xba\xac \xc3\xa9"},
      {"Long", Narrow(longText)},
      {"Unterminated", "abc"},
      {"Number", std::nullopt},
      {"Binary", std::nullopt},
      {"Missing", std::nullopt},
      {"plain", "proxy.example:8080"},  // value names ignore letter case
  };
  for (const Case& c : cases) {
    EXPECT_EQ(registry_.ReadString(TXALRegistryRoot::CurrentUser, Narrow(kTestKey), c.name),
              c.expected)
        << c.name;
  }
}

TEST_F(Win32RegistryTest, KeysThatCantBeOpened) {
  const std::string key = Narrow(kTestKey);
  EXPECT_TRUE(registry_.KeyExists(TXALRegistryRoot::CurrentUser, key));
  EXPECT_FALSE(registry_.KeyExists(TXALRegistryRoot::CurrentUser, key + "\\Missing"));
  EXPECT_FALSE(registry_.KeyExists(TXALRegistryRoot::LocalMachine, key + "\\Missing"));
  EXPECT_EQ(registry_.ReadString(TXALRegistryRoot::CurrentUser, key + "\\Missing", "Plain"),
            std::nullopt);
}

TEST_F(Win32RegistryTest, ReadsUnderLocalMachine) {
  // Present on every Windows and in every Wine prefix.
  const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  EXPECT_TRUE(registry_.KeyExists(TXALRegistryRoot::LocalMachine, key));
  const auto version = registry_.ReadString(TXALRegistryRoot::LocalMachine, key, "SystemRoot");
  ASSERT_TRUE(version.has_value());
  EXPECT_FALSE(version->empty());
}

}  // namespace
}  // namespace xal::win32
