#include "catalogue/XALItemText.h"

#include "catalogue/XALDisplays.h"
#include "catalogue/XmlParser.h"
#include "catalogue/XmlWriter.h"
#include "regex/IPPattern.h"
#include "regex/RegEx.h"

namespace xal {

std::string ItemToText(const std::function<void(xml::ElementWriter&)>& write) {
  xml::XmlStreamWriter writer(xml::XmlLayout::SingleLine);
  xml::ElementWriter document = writer.DocumentLevel();
  write(document);
  return writer.Finish();
}

void ItemFromText(std::string_view text, std::string_view elementName,
                  const std::function<void(const xml::Node&)>& read) {
  const std::unique_ptr<xml::Document> document = xml::Parse(text);
  const xml::Node& first = document->Child(0);
  if (first.IsElement() && first.Name() == elementName) {
    read(first);
  }
}

bool IsIPAddressPattern(const std::string& text) {
  static const TXALRegEx kPattern(kIPPatternRegEx);
  return kPattern.IsMatch(text);
}

std::vector<std::string> SplitPrinterList(std::string_view text) {
  // Blanks and control characters are the bytes up to the space; UTF-8 sequences lie above.
  const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(',', start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    std::string_view piece = text.substr(start, end - start);
    while (!piece.empty() && isTrimmed(piece.front())) {
      piece.remove_prefix(1);
    }
    while (!piece.empty() && isTrimmed(piece.back())) {
      piece.remove_suffix(1);
    }
    if (!piece.empty()) {
      names.emplace_back(piece);
    }
    start = end + 1;
  }
  return names;
}

std::string DisplayLabel(const TXALDisplay& display) {
  return std::to_string(display.Number) + ":(" + std::to_string(display.Left()) + "," +
         std::to_string(display.Top()) + "," + std::to_string(display.Width()) + "," +
         std::to_string(display.Height()) + ")";
}

}  // namespace xal
