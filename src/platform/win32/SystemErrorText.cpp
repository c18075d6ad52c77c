#include "platform/win32/SystemErrorText.h"

#include <windows.h>

#include "platform/win32/WideText.h"

namespace xal::win32 {

std::string SystemMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length != 0 && buffer != nullptr) {
    text.assign(buffer, length);
  }
  LocalFree(buffer);
  const auto end = text.find_last_not_of(L" \t\r\n");
  text.erase(end == std::wstring::npos ? 0 : end + 1);
  return Narrow(text);
}

std::string SystemErrorText(unsigned long code) {
  std::string text = SystemMessage(code);
  return text.empty() ? "System error " + std::to_string(code) + "." : text;
}

}  // namespace xal::win32
