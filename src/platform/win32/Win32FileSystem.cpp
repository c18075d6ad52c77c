#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
// windows.h first: shlobj.h needs its types.
#include <shlobj.h>

#include <algorithm>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!IsValid()) {
      return true;
    }
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

[[noreturn]] void Raise(const char* what, const std::string& path, DWORD code) {
  throw EXALError(std::string(what) + " \"" + path + "\". " + SystemErrorText(code));
}

// The folder part with its separator ("C:\" stays the root, not the current folder of C:).
std::wstring FolderOf(const std::wstring& path) {
  const auto separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring(L".") : path.substr(0, separator + 1);
}

bool IsFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Writes everything and makes it durable; 0 on success, else the error code.
DWORD WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data() + offset, chunk, &written, nullptr)) {
      return GetLastError();
    }
    offset += written;
  }
  if (!FlushFileBuffers(file)) {
    return GetLastError();
  }
  return 0;
}

}  // namespace

Win32FileMoves Win32FileMoves::System() {
  return {[](const std::wstring& replaced, const std::wstring& replacement,
             const std::wstring& backup) {
            return ReplaceFileW(replaced.c_str(), replacement.c_str(), backup.c_str(),
                                REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                                nullptr, nullptr) != FALSE;
          },
          [](const std::wstring& from, const std::wstring& to, bool replaceExisting) {
            const DWORD flags =
                MOVEFILE_WRITE_THROUGH | (replaceExisting ? MOVEFILE_REPLACE_EXISTING : DWORD{0});
            return MoveFileExW(from.c_str(), to.c_str(), flags) != FALSE;
          }};
}

bool Win32FileSystem::FileExists(const std::string& path) const {
  return IsFile(Widen(path));
}

std::string Win32FileSystem::ReadFile(const std::string& path) const {
  // Others may read it meanwhile, and our own atomic write may rename over it.
  FileHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.IsValid()) {
    Raise("Cannot open file", path, GetLastError());
  }
  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.Get(), &size) && size.QuadPart > 0) {
    bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  }
  // Read to the end rather than trusting the size: the file may grow meanwhile.
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
      Raise("Cannot read file", path, GetLastError());
    }
    if (read == 0) {
      break;
    }
    bytes.append(buffer, read);
  }
  return bytes;
}

void Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes,
                                      bool replaceExisting) {
  const std::wstring target = Widen(path);
  const std::wstring folder = FolderOf(target);
  // GetTempFileNameW would only say "The directory name is invalid".
  if (!IsFolder(folder)) {
    Raise("Cannot create file", path, ERROR_PATH_NOT_FOUND);
  }
  wchar_t temporary[MAX_PATH];
  // Same folder, so that the final rename never copies across volumes.
  if (GetTempFileNameW(folder.c_str(), L"xal", 0, temporary) == 0) {
    Raise("Cannot create file", path, GetLastError());
  }

  DWORD error = 0;
  {
    FileHandle file(CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
      error = GetLastError();
    } else if ((error = WriteAll(file.Get(), bytes)) == 0 && !file.Close()) {
      error = GetLastError();
    }
  }
  if (error != 0) {
    DeleteFileW(temporary);
    Raise("Cannot write file", path, error);
  }

  if (replaceExisting && IsFile(target)) {
    Replace(path, target, temporary);
    return;
  }
  // Without replacing, the move fails on an existing file, which stays as it is.
  if (!moves_.Move(temporary, target, replaceExisting)) {
    error = GetLastError();
    DeleteFileW(temporary);
    Raise("Cannot create file", path, error);
  }
}

void Win32FileSystem::Replace(const std::string& path, const std::wstring& target,
                              const std::wstring& temporary) {
  // Given a backup name, ReplaceFileW never leaves the old file under a name nobody knows,
  // whichever step fails.
  wchar_t backup[MAX_PATH];
  if (GetTempFileNameW(FolderOf(target).c_str(), L"xab", 0, backup) == 0) {
    const DWORD error = GetLastError();
    DeleteFileW(temporary.c_str());
    Raise("Cannot write file", path, error);
  }
  // ReplaceFileW keeps the old file's attributes, owner and access rights.
  if (moves_.Replace(target, temporary, backup)) {
    DeleteFileW(backup);
    return;
  }
  DWORD error = GetLastError();
  bool moved = !IsFile(temporary) && IsFile(target);  // failed after the new file was in place
  if (!moved) {
    // A plain rename is the second way: over the old file when it is still in place, else into
    // the name it has left (the old file is then in the backup).
    const bool oldInPlace = IsFile(target);
    moved = moves_.Move(temporary, target, oldInPlace);
    if (!moved) {
      error = GetLastError();
    }
  }
  if (moved) {
    DeleteFileW(backup);
    return;
  }
  if (IsFile(target)) {
    // The old file is whole under its own name; the copies are not needed.
    DeleteFileW(temporary.c_str());
    DeleteFileW(backup);
    Raise("Cannot write file", path, error);
  }
  // Nothing under the file's name: every copy stays, and the message says where they are.
  std::string where;
  if (IsFile(temporary)) {
    where += " The new data is in \"" + Narrow(temporary) + "\".";
  }
  if (IsFile(backup)) {
    where += " The old file is kept as \"" + Narrow(backup) + "\".";
  }
  throw EXALError("Cannot write file \"" + path + "\". " + SystemErrorText(error) + where);
}

bool Win32FileSystem::ForceDirectories(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  const std::wstring wide = Widen(path);
  // SHCreateDirectoryExW wants a full path; it creates every missing folder of it.
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) {
    return false;
  }
  std::wstring full(length, L'\0');
  const DWORD written = GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
  if (written == 0 || written >= length) {
    return false;
  }
  full.resize(written);
  SHCreateDirectoryExW(nullptr, full.c_str(), nullptr);
  // Whatever it answered (it also fails for folders that exist), a folder must be there now.
  return IsFolder(full);
}

}  // namespace xal::win32
