// The one serializer of the program's XML.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/XmlDocument.h"

namespace xal::xml {

enum class XmlLayout {
  // Every node on its own line, two spaces of indentation per level, CR LF line ends: files.
  Indented,
  // The whole document on one line, followed by CR LF: the text form of single items.
  SingleLine,
};

// UTF-8 bytes of the document. Element content that mixes text with elements is written
// inline so that no white space is added to it. An empty document gives the empty text.
std::string Serialize(const Document& document, XmlLayout layout);

class XmlStreamWriter;

// A place in a document that an XmlStreamWriter is writing: the document itself, or an element
// whose end has not been written yet. Copies are cheap and all name the same place.
class ElementWriter {
 public:
  // Starts a child element. What was started inside this element before is ended first, so
  // the children come out in the order they were appended. Raises EXALError when the child
  // would lie deeper than kMaxElementDepth.
  ElementWriter AppendElement(std::string_view name);
  // Attributes come before the element's first child, each name once. Raises EXALError for
  // text that XML can't hold.
  void SetAttribute(std::string_view name, std::string_view value);

 private:
  friend class XmlStreamWriter;
  ElementWriter(XmlStreamWriter& writer, std::size_t level, std::uint64_t serial)
      : writer_(&writer), level_(level), serial_(serial) {}

  XmlStreamWriter* writer_;
  std::size_t level_;  // 0 for the document, 1 for the document element
  std::uint64_t serial_;
};

// Writes a document straight into its bytes, as the program writes it: exactly what Serialize
// gives for the document built with the same calls, without building the document first.
// Element content is elements only, so the layout never meets mixed content.
class XmlStreamWriter {
 public:
  explicit XmlStreamWriter(XmlLayout layout);

  // Top-level nodes, in the order they are written.
  void WriteDeclaration(std::string_view version, std::string_view encoding);
  void WriteComment(std::string_view text);
  ElementWriter DocumentLevel() { return ElementWriter(*this, 0, 0); }

  // Ends every open element and hands over the bytes; the writer is empty afterwards.
  std::string Finish();

 private:
  friend class ElementWriter;
  struct Open {
    std::size_t nameOffset;  // the name, in out_, right after its '<'
    std::size_t nameLength;
    std::uint64_t serial;
    bool hasChildren;
  };

  // Ends the open elements deeper than level.
  void CloseTo(std::size_t level);
  void EndTopLevelNode();
  // The element a handle names, still open; a stale handle is a programming error.
  void CheckOpen(const ElementWriter& element) const;

  bool indented_;
  std::string out_;
  std::vector<Open> open_;
  // Offset and length, in out_, of each attribute name of the start tag being written.
  std::vector<std::pair<std::size_t, std::size_t>> tagAttributes_;
  std::uint64_t nextSerial_ = 1;
};

// Escapes for attribute values and text content. Line breaks and tabs in attribute values are
// written as character references so that they survive a round trip.
std::string EscapeAttribute(std::string_view value);
std::string EscapeText(std::string_view value);

}  // namespace xal::xml
