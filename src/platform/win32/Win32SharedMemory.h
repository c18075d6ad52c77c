// Named blocks in the paging file (file mappings without a file of their own).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/SharedMemory.h"

namespace xal::win32 {

class Win32SharedMemory : public ISharedMemory {
 public:
  Win32SharedMemory() = default;

  std::unique_ptr<ISharedBlock> CreateOrOpen(const std::string& name, std::size_t size) override;
};

}  // namespace xal::win32
