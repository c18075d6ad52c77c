#include "catalogue/XALApps.h"

#include "catalogue/Utf8.h"
#include "catalogue/XALErrors.h"
#include "catalogue/XALItemText.h"
#include "catalogue/XALNumbers.h"
#include "catalogue/XALXmlRead.h"

namespace xal {

TXALApp::TXALApp(TXALComponent* owner) : Owner(owner) {
  Clear();
}

void TXALApp::Clear() {
  Title.clear();
  WindowClass.clear();
  State = TXALAppState::Normal;
  Display = 1;
  Position = TXALRect{0, 0, -1, -1};
  DefaultPrinter.clear();
  Name.clear();
}

void TXALApp::Assign(const TXALApp& source) {
  Name = source.Name;
  WindowClass = source.WindowClass;
  Title = source.Title;
  Display = source.Display;
  State = source.State;
  Position = source.Position;
  DefaultPrinter = source.DefaultPrinter;
}

bool TXALApp::Equals(const TXALApp& other) const {
  return Name == other.Name && WindowClass == other.WindowClass && Title == other.Title &&
         Display == other.Display && State == other.State && Position == other.Position &&
         DefaultPrinter == other.DefaultPrinter;
}

bool TXALApp::Matches(std::string_view windowClass, std::string_view windowTitle) const {
  // Texts are UTF-8, so a byte-wise search never matches across a character boundary.
  const bool titleFound = windowTitle.find(Title) != std::string_view::npos;
  if (!WindowClass.empty()) {
    return windowClass == WindowClass && (Title.empty() || titleFound);
  }
  return !Title.empty() && titleFound;
}

std::string TXALApp::StateToText() const {
  switch (State) {
    case TXALAppState::Minimized:
      return "Minimized";
    case TXALAppState::Maximized:
      return "Maximized";
    case TXALAppState::Normal:
      break;
  }
  return "Normal";
}

TXALAppState TXALApp::StateFromText(std::string_view text) {
  if (text == "Normal") {
    return TXALAppState::Normal;
  }
  if (text == "Minimized") {
    return TXALAppState::Minimized;
  }
  if (text == "Maximized") {
    return TXALAppState::Maximized;
  }
  // A hostile file may hold megabytes here; the message, shown in a box, quotes the start.
  throw EXALError(QuoteForMessage(text));
}

void TXALApp::WriteXML(xml::ElementWriter& parent) const {
  xml::ElementWriter element = parent.AppendElement("App");
  if (!Name.empty()) {
    element.SetAttribute("Name", Name);
  }
  if (!WindowClass.empty()) {
    element.SetAttribute("Class", WindowClass);
  }
  if (!Title.empty()) {
    element.SetAttribute("Title", Title);
  }
  element.AppendElement("Display").SetAttribute("Value", IntToStr(Display));
  element.AppendElement("State").SetAttribute("Value", StateToText());
  xml::ElementWriter position = element.AppendElement("Position");
  position.SetAttribute("Left", IntToStr(Left()));
  position.SetAttribute("Top", IntToStr(Top()));
  position.SetAttribute("Width", IntToStr(Width()));
  position.SetAttribute("Height", IntToStr(Height()));
  if (!DefaultPrinter.empty()) {
    element.AppendElement("DefaultPrinter").SetAttribute("Name", DefaultPrinter);
  }
}

void TXALApp::ReadXML(const xml::Node& node) {
  ReadAsXALError([&] {
    ReadTextAttribute(node, "Name", Name);
    ReadTextAttribute(node, "Class", WindowClass);
    ReadTextAttribute(node, "Title", Title);
    for (std::size_t i = 0; i < node.ChildCount(); ++i) {
      const xml::Node& child = node.Child(i);
      if (IsElementNamed(child, "Display")) {
        if (const std::optional<std::string_view> value = child.FindAttribute("Value")) {
          Display = StrictStrToInt(*value);
        }
      } else if (IsElementNamed(child, "State")) {
        if (const std::optional<std::string_view> value = child.FindAttribute("Value")) {
          State = StateFromText(*value);
        }
      } else if (IsElementNamed(child, "Position")) {
        Position = ReadRectangle(child);
      } else if (IsElementNamed(child, "DefaultPrinter")) {
        const std::optional<std::string_view> name = child.FindAttribute("Name");
        DefaultPrinter = name ? std::string(*name) : std::string();
      }
    }
  });
}

std::string TXALApp::ToText() const {
  return ItemToText([this](xml::ElementWriter& parent) { WriteXML(parent); });
}

void TXALApp::FromText(std::string_view text) {
  ItemFromText(text, "App", [this](const xml::Node& node) { ReadXML(node); });
}

TXALApp* TXALApps::FindMatch(std::string_view windowClass, std::string_view windowTitle) {
  for (int i = 0; i < Count(); ++i) {
    if (Items(i).Matches(windowClass, windowTitle)) {
      return &Items(i);
    }
  }
  return nullptr;
}

const TXALApp* TXALApps::FindMatch(std::string_view windowClass,
                                   std::string_view windowTitle) const {
  return const_cast<TXALApps*>(this)->FindMatch(windowClass, windowTitle);
}

void TXALApps::WriteXML(xml::ElementWriter& parent) const {
  if (Count() == 0) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Apps");
  for (int i = 0; i < Count(); ++i) {
    Items(i).WriteXML(element);
  }
}

void TXALApps::ReadXML(const xml::Node& node) {
  ForEachChildNamed(node, "App", [this](const xml::Node& child) {
    auto app = std::make_unique<TXALApp>(Owner);
    app->ReadXML(child);
    Add(std::move(app));
  });
}

}  // namespace xal
