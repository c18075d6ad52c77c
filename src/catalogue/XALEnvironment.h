// The environment of a set: the conditions that recognise a place.
#pragma once

#include <string>

#include "catalogue/XALComponent.h"
#include "catalogue/XALDisplays.h"
#include "catalogue/XALLists.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

// Names of printers that must all be installed.
class TXALPrinters : public TXALStringList {
 public:
  explicit TXALPrinters(TXALComponent* owner) : Owner(owner) {}
  TXALPrinters(const TXALPrinters&) = delete;
  TXALPrinters& operator=(const TXALPrinters&) = delete;

  TXALComponent* Owner;

  void Assign(const TXALPrinters& source);
  bool Equals(const TXALPrinters& other) const { return TXALStringList::Equals(other); }

  void WriteXML(xml::ElementWriter& parent) const;
  // A Printer without Name raises EConvertError.
  void ReadXML(const xml::Node& node);
};

// IPv4 address patterns such as "192.168.*.*"; written and read by their TXALEnvNetwork.
class TXALEnvIPList : public TXALStringList {};

class TXALEnvNetwork {
 public:
  explicit TXALEnvNetwork(TXALComponent* owner);
  TXALEnvNetwork(const TXALEnvNetwork&) = delete;
  TXALEnvNetwork& operator=(const TXALEnvNetwork&) = delete;

  TXALComponent* Owner;
  // The Wi-Fi network the computer must be connected to.
  std::string WiFi;
  TXALEnvIPList IPList;

  void Clear();
  void Assign(const TXALEnvNetwork& source);
  bool Equals(const TXALEnvNetwork& other) const;

  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
};

class TXALEnvironment {
 public:
  explicit TXALEnvironment(TXALComponent* owner);
  TXALEnvironment(const TXALEnvironment&) = delete;
  TXALEnvironment& operator=(const TXALEnvironment&) = delete;

  TXALComponent* Owner;
  TXALDisplays Displays;
  TXALPrinters Printers;
  TXALEnvNetwork Network;

  void Clear();
  void Assign(const TXALEnvironment& source);
  bool Equals(const TXALEnvironment& other) const;

  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
};

}  // namespace xal
