#include "catalogue/XALEnvironment.h"

#include "catalogue/XALXmlRead.h"

namespace xal {

void TXALPrinters::Assign(const TXALPrinters& source) {
  if (&source != this) {
    TXALStringList::operator=(source);
  }
}

void TXALPrinters::WriteXML(xml::ElementWriter& parent) const {
  if (Count() == 0) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Printers");
  for (const std::string& name : *this) {
    element.AppendElement("Printer").SetAttribute("Name", name);
  }
}

void TXALPrinters::ReadXML(const xml::Node& node) {
  ForEachChildNamed(node, "Printer", [this](const xml::Node& child) {
    Add(std::string(RequiredAttribute(child, "Name")));
  });
}

TXALEnvNetwork::TXALEnvNetwork(TXALComponent* owner) : Owner(owner) {
  Clear();
}

void TXALEnvNetwork::Clear() {
  WiFi.clear();
  IPList.Clear();
}

void TXALEnvNetwork::Assign(const TXALEnvNetwork& source) {
  IPList = source.IPList;
  WiFi = source.WiFi;
}

bool TXALEnvNetwork::Equals(const TXALEnvNetwork& other) const {
  return WiFi == other.WiFi && IPList.Equals(other.IPList);
}

void TXALEnvNetwork::WriteXML(xml::ElementWriter& parent) const {
  if (WiFi.empty() && IPList.Count() == 0) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Network");
  if (!WiFi.empty()) {
    element.AppendElement("WiFi").SetAttribute("Name", WiFi);
  }
  for (const std::string& pattern : IPList) {
    element.AppendElement("IP").SetAttribute("Address", pattern);
  }
}

void TXALEnvNetwork::ReadXML(const xml::Node& node) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const xml::Node& child = node.Child(i);
    if (IsElementNamed(child, "WiFi")) {
      ReadTextAttribute(child, "Name", WiFi);
    } else if (IsElementNamed(child, "IP")) {
      if (const std::optional<std::string_view> address = child.FindAttribute("Address")) {
        IPList.Add(std::string(*address));
      }
    }
  }
}

TXALEnvironment::TXALEnvironment(TXALComponent* owner)
    : Owner(owner), Displays(owner), Printers(owner), Network(owner) {
  Clear();
}

void TXALEnvironment::Clear() {
  Displays.Clear();
  Printers.Clear();
  Network.Clear();
}

void TXALEnvironment::Assign(const TXALEnvironment& source) {
  if (&source == this) {
    return;
  }
  Clear();
  Displays.Assign(source.Displays);
  Printers.Assign(source.Printers);
  Network.Assign(source.Network);
}

bool TXALEnvironment::Equals(const TXALEnvironment& other) const {
  return Displays.Equals(other.Displays) && Printers.Equals(other.Printers) &&
         Network.Equals(other.Network);
}

void TXALEnvironment::WriteXML(xml::ElementWriter& parent) const {
  xml::ElementWriter element = parent.AppendElement("Environment");
  Displays.WriteXML(element);
  Printers.WriteXML(element);
  Network.WriteXML(element);
}

void TXALEnvironment::ReadXML(const xml::Node& node) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const xml::Node& child = node.Child(i);
    if (IsElementNamed(child, "Displays")) {
      Displays.ReadXML(child);
    } else if (IsElementNamed(child, "Printers")) {
      Printers.ReadXML(child);
    } else if (IsElementNamed(child, "Network")) {
      Network.ReadXML(child);
    }
  }
}

}  // namespace xal
