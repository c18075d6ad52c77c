// The one serializer of the program's XML.
#pragma once

#include <string>

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

// Escapes for attribute values and text content. Line breaks and tabs in attribute values are
// written as character references so that they survive a round trip.
std::string EscapeAttribute(std::string_view value);
std::string EscapeText(std::string_view value);

}  // namespace xal::xml
