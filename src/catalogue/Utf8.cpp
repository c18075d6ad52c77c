#include "catalogue/Utf8.h"

#include <cstdio>

namespace xal {
namespace {

bool IsContinuation(unsigned char byte, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return byte >= low && byte <= high;
}

}  // namespace

bool NextCodePoint(std::string_view bytes, std::size_t& index, char32_t& codePoint) {
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (index >= bytes.size()) {
    return false;
  }
  const unsigned char lead = byteAt(index);
  std::size_t length = 0;
  char32_t value = 0;
  // The second byte's range excludes overlong forms (E0, F0), surrogates (ED) and code points
  // above U+10FFFF (F4).
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead <= 0x7F) {
    codePoint = lead;
    ++index;
    return true;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return false;
  }
  if (bytes.size() - index < length || !IsContinuation(byteAt(index + 1), low, high)) {
    return false;
  }
  for (std::size_t k = 1; k < length; ++k) {
    if (k > 1 && !IsContinuation(byteAt(index + k))) {
      return false;
    }
    value = (value << 6) | (byteAt(index + k) & 0x3Fu);
  }
  codePoint = value;
  index += length;
  return true;
}

bool IsStorableText(std::string_view text) {
  std::size_t index = 0;
  while (index < text.size()) {
    char32_t codePoint = 0;
    if (!NextCodePoint(text, index, codePoint) || !IsXmlCharacter(codePoint)) {
      return false;
    }
  }
  return true;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  char32_t codePoint = 0;
  while (i < bytes.size()) {
    if (!NextCodePoint(bytes, i, codePoint)) {
      return false;
    }
  }
  return true;
}

std::string ControlsAsPictures(std::string_view utf8) {
  std::string text;
  text.reserve(utf8.size());
  for (const char c : utf8) {
    // In UTF-8 a control character is a byte of its own, never part of another character.
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && !IsXmlCharacter(byte)) {
      text += "\xE2\x90";
      text += static_cast<char>(0x80 + byte);
    } else {
      text += c;
    }
  }
  return text;
}

std::string QuoteForMessage(std::string_view text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) {
    return std::string(text);
  }
  std::size_t cut = maxBytes;
  // Back to the start of the character the cut would split; a character has at most three
  // continuation bytes, and bytes that are no UTF-8 at all are cut where they stand.
  for (int k = 0; k < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0u) == 0x80u;
       ++k) {
    --cut;
  }
  return std::string(text.substr(0, cut)) + "...";
}

std::string CodePointName(char32_t codePoint) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04lX", static_cast<unsigned long>(codePoint));
  return buffer;
}

}  // namespace xal
