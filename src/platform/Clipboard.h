// The system clipboard, as plain Unicode text. Anything may be on it: other programs put it
// there.
#pragma once

#include <optional>
#include <string>

namespace xal {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // The clipboard's text as UTF-8; nullopt when it holds no text or can't be opened.
  virtual std::optional<std::string> ReadText() = 0;
  // Empties the clipboard and puts the text on it; false when the clipboard can't be had.
  virtual bool WriteText(const std::string& text) = 0;
};

}  // namespace xal
