// Window placement rules: which windows a rule takes and where it puts them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "catalogue/XALRect.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"

namespace xal {

enum class TXALAppState : std::uint8_t { Normal = 0, Minimized = 1, Maximized = 2 };

class TXALApp {
 public:
  explicit TXALApp(TXALComponent* owner);
  TXALApp(const TXALApp&) = delete;
  TXALApp& operator=(const TXALApp&) = delete;

  TXALComponent* Owner;
  // Text the window's title must contain.
  std::string Title;
  // Class name the window must have.
  std::string WindowClass;
  TXALAppState State;
  // 1-based number of the display the window goes to.
  int Display;
  // The restored rectangle, relative to the top-left corner of that display.
  TXALRect Position;
  // Made the default printer when a window of this rule is placed or activated.
  std::string DefaultPrinter;
  std::string Name;

  int Left() const { return Position.Left; }
  int Top() const { return Position.Top; }
  int Width() const { return RectWidth(Position); }
  int Height() const { return RectHeight(Position); }

  void Clear();
  void Assign(const TXALApp& source);
  bool Equals(const TXALApp& other) const;

  // Whether a window with this class name and title falls under the rule. Both comparisons are
  // exact; a rule without class and title takes no window.
  bool Matches(std::string_view windowClass, std::string_view windowTitle) const;

  // "Normal", "Minimized" or "Maximized".
  std::string StateToText() const;
  // The state named exactly by text; any other text raises EXALError whose message is text.
  static TXALAppState StateFromText(std::string_view text);

  void WriteXML(xml::ElementWriter& parent) const;
  // Errors come as EXALError.
  void ReadXML(const xml::Node& node);
  std::string ToText() const;
  void FromText(std::string_view text);
};

class TXALApps : public TXALCollection<TXALApp> {
 public:
  explicit TXALApps(TXALComponent* owner) : TXALCollection(owner) {}

  void Clear() { ClearItems(); }
  void Assign(const TXALApps& source) { AssignItems(source); }
  bool Equals(const TXALApps& other) const { return ItemsEqual(other); }

  // The first rule, in list order, that takes the window; nullptr when none does.
  TXALApp* FindMatch(std::string_view windowClass, std::string_view windowTitle);
  const TXALApp* FindMatch(std::string_view windowClass, std::string_view windowTitle) const;

  void WriteXML(xml::ElementWriter& parent) const;
  void ReadXML(const xml::Node& node);
};

}  // namespace xal
