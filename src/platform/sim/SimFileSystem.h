// An in-memory file system for tests and scenario runs. Paths compare without regard to
// letter case; a folder exists once it was created or a file below it was written.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace xal::sim {

class SimFileSystem : public IFileSystem {
 public:
  bool FileExists(const std::string& path) const override;
  std::string ReadFile(const std::string& path) const override;
  void WriteFileAtomic(const std::string& path, const std::string& bytes,
                       bool replaceExisting = true) override;
  bool ForceDirectories(const std::string& path) override;

  // Test set-up and inspection.
  void PutFile(const std::string& path, std::string bytes);
  std::optional<std::string> FileBytes(const std::string& path) const;
  bool FolderExists(const std::string& path) const;
  void RemoveFile(const std::string& path);
  // Files under this folder can't be opened for reading (as when another program holds them).
  void DenyRead(const std::string& path);
  // The next write fails after this many bytes, as a full disk would; the old file stays.
  void FailNextWriteAfter(std::size_t bytes);
  // Folders under this path can't be created.
  void DenyCreateFolders(const std::string& path);
  int WriteCount() const { return writes_; }

 private:
  static std::string Key(const std::string& path);

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_;
  std::set<std::string> deniedReads_;
  std::set<std::string> deniedFolders_;
  std::optional<std::size_t> failNextWriteAfter_;
  int writes_ = 0;
};

}  // namespace xal::sim
