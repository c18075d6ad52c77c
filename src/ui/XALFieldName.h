// A label's caption as the name of its field in a message ("Default gateway:" gives "Default
// gateway"), for refusals that say which field holds the fault.
#pragma once

#include <string>

namespace xal {

inline std::string FieldName(std::string caption) {
  while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) {
    caption.pop_back();
  }
  return caption;
}

}  // namespace xal
