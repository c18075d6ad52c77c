// The list types of the catalogue: plain string lists, lists that only refer to items owned
// elsewhere, and the collections that own their items.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/SameText.h"
#include "catalogue/XALComponent.h"
#include "catalogue/XALErrors.h"

namespace xal {

// Raises EListIndexError "List index out of bounds (<index>)".
[[noreturn]] void RaiseListIndexError(int index);

inline void CheckListIndex(int index, std::size_t count) {
  if (index < 0 || static_cast<std::size_t>(index) >= count) {
    RaiseListIndexError(index);
  }
}

// Moves the entry at from to position to, shifting the entries between.
template <typename Vector>
void MoveListEntry(Vector& entries, int from, int to) {
  CheckListIndex(from, entries.size());
  CheckListIndex(to, entries.size());
  const auto first = entries.begin();
  if (from < to) {
    std::rotate(first + from, first + from + 1, first + to + 1);
  } else if (to < from) {
    std::rotate(first + to, first + from, first + from + 1);
  }
}

// An ordered list of texts, unsorted, duplicates allowed. Comparing two lists is exact; looking
// a text up ignores letter case.
class TXALStringList {
 public:
  int Count() const { return static_cast<int>(strings_.size()); }
  const std::string& Items(int index) const {
    CheckListIndex(index, strings_.size());
    return strings_[static_cast<std::size_t>(index)];
  }
  std::string& Items(int index) {
    CheckListIndex(index, strings_.size());
    return strings_[static_cast<std::size_t>(index)];
  }
  int Add(std::string text) {
    strings_.push_back(std::move(text));
    return Count() - 1;
  }
  void Delete(int index) {
    CheckListIndex(index, strings_.size());
    strings_.erase(strings_.begin() + index);
  }
  void Move(int from, int to) { MoveListEntry(strings_, from, to); }
  void Clear() { strings_.clear(); }
  // The first entry equal to text when letter case is ignored, or -1.
  int IndexOf(std::string_view text) const;
  bool Equals(const TXALStringList& other) const { return strings_ == other.strings_; }

  auto begin() const { return strings_.begin(); }
  auto end() const { return strings_.end(); }

 private:
  std::vector<std::string> strings_;
};

// An ordered list of values that owns nothing: pointers to items another list owns, or window
// handles. Destroying or clearing it leaves what the values refer to alone.
template <typename T>
class TXALPlainList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  T Items(int index) const {
    CheckListIndex(index, items_.size());
    return items_[static_cast<std::size_t>(index)];
  }
  int Add(T value) {
    items_.push_back(value);
    return Count() - 1;
  }
  // The first position of value, or -1.
  int IndexOf(T value) const {
    const auto it = std::find(items_.begin(), items_.end(), value);
    return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
  }
  void Delete(int index) {
    CheckListIndex(index, items_.size());
    items_.erase(items_.begin() + index);
  }
  void Clear() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<T> items_;
};

class TXALSet;
class TXALTargetIPSetting;
class TXALApp;
// One adapter's IPv4 configuration as last read; defined with the adapter probe.
class TXALIPStatus;

using TXALSetList = TXALPlainList<TXALSet*>;
using TXALTargetIPSettingList = TXALPlainList<TXALTargetIPSetting*>;
using TXALIPStatusList = TXALPlainList<TXALIPStatus*>;
using TXALAppList = TXALPlainList<TXALApp*>;
// Window handles, kept as numbers so that the list needs no system header.
using TXALHandleList = TXALPlainList<std::uintptr_t>;

// An ordered list that owns its items. T is a catalogue class constructed from an owner and
// offering Assign and Equals. The derived collection supplies its own Clear, Assign and Equals
// with these helpers.
template <typename T>
class TXALCollection {
 public:
  explicit TXALCollection(TXALComponent* owner) : Owner(owner) {}
  TXALCollection(const TXALCollection&) = delete;
  TXALCollection& operator=(const TXALCollection&) = delete;
  ~TXALCollection() = default;

  TXALComponent* Owner;

  int Count() const { return static_cast<int>(items_.size()); }
  T& Items(int index) {
    CheckListIndex(index, items_.size());
    return *items_[static_cast<std::size_t>(index)];
  }
  const T& Items(int index) const {
    CheckListIndex(index, items_.size());
    return *items_[static_cast<std::size_t>(index)];
  }
  // Appends the item and takes it over; the index it got.
  int Add(std::unique_ptr<T> item) {
    if (!item) {
      throw EXALError("An empty item can not be added to a list.");
    }
    items_.push_back(std::move(item));
    return Count() - 1;
  }
  // Removes the entry and destroys its item.
  void Delete(int index) {
    CheckListIndex(index, items_.size());
    items_.erase(items_.begin() + index);
  }
  void Move(int from, int to) { MoveListEntry(items_, from, to); }

 protected:
  void ClearItems() { items_.clear(); }

  // Copies of the source's items, made with this collection's own Owner.
  void AssignItems(const TXALCollection& source) {
    if (&source == this) {
      return;
    }
    std::vector<std::unique_ptr<T>> copies;
    copies.reserve(source.items_.size());
    for (const auto& item : source.items_) {
      auto copy = std::make_unique<T>(Owner);
      copy->Assign(*item);
      copies.push_back(std::move(copy));
    }
    items_ = std::move(copies);
  }

  bool ItemsEqual(const TXALCollection& other) const {
    if (items_.size() != other.items_.size()) {
      return false;
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (!items_[i]->Equals(*other.items_[i])) {
        return false;
      }
    }
    return true;
  }

 private:
  std::vector<std::unique_ptr<T>> items_;
};

}  // namespace xal
