// The file system of Windows, through the wide-character functions so that any file name works.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "platform/FileSystem.h"

namespace xal::win32 {

// The two calls that put a written file in place, replaceable so that tests can make them fail
// the ways a real desktop does (a virus scanner or an indexer holding the file at the wrong
// moment). Each returns false and leaves the reason in GetLastError when it fails.
struct Win32FileMoves {
  // ReplaceFileW: the replacement takes the replaced file's name; the old file goes to backup.
  std::function<bool(const std::wstring& replaced, const std::wstring& replacement,
                     const std::wstring& backup)>
      Replace;
  // MoveFileExW, written through.
  std::function<bool(const std::wstring& from, const std::wstring& to, bool replaceExisting)> Move;

  static Win32FileMoves System();
};

class Win32FileSystem : public IFileSystem {
 public:
  Win32FileSystem() : Win32FileSystem(Win32FileMoves::System()) {}
  explicit Win32FileSystem(Win32FileMoves moves) : moves_(std::move(moves)) {}

  bool FileExists(const std::string& path) const override;
  std::string ReadFile(const std::string& path) const override;
  void WriteFileAtomic(const std::string& path, const std::string& bytes,
                       bool replaceExisting = true) override;
  bool ForceDirectories(const std::string& path) override;

 private:
  void Replace(const std::string& path, const std::wstring& target, const std::wstring& temporary);

  Win32FileMoves moves_;
};

}  // namespace xal::win32
