#include "catalogue/XALLists.h"

namespace xal {
void RaiseListIndexError(int index) {
  throw EListIndexError("List index out of bounds (" + std::to_string(index) + ")");
}

int TXALStringList::IndexOf(std::string_view text) const {
  for (std::size_t i = 0; i < strings_.size(); ++i) {
    if (SameText(strings_[i], text)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace xal
