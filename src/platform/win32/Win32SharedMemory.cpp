#include "platform/win32/Win32SharedMemory.h"

#include <windows.h>

#include <cstdint>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

class Win32SharedBlock : public ISharedBlock {
 public:
  Win32SharedBlock(HANDLE mapping, void* view, std::size_t size)
      : mapping_(mapping), view_(static_cast<std::uint8_t*>(view)), size_(size) {}
  ~Win32SharedBlock() override {
    UnmapViewOfFile(view_);
    CloseHandle(mapping_);
  }
  Win32SharedBlock(const Win32SharedBlock&) = delete;
  Win32SharedBlock& operator=(const Win32SharedBlock&) = delete;

  std::uint8_t* View() override { return view_; }
  std::size_t Size() const override { return size_; }

 private:
  HANDLE mapping_;
  std::uint8_t* view_;
  std::size_t size_;
};

[[noreturn]] void Raise(const std::string& name, DWORD error) {
  throw EXALError("The shared memory block \"" + name +
                  "\" can't be opened: " + SystemErrorText(error));
}

}  // namespace

std::size_t CommittedBytesAt(const void* view) {
  MEMORY_BASIC_INFORMATION region{};
  if (view == nullptr || VirtualQuery(view, &region, sizeof region) == 0 ||
      region.State != MEM_COMMIT || (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0) {
    return 0;
  }
  // The region starts at its base, which is the view's start for a view; count from the view.
  const auto start = reinterpret_cast<std::uintptr_t>(view);
  const auto base = reinterpret_cast<std::uintptr_t>(region.BaseAddress);
  return region.RegionSize - static_cast<std::size_t>(start - base);
}

std::unique_ptr<ISharedBlock> Win32SharedMemory::CreateOrOpen(const std::string& name,
                                                              std::size_t size) {
  const std::uint64_t wanted = size;
  const HANDLE mapping = CreateFileMappingW(
      INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(wanted >> 32),
      static_cast<DWORD>(wanted & 0xFFFFFFFFu), Widen(name).c_str());
  if (mapping == nullptr) {
    Raise(name, GetLastError());
  }
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  if (view == nullptr) {
    const DWORD error = GetLastError();
    CloseHandle(mapping);
    Raise(name, error);
  }
  // A block that existed may have been made by anyone, with as little memory as they liked; it
  // keeps the size of its first creation, which the system does not report, so what is committed
  // of the view is the most that can be touched. A block made here is checked all the same.
  const std::size_t committed = CommittedBytesAt(view);
  if (committed == 0 || (!existed && committed < size)) {
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    throw EXALError("The shared memory block \"" + name +
                    "\" can't be used: another program created it without memory behind it.");
  }
  const std::size_t actual = existed ? committed : size;
  return std::make_unique<Win32SharedBlock>(mapping, view, actual);
}

}  // namespace xal::win32
