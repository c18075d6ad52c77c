#include "ui/XALLanguage.h"

#include "catalogue/Utf8.h"
#include "platform/FileSystem.h"

namespace xal {
namespace {

// Keys are ASCII names, so folding ASCII letters is enough; other bytes stay as they are.
std::string FoldKey(std::string_view key) {
  std::string folded(key);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

// Space and the control characters separate comma-text entries like commas do. No byte of a
// UTF-8 sequence is among them, so Japanese entries need no quotes.
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

}  // namespace

std::vector<TXALLanguageLine> SplitLanguageLines(std::string_view bytes) {
  std::vector<TXALLanguageLine> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = bytes.size();
    }
    const std::string_view line = bytes.substr(start, end - start);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) {
      lines.push_back({std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))});
    }
    start = end + 1;
    if (end < bytes.size() && bytes[end] == '\r' && start < bytes.size() && bytes[start] == '\n') {
      ++start;
    }
  }
  return lines;
}

std::vector<std::string> ParseCommaText(std::string_view text) {
  std::vector<std::string> items;
  std::size_t p = 0;
  const auto skipBlanks = [&] {
    while (p < text.size() && IsBlank(text[p])) {
      ++p;
    }
  };
  skipBlanks();
  while (p < text.size()) {
    std::string item;
    if (text[p] == '"') {
      ++p;
      // An unclosed quote runs to the end of the text.
      while (p < text.size()) {
        if (text[p] == '"') {
          if (p + 1 < text.size() && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const std::size_t start = p;
      while (p < text.size() && !IsBlank(text[p]) && text[p] != ',') {
        ++p;
      }
      item.assign(text.substr(start, p - start));
    }
    items.push_back(std::move(item));
    skipBlanks();
    if (p < text.size() && text[p] == ',') {
      ++p;
      skipBlanks();
      // A comma always stands between two entries, so one at the end leaves an empty entry.
      if (p == text.size()) {
        items.emplace_back();
      }
    }
  }
  return items;
}

std::string TXALLanguage::FileName(const std::string& programFolder, int localeId) {
  return programFolder + (localeId == 1041 ? "Languages\\1041.txt" : "Languages\\1033.txt");
}

void TXALLanguage::Load(std::string_view utf8Bytes) {
  texts_.clear();
  if (!IsValidUtf8(utf8Bytes)) {
    return;
  }
  for (TXALLanguageLine& line : SplitLanguageLines(utf8Bytes)) {
    // emplace keeps the value already there, so the first line of a key wins.
    texts_.emplace(FoldKey(line.Key), std::move(line.Value));
  }
}

void TXALLanguage::LoadFromFile(const IFileSystem& files, const std::string& path) {
  Load(files.ReadFile(path));
}

const std::string& TXALLanguage::Text(std::string_view key) const {
  static const std::string kNone;
  const auto found = texts_.find(FoldKey(key));
  return found == texts_.end() ? kNone : found->second;
}

std::vector<std::string> TXALLanguage::Items(std::string_view key) const {
  return ParseCommaText(Text(key));
}

}  // namespace xal
