// Named blocks of shared memory backed by the paging file, which another process can open by
// their name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace xal {

// A mapped view of a whole block; unmapped and closed when released.
class ISharedBlock {
 public:
  virtual ~ISharedBlock() = default;
  virtual std::uint8_t* View() = 0;
  // The size of the block as it exists, which is the size of its first creation when another
  // process created it earlier.
  virtual std::size_t Size() const = 0;
};

class ISharedMemory {
 public:
  virtual ~ISharedMemory() = default;
  // Creates the block, or opens the existing block of that name, readable and writable, and
  // maps all of it. Raises EXALError when that fails.
  virtual std::unique_ptr<ISharedBlock> CreateOrOpen(const std::string& name, std::size_t size) = 0;
};

}  // namespace xal
