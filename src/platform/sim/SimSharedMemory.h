// Named shared blocks in memory. A block lives while any handle to it is held, by the program
// or by another process that a test plays; opening an existing block gives it with the size of
// its first creation, as the platform does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/SharedMemory.h"

namespace xal::sim {

class SimSharedMemory : public ISharedMemory {
 public:
  std::unique_ptr<ISharedBlock> CreateOrOpen(const std::string& name, std::size_t size) override;

  // Another process opens the block (creating it with this size when missing) and keeps it
  // until ReleaseElsewhere.
  void HoldElsewhere(const std::string& name, std::size_t size);
  void ReleaseElsewhere(const std::string& name);
  // Every CreateOrOpen raises an error, as when the paging file is exhausted.
  void SetFailing(bool failing) { failing_ = failing; }

  bool Exists(const std::string& name) const;
  // The bytes of a living block; nullopt when there is none.
  std::optional<std::vector<std::uint8_t>> Contents(const std::string& name) const;
  std::size_t OpenCount() const { return openCount_; }

  struct Block {
    explicit Block(std::size_t length) : bytes(new std::uint8_t[length]()), size(length) {}
    // Exactly the size, so that the sanitizer catches a write past the end.
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size;
  };

 private:
  std::shared_ptr<Block> Acquire(const std::string& name, std::size_t size);

  std::map<std::string, std::weak_ptr<Block>> blocks_;
  std::map<std::string, std::shared_ptr<Block>> heldElsewhere_;
  bool failing_ = false;
  std::size_t openCount_ = 0;
};

}  // namespace xal::sim
