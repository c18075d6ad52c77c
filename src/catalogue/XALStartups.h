// The programs a target starts.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

class TXALStartup {
 public:
  explicit TXALStartup(TXALComponent* owner);
  TXALStartup(const TXALStartup&) = delete;
  TXALStartup& operator=(const TXALStartup&) = delete;

  TXALComponent* Owner;
  // The program or document to start.
  std::string FilePath;
  std::string Name;
  std::string Param;
  // Start only when the set was not already matching at the previous recheck.
  bool OnlyNew;
  std::string WorkDir;

  void Clear();
  void Assign(const TXALStartup& source);
  bool Equals(const TXALStartup& other) const;

  // Writes nothing for an entry without a file path.
  void WriteXML(xml::ElementWriter& parent) const;
  // Errors come as EXALError.
  void ReadXML(const xml::Node& node);
  std::string ToText() const;
  void FromText(std::string_view text);
};

class TXALStartups : public TXALCollection<TXALStartup> {
 public:
  explicit TXALStartups(TXALComponent* owner) : TXALCollection(owner) {}

  void Clear() { ClearItems(); }
  void Assign(const TXALStartups& source) { AssignItems(source); }
  bool Equals(const TXALStartups& other) const { return ItemsEqual(other); }

  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
};

}  // namespace xal
