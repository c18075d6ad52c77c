// The network actions of a target: IPv4 settings per adapter, proxy and configuration script.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

class TXALTargetIPSetting {
 public:
  explicit TXALTargetIPSetting(TXALComponent* owner);
  TXALTargetIPSetting(const TXALTargetIPSetting&) = delete;
  TXALTargetIPSetting& operator=(const TXALTargetIPSetting&) = delete;

  TXALComponent* Owner;
  std::string DNS1;
  std::string SubnetMask;
  std::string Gateway;
  // An IPv4 address, or "DHCP" for one obtained automatically.
  std::string Address;
  std::string Adapter;
  std::string DNS2;

  void Clear();
  void Assign(const TXALTargetIPSetting& source);
  bool Equals(const TXALTargetIPSetting& other) const;
  // A subnet mask alone is nothing to apply.
  bool HasValues() const;

  // Writes nothing for a setting without values.
  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
  std::string ToText() const;
  void FromText(std::string_view text);
};

class TXALTargetIPSettings : public TXALCollection<TXALTargetIPSetting> {
 public:
  explicit TXALTargetIPSettings(TXALComponent* owner) : TXALCollection(owner) {}

  void Clear() { ClearItems(); }
  void Assign(const TXALTargetIPSettings& source) { AssignItems(source); }
  bool Equals(const TXALTargetIPSettings& other) const { return ItemsEqual(other); }
  // How many items have values.
  int NonEmptyCount() const;

  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
};

class TXALTargetNetwork {
 public:
  explicit TXALTargetNetwork(TXALComponent* owner);
  TXALTargetNetwork(const TXALTargetNetwork&) = delete;
  TXALTargetNetwork& operator=(const TXALTargetNetwork&) = delete;

  TXALComponent* Owner;
  TXALTargetIPSettings IPSettings;
  // The proxy server; "off" switches the proxy off.
  std::string Proxy;
  // The configuration script's URL; "off" switches the script off.
  std::string AutoConfigURL;

  void Clear();
  void Assign(const TXALTargetNetwork& source);
  bool Equals(const TXALTargetNetwork& other) const;

  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
};

}  // namespace xal
