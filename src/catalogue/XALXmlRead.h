// Helpers the element readers of the catalogue and the settings share.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/XALErrors.h"
#include "catalogue/XALRect.h"
#include "catalogue/XmlDocument.h"

namespace xal {

// Readers dispatch on element names compared exactly; comments and text never match.
inline bool IsElementNamed(const xml::Node& node, std::string_view name) {
  return node.IsElement() && node.Name() == name;
}

// Calls visit(child) for every child element of node named name, in document order.
template <typename Visit>
void ForEachChildNamed(const xml::Node& node, std::string_view name, Visit&& visit) {
  for (const xml::Node* child : node.Children()) {
    if (IsElementNamed(*child, name)) {
      visit(*child);
    }
  }
}

// The attribute's value. Raises EConvertError naming the element and the attribute when it is
// absent.
std::string_view RequiredAttribute(const xml::Node& element, std::string_view name);

// Sets field to the attribute's value when the attribute is present, even when it is empty;
// an absent attribute leaves field unchanged.
void ReadTextAttribute(const xml::Node& element, std::string_view name, std::string& field);

// The geometry of a Display element or of an App's Position element: Left and Top default to
// 0, Right and Bottom to Left and Top; Width and Height, when present, override Right and
// Bottom. Numbers use the lenient conversion.
TXALRect ReadRectangle(const xml::Node& element);

// Runs a reader whose failures must reach the caller as EXALError with the original message.
template <typename Read>
void ReadAsXALError(Read&& read) {
  try {
    read();
  } catch (const EXALError&) {
    throw;
  } catch (const EConvertError& error) {
    throw EXALError(error.what());
  }
}

}  // namespace xal
