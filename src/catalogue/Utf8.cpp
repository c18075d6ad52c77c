#include "catalogue/Utf8.h"

#include <cstddef>

namespace xal {
namespace {

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return byte >= low && byte <= high;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned char lead = byteAt(i);
    std::size_t length = 0;
    // The second byte's range excludes overlong forms (E0, F0), surrogates (ED) and code
    // points above U+10FFFF (F4).
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead <= 0x7F) {
      length = 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead == 0xE0) {
      length = 3;
      low = 0xA0;
    } else if (lead == 0xED) {
      length = 3;
      high = 0x9F;
    } else if (lead >= 0xE1 && lead <= 0xEF) {
      length = 3;
    } else if (lead == 0xF0) {
      length = 4;
      low = 0x90;
    } else if (lead >= 0xF1 && lead <= 0xF3) {
      length = 4;
    } else if (lead == 0xF4) {
      length = 4;
      high = 0x8F;
    } else {
      return false;
    }
    if (bytes.size() - i < length) {
      return false;
    }
    if (length > 1 && !IsContinuation(byteAt(i + 1), low, high)) {
      return false;
    }
    for (std::size_t k = 2; k < length; ++k) {
      if (!IsContinuation(byteAt(i + k))) {
        return false;
      }
    }
    i += length;
  }
  return true;
}

}  // namespace xal
