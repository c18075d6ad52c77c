// The frame both XML files of the data folder share: the declaration, the comment, the
// indented layout.
#pragma once

#include <string>

#include "catalogue/XmlWriter.h"

namespace xal {

// A writer with two spaces of indentation per level that has written the declaration (version
// "1.0", encoding "utf-8") and the comment, ready for the root element.
xml::XmlStreamWriter NewFileWriter(const std::string& comment);

}  // namespace xal
