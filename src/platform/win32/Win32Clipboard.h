// The system clipboard as plain Unicode text.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace xal::win32 {

// Clipboard text above this is refused: nothing the program copies comes near it, and a paste
// of it would only feed the parser a flood.
constexpr std::size_t kMaxClipboardChars = 16 * 1024 * 1024;

class Win32Clipboard : public IClipboard {
 public:
  Win32Clipboard() = default;

  // The clipboard is opened for this window (null: for the thread).
  void SetOwner(HWND owner) { owner_ = owner; }

  std::optional<std::string> ReadText() override;
  bool WriteText(const std::string& text) override;

 private:
  // Another program may hold the clipboard for a moment; a few tries wait it out.
  bool Open() const;

  HWND owner_ = nullptr;
};

}  // namespace xal::win32
