#include "platform/sim/SimSharedMemory.h"

#include <utility>

#include "catalogue/XALErrors.h"

namespace xal::sim {

namespace {

class SimSharedBlock : public ISharedBlock {
 public:
  explicit SimSharedBlock(std::shared_ptr<SimSharedMemory::Block> block)
      : block_(std::move(block)) {}
  std::uint8_t* View() override { return block_->bytes.get(); }
  std::size_t Size() const override { return block_->size; }

 private:
  std::shared_ptr<SimSharedMemory::Block> block_;
};

}  // namespace

std::shared_ptr<SimSharedMemory::Block> SimSharedMemory::Acquire(const std::string& name,
                                                                 std::size_t size) {
  if (std::shared_ptr<Block> existing = blocks_[name].lock()) {
    return existing;
  }
  if (size == 0) {
    // The paging file gives no block of size zero.
    throw EXALError("The shared block " + name + " can't be created with size 0.");
  }
  auto block = std::make_shared<Block>(size);
  blocks_[name] = block;
  return block;
}

std::unique_ptr<ISharedBlock> SimSharedMemory::CreateOrOpen(const std::string& name,
                                                            std::size_t size) {
  ++openCount_;
  if (failing_) {
    throw EXALError("The shared block " + name + " can't be created.");
  }
  return std::make_unique<SimSharedBlock>(Acquire(name, size));
}

void SimSharedMemory::HoldElsewhere(const std::string& name, std::size_t size) {
  heldElsewhere_[name] = Acquire(name, size);
}

void SimSharedMemory::ReleaseElsewhere(const std::string& name) {
  heldElsewhere_.erase(name);
}

bool SimSharedMemory::Exists(const std::string& name) const {
  const auto found = blocks_.find(name);
  return found != blocks_.end() && !found->second.expired();
}

std::optional<std::vector<std::uint8_t>> SimSharedMemory::Contents(const std::string& name) const {
  const auto found = blocks_.find(name);
  if (found == blocks_.end()) {
    return std::nullopt;
  }
  const std::shared_ptr<Block> block = found->second.lock();
  if (!block) {
    return std::nullopt;
  }
  return std::vector<std::uint8_t>(block->bytes.get(), block->bytes.get() + block->size);
}

}  // namespace xal::sim
