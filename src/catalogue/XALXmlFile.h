// The frame both XML files of the data folder share: the declaration, the comment, the
// indented layout.
#pragma once

#include <memory>
#include <string>

#include "catalogue/XmlDocument.h"

namespace xal {

// A document holding only the comment, ready for the root element.
std::unique_ptr<xml::Document> NewFileDocument(const std::string& comment);

// Puts the declaration (version "1.0", encoding "utf-8") in front and serialises the document
// with two spaces of indentation per level.
std::string SerializeFileDocument(xml::Document& document);

}  // namespace xal
