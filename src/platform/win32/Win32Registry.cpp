#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

HKEY RootKey(TXALRegistryRoot root) {
  return root == TXALRegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class OpenKey {
 public:
  OpenKey(TXALRegistryRoot root, const std::string& key) {
    if (RegOpenKeyExW(RootKey(root), Widen(key).c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~OpenKey() {
    if (key_ != nullptr) {
      RegCloseKey(key_);
    }
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;

  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool Win32Registry::KeyExists(TXALRegistryRoot root, const std::string& key) const {
  return OpenKey(root, key).Get() != nullptr;
}

std::optional<std::string> Win32Registry::ReadString(TXALRegistryRoot root, const std::string& key,
                                                     const std::string& name) const {
  const OpenKey opened(root, key);
  if (opened.Get() == nullptr) {
    return std::nullopt;
  }
  const std::wstring valueName = Widen(name);
  // The value may change between asking for its size and reading it; read until it fits.
  std::vector<wchar_t> buffer(64);
  for (;;) {
    DWORD type = REG_NONE;
    DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    const LSTATUS status = RegQueryValueExW(opened.Get(), valueName.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (status == ERROR_MORE_DATA) {
      buffer.resize(bytes / sizeof(wchar_t) + 2);
      continue;
    }
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::nullopt;
    }
    // Stored texts need not end with a null, and may end with more than one.
    std::wstring_view text(buffer.data(), bytes / sizeof(wchar_t));
    const auto end = text.find(L'\0');
    return Narrow(text.substr(0, end));
  }
}

}  // namespace xal::win32
