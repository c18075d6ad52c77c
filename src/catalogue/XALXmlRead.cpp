#include "catalogue/XALXmlRead.h"

#include "catalogue/XALNumbers.h"

namespace xal {

std::string_view RequiredAttribute(const xml::Node& element, std::string_view name) {
  const std::optional<std::string_view> value = element.FindAttribute(name);
  if (!value) {
    throw EConvertError("The element " + std::string(element.Name()) + " has no attribute " +
                        std::string(name) + ", which it requires.");
  }
  return *value;
}

void ReadTextAttribute(const xml::Node& element, std::string_view name, std::string& field) {
  if (const std::optional<std::string_view> value = element.FindAttribute(name)) {
    field = *value;
  }
}

TXALRect ReadRectangle(const xml::Node& element) {
  const auto number = [&element](std::string_view name, int absent) {
    const std::optional<std::string_view> value = element.FindAttribute(name);
    return value ? LenientStrToInt(*value) : absent;
  };
  TXALRect rect;
  rect.Left = number("Left", 0);
  rect.Top = number("Top", 0);
  rect.Right = number("Right", rect.Left);
  rect.Bottom = number("Bottom", rect.Top);
  if (const auto width = element.FindAttribute("Width")) {
    rect.Right = WrapAdd(rect.Left, LenientStrToInt(*width));
  }
  if (const auto height = element.FindAttribute("Height")) {
    rect.Bottom = WrapAdd(rect.Top, LenientStrToInt(*height));
  }
  return rect;
}

}  // namespace xal
