// One set of the catalogue: a name, the environment that recognises a place and the target
// applied there.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALEnvironment.h"
#include "catalogue/XALTarget.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

class TXALSet {
 public:
  explicit TXALSet(TXALComponent* owner);
  TXALSet(const TXALSet&) = delete;
  TXALSet& operator=(const TXALSet&) = delete;

  TXALComponent* Owner;
  std::string Name;
  TXALEnvironment Environment;
  TXALTarget Target;

  void Clear();
  void Assign(const TXALSet& source);
  bool Equals(const TXALSet& other) const;
  // Never equal to an absent set.
  bool Equals(const TXALSet* other) const { return other != nullptr && Equals(*other); }

  void WriteXML(xml::ElementWriter& parent) const;
  // A missing Name raises EConvertError; errors of the items inside come as EXALError.
  void ReadXML(const xml::Node& node);
  std::string ToText() const;
  void FromText(std::string_view text);
};

}  // namespace xal
