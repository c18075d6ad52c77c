// The target of a set: what the program does at the place.
#pragma once

#include <string>

#include "catalogue/XALApps.h"
#include "catalogue/XALComponent.h"
#include "catalogue/XALStartups.h"
#include "catalogue/XALTargetNetwork.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

class TXALTarget {
 public:
  explicit TXALTarget(TXALComponent* owner);
  TXALTarget(const TXALTarget&) = delete;
  TXALTarget& operator=(const TXALTarget&) = delete;

  TXALComponent* Owner;
  TXALApps Apps;
  // The printer to make the system default.
  std::string DefaultPrinter;
  TXALTargetNetwork Network;
  TXALStartups Startups;

  void Clear();
  void Assign(const TXALTarget& source);
  bool Equals(const TXALTarget& other) const;

  void WriteXML(xml::ElementWriter& parent) const;
  // A DefaultPrinter without Name raises EConvertError.
  void ReadXML(const xml::Node& node);
};

}  // namespace xal
