#include "catalogue/XALStartups.h"

#include "catalogue/XALItemText.h"
#include "catalogue/XALNumbers.h"
#include "catalogue/XALXmlRead.h"

namespace xal {

TXALStartup::TXALStartup(TXALComponent* owner) : Owner(owner) {
  Clear();
}

void TXALStartup::Clear() {
  FilePath.clear();
  Name.clear();
  Param.clear();
  OnlyNew = false;
  WorkDir.clear();
}

void TXALStartup::Assign(const TXALStartup& source) {
  Name = source.Name;
  FilePath = source.FilePath;
  Param = source.Param;
  WorkDir = source.WorkDir;
  OnlyNew = source.OnlyNew;
}

bool TXALStartup::Equals(const TXALStartup& other) const {
  return Name == other.Name && FilePath == other.FilePath && Param == other.Param &&
         WorkDir == other.WorkDir && OnlyNew == other.OnlyNew;
}

void TXALStartup::WriteXML(xml::ElementWriter& parent) const {
  if (FilePath.empty()) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Startup");
  if (!Name.empty()) {
    element.SetAttribute("Name", Name);
  }
  element.SetAttribute("FilePath", FilePath);
  if (!Param.empty()) {
    element.SetAttribute("Param", Param);
  }
  if (!WorkDir.empty()) {
    element.SetAttribute("WorkDir", WorkDir);
  }
  if (OnlyNew) {
    element.SetAttribute("OnlyNew", "True");
  }
}

void TXALStartup::ReadXML(const xml::Node& node) {
  ReadAsXALError([&] {
    ReadTextAttribute(node, "Name", Name);
    ReadTextAttribute(node, "FilePath", FilePath);
    ReadTextAttribute(node, "Param", Param);
    ReadTextAttribute(node, "WorkDir", WorkDir);
    if (const std::optional<std::string_view> onlyNew = node.FindAttribute("OnlyNew")) {
      OnlyNew = StrToBoolean(*onlyNew);
    }
  });
}

std::string TXALStartup::ToText() const {
  return ItemToText([this](xml::ElementWriter& parent) { WriteXML(parent); });
}

void TXALStartup::FromText(std::string_view text) {
  ItemFromText(text, "Startup", [this](const xml::Node& node) { ReadXML(node); });
}

void TXALStartups::WriteXML(xml::ElementWriter& parent) const {
  if (Count() == 0) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Startups");
  for (int i = 0; i < Count(); ++i) {
    Items(i).WriteXML(element);
  }
}

void TXALStartups::ReadXML(const xml::Node& node) {
  ForEachChildNamed(node, "Startup", [this](const xml::Node& child) {
    auto startup = std::make_unique<TXALStartup>(Owner);
    startup->ReadXML(child);
    Add(std::move(startup));
  });
}

}  // namespace xal
