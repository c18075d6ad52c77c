// The program settings: which window classes the window placement takes or leaves, and whether
// it considers invisible windows; and the settings file.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"
#include "platform/FileSystem.h"

namespace xal {

class TXALSetting {
 public:
  // Raises EXALError when owner is null.
  explicit TXALSetting(TXALComponent* owner);
  TXALSetting(const TXALSetting&) = delete;
  TXALSetting& operator=(const TXALSetting&) = delete;

  TXALComponent* Owner;
  // Classes the window test accepts even where its general rules exclude them.
  TXALStringList WhiteList;
  // Classes the window test excludes.
  TXALStringList BlackList;
  bool ManageInvisibleWindows;

  // The built-in lists, replacing what the lists hold, and the switch off.
  void LoadDefaults();
  void Assign(const TXALSetting& source);
  bool Equals(const TXALSetting& other) const;

  // Appends the root element XALSetting.
  void WriteToDocument(xml::ElementWriter& document) const;
  // Adds the classes and the switch of a document whose root element is XALSetting; nothing is
  // cleared first.
  void ReadFromDocument(const xml::Document& document);

  std::string SaveToBytes(const std::string& comment) const;
  void LoadFromBytes(std::string_view bytes, const std::string& sourceName);
  void LoadFromFile(const IFileSystem& files, const std::string& fileName);
  void SaveToFile(IFileSystem& files, const std::string& fileName, const std::string& comment,
                  bool replaceExisting = true) const;
};

}  // namespace xal
