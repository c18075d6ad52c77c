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
  std::size_t actual = size;
  if (existed) {
    // The block keeps the size of its first creation, which the system does not report; the view
    // covers whole pages of it, so the region's size is the most that can be touched safely.
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(view, &region, sizeof region) == 0) {
      const DWORD error = GetLastError();
      UnmapViewOfFile(view);
      CloseHandle(mapping);
      Raise(name, error);
    }
    actual = region.RegionSize;
  }
  return std::make_unique<Win32SharedBlock>(mapping, view, actual);
}

}  // namespace xal::win32
