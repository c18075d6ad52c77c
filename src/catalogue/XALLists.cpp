#include "catalogue/XALLists.h"

namespace xal {
namespace {

char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool SameText(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

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
