// Parsing text into the document model. The program uses a well-kept parser of its platform:
// expat on Linux, XmlLite on Windows. Both keep the declaration, comments, processing
// instructions and text as nodes, drop white space between elements, tell absent attributes
// from empty ones and refuse documents with a document type declaration (no entity expansion),
// characters that XML 1.0 forbids, and elements nested deeper than kMaxElementDepth.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "catalogue/XmlDocument.h"

namespace xal::xml {

// Raised for text that is not well-formed XML. The message names the source, the line and
// column, and the reason.
class EXmlParseError : public std::runtime_error {
 public:
  EXmlParseError(const std::string& message, int line, int column)
      : std::runtime_error(message), line_(line), column_(column) {}
  int Line() const { return line_; }
  int Column() const { return column_; }

 private:
  int line_;
  int column_;
};

// Parses a complete document given as UTF-8 bytes. sourceName (a file name, or empty for a
// text) is put in front of the error message.
std::unique_ptr<Document> Parse(std::string_view bytes, const std::string& sourceName = {});

// Parses like Parse, but hands each child element of the document element to visit as soon as
// it is complete, and forgets it afterwards (see DocumentBuilder): for files of many like
// items. The document given holds the rest. What visit raises ends the parse and reaches the
// caller; the part of the text after that item is not read.
std::unique_ptr<Document> ParseEachChild(std::string_view bytes, const std::string& sourceName,
                                         const ChildVisitor& visit);

// The platform's parser reporting the text to a builder; both functions above are made of it.
void ParseInto(std::string_view bytes, const std::string& sourceName, DocumentBuilder& builder);

// The reason given, on every platform, for elements nested deeper than kMaxElementDepth.
std::string TooDeepReason();

// Builds the message of a parse error the same way on every platform.
std::string FormatParseError(const std::string& sourceName, const std::string& reason, int line,
                             int column);

}  // namespace xal::xml
