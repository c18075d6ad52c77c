// A clipboard of one text, which tests fill and read.
#pragma once

#include <optional>
#include <string>

#include "platform/Clipboard.h"

namespace xal::sim {

class SimClipboard : public IClipboard {
 public:
  std::optional<std::string> ReadText() override { return text; }
  bool WriteText(const std::string& value) override {
    ++writes;
    if (refuseWrites) {
      return false;
    }
    text = value;
    return true;
  }

  // nullopt: nothing that is text.
  std::optional<std::string> text;
  int writes = 0;
  // As when another program holds the clipboard: every write fails and changes nothing.
  bool refuseWrites = false;
};

}  // namespace xal::sim
