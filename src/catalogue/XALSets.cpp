#include "catalogue/XALSets.h"

#include <memory>
#include <vector>

#include "catalogue/XALErrors.h"
#include "catalogue/XALXmlFile.h"
#include "catalogue/XALXmlRead.h"
#include "catalogue/XmlParser.h"

namespace xal {

// Major 1, minor 0 in the form "%.d.%.2d".
const char* const kXALSetsVersion = "1.00";

TXALSets::TXALSets(TXALComponent* owner) : TXALCollection(owner) {
  if (owner == nullptr) {
    throw EXALError("Owner of XALSets Object can not be nil.");
  }
}

void TXALSets::ResetToDefault() {
  Clear();
  auto set = std::make_unique<TXALSet>(Owner);
  set->Name = "Default";
  Add(std::move(set));
}

void TXALSets::WriteToDocument(xml::ElementWriter& document) const {
  xml::ElementWriter root = document.AppendElement("XALSets");
  root.SetAttribute("Version", kXALSetsVersion);
  for (int i = 0; i < Count(); ++i) {
    Items(i).WriteXML(root);
  }
}

std::string TXALSets::SaveToBytes(const std::string& comment) const {
  xml::XmlStreamWriter writer = NewFileWriter(comment);
  xml::ElementWriter document = writer.DocumentLevel();
  WriteToDocument(document);
  return writer.Finish();
}

void TXALSets::LoadFromBytes(std::string_view bytes, const std::string& sourceName) {
  // Read aside first: a file that fails part-way must not leave half of itself behind. Each
  // set is read as soon as the parser has it, so the whole file never stands as a tree.
  std::vector<std::unique_ptr<TXALSet>> sets;
  xml::ParseEachChild(bytes, sourceName, [&](const xml::Node& child) {
    if (child.Parent()->Name() == "XALSets" && IsElementNamed(child, "XALSet")) {
      auto set = std::make_unique<TXALSet>(Owner);
      set->ReadXML(child);
      sets.push_back(std::move(set));
    }
  });
  for (auto& set : sets) {
    Add(std::move(set));
  }
}

void TXALSets::LoadFromFile(const IFileSystem& files, const std::string& fileName) {
  LoadFromBytes(files.ReadFile(fileName), fileName);
}

void TXALSets::SaveToFile(IFileSystem& files, const std::string& fileName,
                          const std::string& comment, bool replaceExisting) const {
  files.WriteFileAtomic(fileName, SaveToBytes(comment), replaceExisting);
}

}  // namespace xal
