// The display layout an environment asks for.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/XALComponent.h"
#include "catalogue/XALLists.h"
#include "catalogue/XALRect.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlWriter.h"
#include "platform/Monitors.h"

namespace xal {

// One display of a layout: its number in the system's display list and its rectangle.
class TXALDisplay {
 public:
  explicit TXALDisplay(TXALComponent* owner);
  TXALDisplay(const TXALDisplay&) = delete;
  TXALDisplay& operator=(const TXALDisplay&) = delete;

  TXALComponent* Owner;
  int Number;  // 1-based
  TXALRect Bounds;

  int Left() const { return Bounds.Left; }
  int Top() const { return Bounds.Top; }
  int Width() const { return RectWidth(Bounds); }
  int Height() const { return RectHeight(Bounds); }

  void Clear();
  void Assign(const TXALDisplay& source);
  bool Equals(const TXALDisplay& other) const;

  void WriteXML(xml::ElementWriter& parent) const;
  // Errors come as EXALError.
  void ReadXML(const xml::Node& node);
  std::string ToText() const;
  void FromText(std::string_view text);
};

class TXALDisplays : public TXALCollection<TXALDisplay> {
 public:
  explicit TXALDisplays(TXALComponent* owner);

  // How many displays must be attached; 0 means any number.
  int DisplayCount;

  void Clear();
  void Assign(const TXALDisplays& source);
  bool Equals(const TXALDisplays& other) const;

  // Appends a display with this list's Owner and Bounds (left, top, left + width, top + height).
  TXALDisplay& AddDisplay(int number, int left, int top, int width, int height);

  // Whether the screen has the layout: the number of monitors when DisplayCount asks for one,
  // and each display's bounds exactly equal to those of the monitor with its number.
  bool MatchesScreen(const std::vector<TXALMonitor>& monitors) const;

  void WriteXML(xml::ElementWriter& parent) const;
  // Errors come as EXALError.
  void ReadXML(const xml::Node& node);
};

}  // namespace xal
