// A label's caption as the name of its field in a message ("Default gateway:" gives "Default
// gateway"), for refusals that say which field holds the fault.
#pragma once

#include <string>

#include "ui/XALCaption.h"

namespace xal {

inline std::string FieldName(std::string_view label) {
  std::string caption = CaptionWithoutAccessKey(label);
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) {
    caption.pop_back();
  }
  return caption;
}

}  // namespace xal
