#include "catalogue/XALTarget.h"

#include "catalogue/XALXmlRead.h"

namespace xal {

TXALTarget::TXALTarget(TXALComponent* owner)
    : Owner(owner), Apps(owner), Network(owner), Startups(owner) {
  Clear();
}

void TXALTarget::Clear() {
  Apps.Clear();
  DefaultPrinter.clear();
  Network.Clear();
  Startups.Clear();
}

void TXALTarget::Assign(const TXALTarget& source) {
  if (&source == this) {
    return;
  }
  Clear();
  Network.Assign(source.Network);
  DefaultPrinter = source.DefaultPrinter;
  Startups.Assign(source.Startups);
  Apps.Assign(source.Apps);
}

bool TXALTarget::Equals(const TXALTarget& other) const {
  return Network.Equals(other.Network) && DefaultPrinter == other.DefaultPrinter &&
         Startups.Equals(other.Startups) && Apps.Equals(other.Apps);
}

void TXALTarget::WriteXML(xml::ElementWriter& parent) const {
  xml::ElementWriter element = parent.AppendElement("Target");
  Network.WriteXML(element);
  if (!DefaultPrinter.empty()) {
    element.AppendElement("DefaultPrinter").SetAttribute("Name", DefaultPrinter);
  }
  Startups.WriteXML(element);
  Apps.WriteXML(element);
}

void TXALTarget::ReadXML(const xml::Node& node) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const xml::Node& child = node.Child(i);
    if (IsElementNamed(child, "Network")) {
      Network.ReadXML(child);
    } else if (IsElementNamed(child, "DefaultPrinter")) {
      DefaultPrinter = RequiredAttribute(child, "Name");
    } else if (IsElementNamed(child, "Startups")) {
      Startups.ReadXML(child);
    } else if (IsElementNamed(child, "Apps")) {
      Apps.ReadXML(child);
    }
  }
}

}  // namespace xal
