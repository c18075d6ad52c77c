// The file system of Windows, through the wide-character functions so that any file name works.
#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace xal::win32 {

class Win32FileSystem : public IFileSystem {
 public:
  Win32FileSystem() = default;

  bool FileExists(const std::string& path) const override;
  std::string ReadFile(const std::string& path) const override;
  void WriteFileAtomic(const std::string& path, const std::string& bytes,
                       bool replaceExisting = true) override;
  bool ForceDirectories(const std::string& path) override;
};

}  // namespace xal::win32
