#include "catalogue/XALXmlRead.h"

#include "catalogue/XALNumbers.h"

namespace xal {

const std::string& RequiredAttribute(const xml::Node& element, std::string_view name) {
  const std::string* value = element.FindAttribute(name);
  if (value == nullptr) {
    throw EConvertError("The element " + element.Name() + " has no attribute " + std::string(name) +
                        ", which it requires.");
  }
  return *value;
}

void ReadTextAttribute(const xml::Node& element, std::string_view name, std::string& field) {
  if (const std::string* value = element.FindAttribute(name)) {
    field = *value;
  }
}

TXALRect ReadRectangle(const xml::Node& element) {
  const auto number = [&element](std::string_view name, int absent) {
    const std::string* value = element.FindAttribute(name);
    return value == nullptr ? absent : LenientStrToInt(*value);
  };
  TXALRect rect;
  rect.Left = number("Left", 0);
  rect.Top = number("Top", 0);
  rect.Right = number("Right", rect.Left);
  rect.Bottom = number("Bottom", rect.Top);
  if (const std::string* width = element.FindAttribute("Width")) {
    rect.Right = WrapAdd(rect.Left, LenientStrToInt(*width));
  }
  if (const std::string* height = element.FindAttribute("Height")) {
    rect.Bottom = WrapAdd(rect.Top, LenientStrToInt(*height));
  }
  return rect;
}

}  // namespace xal
