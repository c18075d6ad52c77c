// The file system as the program needs it. Paths are UTF-8 texts with "\" separators, as on
// Windows; the simulated file system compares them without regard to letter case, as Windows
// does.
#pragma once

#include <string>

namespace xal {

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  virtual bool FileExists(const std::string& path) const = 0;
  // The whole file. Raises EXALError naming the file and the system's reason.
  virtual std::string ReadFile(const std::string& path) const = 0;
  // Writes the file so that a crash or a full disk part-way leaves the old file whole: the
  // bytes go to a temporary file in the same folder, which then takes the file's place. With
  // replaceExisting false an existing file is never touched and the call fails instead.
  // Raises EXALError naming the file and the system's reason.
  virtual void WriteFileAtomic(const std::string& path, const std::string& bytes,
                               bool replaceExisting = true) = 0;
  // Creates every missing folder of the path; false when that failed.
  virtual bool ForceDirectories(const std::string& path) = 0;
};

}  // namespace xal
