#include "platform/sim/SimFileSystem.h"

#include <algorithm>
#include <cctype>

#include "catalogue/XALErrors.h"

namespace xal::sim {
namespace {

std::string ParentFolder(const std::string& key) {
  const auto slash = key.find_last_of('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

bool StartsWithFolder(const std::string& key, const std::string& folder) {
  return key == folder ||
         (key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
          key[folder.size()] == '\\');
}

}  // namespace

std::string SimFileSystem::Key(const std::string& path) {
  std::string key = path;
  std::replace(key.begin(), key.end(), '/', '\\');
  while (key.size() > 1 && key.back() == '\\') {
    key.pop_back();
  }
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

bool SimFileSystem::FileExists(const std::string& path) const {
  return files_.count(Key(path)) != 0;
}

std::string SimFileSystem::ReadFile(const std::string& path) const {
  const std::string key = Key(path);
  for (const std::string& denied : deniedReads_) {
    if (StartsWithFolder(key, denied)) {
      throw EXALError("Cannot open file \"" + path +
                      "\". The process cannot access the file because it is being used by "
                      "another process.");
    }
  }
  const auto it = files_.find(key);
  if (it == files_.end()) {
    throw EXALError("Cannot open file \"" + path +
                    "\". The system cannot find the file specified.");
  }
  return it->second;
}

void SimFileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes,
                                    bool replaceExisting) {
  const std::string key = Key(path);
  if (!FolderExists(ParentFolder(key))) {
    throw EXALError("Cannot create file \"" + path +
                    "\". The system cannot find the path specified.");
  }
  if (!replaceExisting && files_.count(key) != 0) {
    throw EXALError("Cannot create file \"" + path + "\". The file exists.");
  }
  if (failNextWriteAfter_) {
    failNextWriteAfter_.reset();
    // The temporary file took the partial bytes and was removed; the file itself is untouched.
    throw EXALError("Cannot write file \"" + path + "\". There is not enough space on the disk.");
  }
  files_[key] = bytes;
  ++writes_;
}

bool SimFileSystem::ForceDirectories(const std::string& path) {
  std::string key = Key(path);
  for (const std::string& denied : deniedFolders_) {
    if (StartsWithFolder(key, denied)) {
      return false;
    }
  }
  while (!key.empty()) {
    folders_.insert(key);
    key = ParentFolder(key);
  }
  return true;
}

void SimFileSystem::PutFile(const std::string& path, std::string bytes) {
  const std::string key = Key(path);
  ForceDirectories(ParentFolder(key));
  files_[key] = std::move(bytes);
}

std::optional<std::string> SimFileSystem::FileBytes(const std::string& path) const {
  const auto it = files_.find(Key(path));
  if (it == files_.end()) {
    return std::nullopt;
  }
  return it->second;
}

bool SimFileSystem::FolderExists(const std::string& path) const {
  const std::string key = Key(path);
  return key.empty() || folders_.count(key) != 0;
}

void SimFileSystem::RemoveFile(const std::string& path) {
  files_.erase(Key(path));
}

void SimFileSystem::DenyRead(const std::string& path) {
  deniedReads_.insert(Key(path));
}

void SimFileSystem::FailNextWriteAfter(std::size_t bytes) {
  failNextWriteAfter_ = bytes;
}

void SimFileSystem::DenyCreateFolders(const std::string& path) {
  deniedFolders_.insert(Key(path));
}

}  // namespace xal::sim
