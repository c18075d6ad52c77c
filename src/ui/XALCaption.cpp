#include "ui/XALCaption.h"

namespace xal {

std::string CaptionWithoutAccessKey(std::string_view caption) {
  std::string title;
  title.reserve(caption.size());
  for (std::size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (c == '(' && i + 3 < caption.size() && caption[i + 1] == '&' && caption[i + 2] != '&' &&
        caption[i + 3] == ')') {
      i += 3;
    } else if (c == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') {
        title += '&';
        ++i;
      }
    } else {
      title += c;
    }
  }
  return title;
}

}  // namespace xal
