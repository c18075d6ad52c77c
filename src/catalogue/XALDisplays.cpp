#include "catalogue/XALDisplays.h"

#include "catalogue/Utf8.h"
#include "catalogue/XALItemText.h"
#include "catalogue/XALNumbers.h"
#include "catalogue/XALXmlRead.h"

namespace xal {

TXALDisplay::TXALDisplay(TXALComponent* owner) : Owner(owner) {
  Clear();
}

void TXALDisplay::Clear() {
  Number = -1;
  Bounds = TXALRect{-1, -1, -1, -1};
}

void TXALDisplay::Assign(const TXALDisplay& source) {
  Number = source.Number;
  Bounds = source.Bounds;
}

bool TXALDisplay::Equals(const TXALDisplay& other) const {
  return Number == other.Number && Bounds == other.Bounds;
}

void TXALDisplay::WriteXML(xml::ElementWriter& parent) const {
  xml::ElementWriter element = parent.AppendElement("Display");
  element.SetAttribute("Number", IntToStr(Number));
  element.SetAttribute("Left", IntToStr(Left()));
  element.SetAttribute("Top", IntToStr(Top()));
  element.SetAttribute("Width", IntToStr(Width()));
  element.SetAttribute("Height", IntToStr(Height()));
}

void TXALDisplay::ReadXML(const xml::Node& node) {
  ReadAsXALError([&] {
    const std::optional<std::string_view> number = node.FindAttribute("Number");
    const int newNumber = number ? LenientStrToInt(*number) : 1;
    const TXALRect bounds = ReadRectangle(node);
    Number = newNumber;
    Bounds = bounds;
  });
}

std::string TXALDisplay::ToText() const {
  return ItemToText([this](xml::ElementWriter& parent) { WriteXML(parent); });
}

void TXALDisplay::FromText(std::string_view text) {
  ItemFromText(text, "Display", [this](const xml::Node& node) { ReadXML(node); });
}

TXALDisplays::TXALDisplays(TXALComponent* owner) : TXALCollection(owner) {
  Clear();
}

void TXALDisplays::Clear() {
  ClearItems();
  DisplayCount = 0;
}

void TXALDisplays::Assign(const TXALDisplays& source) {
  if (&source == this) {
    return;
  }
  Clear();
  DisplayCount = source.DisplayCount;
  AssignItems(source);
}

bool TXALDisplays::Equals(const TXALDisplays& other) const {
  return Count() == other.Count() && DisplayCount == other.DisplayCount && ItemsEqual(other);
}

TXALDisplay& TXALDisplays::AddDisplay(int number, int left, int top, int width, int height) {
  auto display = std::make_unique<TXALDisplay>(Owner);
  display->Number = number;
  display->Bounds = TXALRect{left, top, WrapAdd(left, width), WrapAdd(top, height)};
  return Items(Add(std::move(display)));
}

bool TXALDisplays::MatchesScreen(const std::vector<TXALMonitor>& monitors) const {
  const auto monitorCount = static_cast<long long>(monitors.size());
  if (DisplayCount != 0 && DisplayCount != monitorCount) {
    return false;
  }
  for (int i = 0; i < Count(); ++i) {
    const TXALDisplay& display = Items(i);
    if (display.Number < 1 || display.Number > monitorCount) {
      return false;
    }
    if (!(display.Bounds == monitors[static_cast<std::size_t>(display.Number - 1)].Bounds)) {
      return false;
    }
  }
  return true;
}

// A negative count would be dropped here and come back as 0, "any number of displays", turning a
// layout that never matched into one that matches every screen; it is refused on both sides.
void TXALDisplays::WriteXML(xml::ElementWriter& parent) const {
  if (DisplayCount < 0) {
    throw EXALError("The display count " + IntToStr(DisplayCount) +
                    " can't be saved; it must be 0 or more.");
  }
  if (DisplayCount == 0 && Count() == 0) {
    return;
  }
  xml::ElementWriter element = parent.AppendElement("Displays");
  if (DisplayCount > 0) {
    element.SetAttribute("Count", IntToStr(DisplayCount));
  }
  for (int i = 0; i < Count(); ++i) {
    Items(i).WriteXML(element);
  }
}

void TXALDisplays::ReadXML(const xml::Node& node) {
  ReadAsXALError([&] {
    const std::optional<std::string_view> count = node.FindAttribute("Count");
    const int value = !count || count->empty() ? 1 : StrictStrToInt(*count);
    if (value < 0) {
      throw EXALError("The display count '" + QuoteForMessage(*count) +
                      "' is not valid; it must be 0 or more.");
    }
    DisplayCount = value;
  });
  ForEachChildNamed(node, "Display", [this](const xml::Node& child) {
    auto display = std::make_unique<TXALDisplay>(Owner);
    display->ReadXML(child);
    Add(std::move(display));
  });
}

}  // namespace xal
