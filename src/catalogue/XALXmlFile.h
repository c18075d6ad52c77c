// The frame both XML files of the data folder share: the declaration, the comment, the
// indented layout, and reading and writing through the file system.
#pragma once

#include <memory>
#include <string>

#include "catalogue/XmlDocument.h"
#include "platform/FileSystem.h"

namespace xal {

// A document holding only the comment, ready for the root element.
std::unique_ptr<xml::Document> NewFileDocument(const std::string& comment);

// Puts the declaration (version "1.0", encoding "utf-8") in front and serialises the document
// with two spaces of indentation per level.
std::string SerializeFileDocument(xml::Document& document);

// Writes the bytes through the file system's atomic write. The bytes are parsed first: a model
// text with bytes XML cannot carry (control characters, broken UTF-8) would otherwise give a
// file that the next start could not read, so the save fails with EXALError instead and the
// old file stays as it was.
void WriteXmlFile(IFileSystem& files, const std::string& fileName, const std::string& bytes,
                  bool replaceExisting);

}  // namespace xal
