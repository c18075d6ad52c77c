#include "catalogue/XALSet.h"

#include "catalogue/XALItemText.h"
#include "catalogue/XALXmlRead.h"

namespace xal {

TXALSet::TXALSet(TXALComponent* owner) : Owner(owner), Environment(owner), Target(owner) {
  Clear();
}

void TXALSet::Clear() {
  Name.clear();
  Environment.Clear();
  Target.Clear();
}

void TXALSet::Assign(const TXALSet& source) {
  if (&source == this) {
    return;
  }
  Clear();
  Name = source.Name;
  Environment.Assign(source.Environment);
  Target.Assign(source.Target);
}

bool TXALSet::Equals(const TXALSet& other) const {
  return Name == other.Name && Environment.Equals(other.Environment) && Target.Equals(other.Target);
}

void TXALSet::WriteXML(xml::ElementWriter& parent) const {
  xml::ElementWriter element = parent.AppendElement("XALSet");
  element.SetAttribute("Name", Name);
  Environment.WriteXML(element);
  Target.WriteXML(element);
}

void TXALSet::ReadXML(const xml::Node& node) {
  Name = RequiredAttribute(node, "Name");
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const xml::Node& child = node.Child(i);
    if (IsElementNamed(child, "Environment")) {
      Environment.ReadXML(child);
    } else if (IsElementNamed(child, "Target")) {
      Target.ReadXML(child);
    }
  }
}

std::string TXALSet::ToText() const {
  return ItemToText([this](xml::ElementWriter& parent) { WriteXML(parent); });
}

void TXALSet::FromText(std::string_view text) {
  ItemFromText(text, "XALSet", [this](const xml::Node& node) { ReadXML(node); });
}

}  // namespace xal
