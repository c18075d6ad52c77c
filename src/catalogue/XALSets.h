// The set catalogue: the user's ordered list of sets, and its data file.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "catalogue/XALSet.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"
#include "platform/FileSystem.h"

namespace xal {

// The Version attribute of the root element.
extern const char* const kXALSetsVersion;

class TXALSets : public TXALCollection<TXALSet> {
 public:
  // Raises EXALError when owner is null.
  explicit TXALSets(TXALComponent* owner);

  void Clear() { ClearItems(); }
  void Assign(const TXALSets& source) { AssignItems(source); }
  bool Equals(const TXALSets& other) const { return ItemsEqual(other); }

  // Leaves one empty set named "Default".
  void ResetToDefault();

  // Appends the root element XALSets with every set.
  void WriteToDocument(xml::ElementWriter& document) const;
  // The whole file: declaration, the comment, the catalogue, indented.
  std::string SaveToBytes(const std::string& comment) const;
  // Parses the bytes (errors as xml::EXmlParseError naming sourceName) and appends the sets of
  // a document whose root element is XALSets; any other document adds nothing. All or
  // nothing: when the text or a set fails to read, the error passes and no set is appended.
  void LoadFromBytes(std::string_view bytes, const std::string& sourceName);

  // Appends the sets of the file; nothing is appended when reading or parsing fails.
  void LoadFromFile(const IFileSystem& files, const std::string& fileName);
  // Writes the file in one step, so a failed write leaves the old file whole. With
  // replaceExisting false an existing file is never touched and the call fails.
  void SaveToFile(IFileSystem& files, const std::string& fileName, const std::string& comment,
                  bool replaceExisting = true) const;
};

}  // namespace xal
