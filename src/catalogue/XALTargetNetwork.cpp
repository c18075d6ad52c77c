#include "catalogue/XALTargetNetwork.h"

#include "catalogue/XALItemText.h"
#include "catalogue/XALXmlRead.h"

namespace xal {
namespace {

void SetIfNotEmpty(xml::ElementWriter& element, std::string_view name, const std::string& value) {
  if (!value.empty()) {
    element.SetAttribute(name, value);
  }
}

}  // namespace

TXALTargetIPSetting::TXALTargetIPSetting(TXALComponent* owner) : Owner(owner) {
  Clear();
}

void TXALTargetIPSetting::Clear() {
  DNS1.clear();
  SubnetMask.clear();
  Gateway.clear();
  Address.clear();
  Adapter.clear();
  DNS2.clear();
}

void TXALTargetIPSetting::Assign(const TXALTargetIPSetting& source) {
  DNS1 = source.DNS1;
  SubnetMask = source.SubnetMask;
  Gateway = source.Gateway;
  Address = source.Address;
  Adapter = source.Adapter;
  DNS2 = source.DNS2;
}

bool TXALTargetIPSetting::Equals(const TXALTargetIPSetting& other) const {
  return Adapter == other.Adapter && Address == other.Address && SubnetMask == other.SubnetMask &&
         Gateway == other.Gateway && DNS1 == other.DNS1 && DNS2 == other.DNS2;
}

bool TXALTargetIPSetting::HasValues() const {
  return !Adapter.empty() || !Address.empty() || !Gateway.empty() || !DNS1.empty() || !DNS2.empty();
}

void TXALTargetIPSetting::WriteXML(xml::ElementWriter& parent) const {
  if (!HasValues()) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("IPSetting");
  SetIfNotEmpty(element, "Adapter", Adapter);
  SetIfNotEmpty(element, "Address", Address);
  // A mask means nothing next to an address the DHCP server gives.
  if (!Address.empty() && !SameText(Address, "DHCP")) {
    SetIfNotEmpty(element, "SubnetMask", SubnetMask);
  }
  SetIfNotEmpty(element, "Gateway", Gateway);
  SetIfNotEmpty(element, "DNS1", DNS1);
  SetIfNotEmpty(element, "DNS2", DNS2);
}

void TXALTargetIPSetting::ReadXML(const xml::Node& node) {
  ReadTextAttribute(node, "Adapter", Adapter);
  ReadTextAttribute(node, "Address", Address);
  ReadTextAttribute(node, "SubnetMask", SubnetMask);
  ReadTextAttribute(node, "Gateway", Gateway);
  ReadTextAttribute(node, "DNS1", DNS1);
  ReadTextAttribute(node, "DNS2", DNS2);
}

std::string TXALTargetIPSetting::ToText() const {
  return ItemToText([this](xml::ElementWriter& parent) { WriteXML(parent); });
}

void TXALTargetIPSetting::FromText(std::string_view text) {
  ItemFromText(text, "IPSetting", [this](const xml::Node& node) { ReadXML(node); });
}

int TXALTargetIPSettings::NonEmptyCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) {
    if (Items(i).HasValues()) {
      ++count;
    }
  }
  return count;
}

void TXALTargetIPSettings::WriteXML(xml::ElementWriter& parent) const {
  if (NonEmptyCount() == 0) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("IPSettings");
  for (int i = 0; i < Count(); ++i) {
    Items(i).WriteXML(element);
  }
}

void TXALTargetIPSettings::ReadXML(const xml::Node& node) {
  ForEachChildNamed(node, "IPSetting", [this](const xml::Node& child) {
    auto setting = std::make_unique<TXALTargetIPSetting>(Owner);
    setting->ReadXML(child);
    Add(std::move(setting));
  });
}

TXALTargetNetwork::TXALTargetNetwork(TXALComponent* owner) : Owner(owner), IPSettings(owner) {
  Clear();
}

void TXALTargetNetwork::Clear() {
  IPSettings.Clear();
  Proxy.clear();
  AutoConfigURL.clear();
}

void TXALTargetNetwork::Assign(const TXALTargetNetwork& source) {
  if (&source == this) {
    return;
  }
  Clear();
  IPSettings.Assign(source.IPSettings);
  Proxy = source.Proxy;
  AutoConfigURL = source.AutoConfigURL;
}

bool TXALTargetNetwork::Equals(const TXALTargetNetwork& other) const {
  return IPSettings.Equals(other.IPSettings) && Proxy == other.Proxy &&
         AutoConfigURL == other.AutoConfigURL;
}

void TXALTargetNetwork::WriteXML(xml::ElementWriter& parent) const {
  if (IPSettings.NonEmptyCount() == 0 && Proxy.empty() && AutoConfigURL.empty()) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Network");
  IPSettings.WriteXML(element);
  if (!Proxy.empty()) {
    element.AppendElement("Proxy").SetAttribute("Server", Proxy);
  }
  if (!AutoConfigURL.empty()) {
    element.AppendElement("AutoConfigURL").SetAttribute("URL", AutoConfigURL);
  }
}

void TXALTargetNetwork::ReadXML(const xml::Node& node) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const xml::Node& child = node.Child(i);
    if (IsElementNamed(child, "IPSettings")) {
      IPSettings.ReadXML(child);
    } else if (IsElementNamed(child, "Proxy")) {
      ReadTextAttribute(child, "Server", Proxy);
    } else if (IsElementNamed(child, "AutoConfigURL")) {
      ReadTextAttribute(child, "URL", AutoConfigURL);
    }
  }
}

}  // namespace xal
