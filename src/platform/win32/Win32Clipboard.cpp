#include "platform/win32/Win32Clipboard.h"

#include <cstring>
#include <cwchar>

#include "platform/win32/WideText.h"

namespace xal::win32 {

bool Win32Clipboard::Open() const {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner_)) {
      return true;
    }
    Sleep(20);
  }
  return false;
}

std::optional<std::string> Win32Clipboard::ReadText() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !Open()) {
    return std::nullopt;
  }
  std::optional<std::string> text;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (data != nullptr) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Whoever put it there may have left out the terminating null: read no further than
      // the block goes.
      const std::size_t room = GlobalSize(data) / sizeof(wchar_t);
      const std::size_t length = wcsnlen(wide, room);
      if (length <= kMaxClipboardChars) {
        text = Narrow(std::wstring_view(wide, length));
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool Win32Clipboard::WriteText(const std::string& text) {
  const std::wstring wide = Widen(text);
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (block == nullptr) {
    return false;
  }
  if (void* target = GlobalLock(block)) {
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(block);
  } else {
    GlobalFree(block);
    return false;
  }
  if (!Open()) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  // The clipboard owns the block once it has taken it.
  const bool taken = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
  CloseClipboard();
  if (!taken) {
    GlobalFree(block);
  }
  return taken;
}

}  // namespace xal::win32
