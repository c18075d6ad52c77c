#include "catalogue/XALXmlFile.h"

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

}  // namespace xal
