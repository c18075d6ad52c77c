#include "catalogue/XALXmlFile.h"

namespace xal {

xml::XmlStreamWriter NewFileWriter(const std::string& comment) {
  xml::XmlStreamWriter writer(xml::XmlLayout::Indented);
  writer.WriteDeclaration("1.0", "utf-8");
  writer.WriteComment(comment);
  return writer;
}

}  // namespace xal
