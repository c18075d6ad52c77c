#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
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

class Win32RegistryKeyWriter : public IRegistryKeyWriter {
 public:
  explicit Win32RegistryKeyWriter(HKEY key) : key_(key) {}
  ~Win32RegistryKeyWriter() override { RegCloseKey(key_); }
  Win32RegistryKeyWriter(const Win32RegistryKeyWriter&) = delete;
  Win32RegistryKeyWriter& operator=(const Win32RegistryKeyWriter&) = delete;

  void WriteString(const std::string& name, const std::string& value) override {
    const std::wstring text = Widen(value);
    // Stored with its terminating null, as readers of REG_SZ expect.
    Set(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  }

  void WriteDword(const std::string& name, std::uint32_t value) override {
    const DWORD number = value;
    Set(name, REG_DWORD, &number, sizeof number);
  }

 private:
  void Set(const std::string& name, DWORD type, const void* data, std::size_t bytes) {
    const LSTATUS status =
        RegSetValueExW(key_, Widen(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                       static_cast<DWORD>(bytes));
    if (status != ERROR_SUCCESS) {
      throw EXALError("Writing the registry value \"" + name +
                      "\" failed: " + SystemErrorText(static_cast<unsigned long>(status)));
    }
  }

  HKEY key_;
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

std::optional<std::uint32_t> Win32Registry::ReadDword(TXALRegistryRoot root, const std::string& key,
                                                      const std::string& name) const {
  const OpenKey opened(root, key);
  if (opened.Get() == nullptr) {
    return std::nullopt;
  }
  DWORD type = REG_NONE;
  DWORD value = 0;
  DWORD bytes = sizeof value;
  const LSTATUS status = RegQueryValueExW(opened.Get(), Widen(name).c_str(), nullptr, &type,
                                          reinterpret_cast<BYTE*>(&value), &bytes);
  if (status != ERROR_SUCCESS || type != REG_DWORD || bytes != sizeof value) {
    return std::nullopt;
  }
  return value;
}

std::unique_ptr<IRegistryKeyWriter> Win32Registry::CreateKey(TXALRegistryRoot root,
                                                             const std::string& key) {
  HKEY opened = nullptr;
  if (RegCreateKeyExW(RootKey(root), Widen(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32RegistryKeyWriter>(opened);
}

}  // namespace xal::win32
