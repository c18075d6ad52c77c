#include "catalogue/XALXmlFile.h"

#include "catalogue/XALErrors.h"
#include "catalogue/XmlParser.h"
#include "catalogue/XmlWriter.h"

namespace xal {

std::unique_ptr<xml::Document> NewFileDocument(const std::string& comment) {
  auto document = std::make_unique<xml::Document>();
  document->AppendComment(comment);
  return document;
}

std::string SerializeFileDocument(xml::Document& document) {
  document.SetDeclaration("1.0", "utf-8");
  return xml::Serialize(document, xml::XmlLayout::Indented);
}

void WriteXmlFile(IFileSystem& files, const std::string& fileName, const std::string& bytes,
                  bool replaceExisting) {
  try {
    xml::Parse(bytes, fileName);
  } catch (const xml::EXmlParseError& error) {
    throw EXALError("\"" + fileName +
                    "\" was not written: a text holds characters that an XML file cannot "
                    "store (" +
                    error.what() + ")");
  }
  files.WriteFileAtomic(fileName, bytes, replaceExisting);
}

}  // namespace xal
