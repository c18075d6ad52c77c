// Named blocks in the paging file (file mappings without a file of their own).
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/SharedMemory.h"

namespace xal::win32 {

// How many bytes from `view` on are committed memory that can be touched: 0 when the view's
// pages are only reserved. Another process may create a block's name first, with memory it
// never commits; touching such a view faults.
std::size_t CommittedBytesAt(const void* view);

class Win32SharedMemory : public ISharedMemory {
 public:
  Win32SharedMemory() = default;

  std::unique_ptr<ISharedBlock> CreateOrOpen(const std::string& name, std::size_t size) override;
};

}  // namespace xal::win32
