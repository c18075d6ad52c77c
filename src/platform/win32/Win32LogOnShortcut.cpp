#include "platform/win32/Win32LogOnShortcut.h"

#include <windows.h>
// windows.h first: the shell and COM headers need its types.
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>
#include <memory>
#include <string>

#include "catalogue/XALErrors.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

// The program's thread has COM already; a caller without it gets it for the call. A thread
// in the multithreaded apartment keeps it: the shell link works there as well.
class ComForCall {
 public:
  ComForCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComForCall() {
    if (SUCCEEDED(result_)) {
      CoUninitialize();
    }
  }
  ComForCall(const ComForCall&) = delete;
  ComForCall& operator=(const ComForCall&) = delete;

 private:
  HRESULT result_;
};

struct ComRelease {
  void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComPtr = std::unique_ptr<T, ComRelease>;

std::string HresultText(HRESULT code) {
  if (HRESULT_FACILITY(code) == FACILITY_WIN32) {
    return SystemErrorText(HRESULT_CODE(code));
  }
  const std::string text = SystemMessage(static_cast<unsigned long>(code));
  if (!text.empty()) {
    return text;
  }
  char number[32];
  std::snprintf(number, sizeof number, "Error 0x%08X.", static_cast<unsigned>(code));
  return number;
}

[[noreturn]] void Raise(const std::string& what, const std::wstring& path,
                        const std::string& reason) {
  throw EXALError(what + " \"" + Narrow(path) + "\". " + reason);
}

void Check(HRESULT code, const char* what, const std::wstring& path) {
  if (FAILED(code)) {
    Raise(what, path, HresultText(code));
  }
}

std::wstring ProgramFile() {
  // Long paths exist; the name is cut when the buffer is too small, so ask again with more.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      throw EXALError("Cannot find the program's own file. " + SystemErrorText(GetLastError()));
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) {
      throw EXALError("Cannot find the program's own file. " +
                      SystemErrorText(ERROR_INSUFFICIENT_BUFFER));
    }
    path.resize(path.size() * 2);
  }
}

std::size_t FileNameStart(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

// Without the trailing separator, unless it is a drive's root ("C:\").
std::wstring FolderOf(const std::wstring& path) {
  std::wstring folder = path.substr(0, FileNameStart(path));
  if (folder.size() > 1 && (folder.back() == L'\\' || folder.back() == L'/') &&
      folder[folder.size() - 2] != L':') {
    folder.pop_back();
  }
  return folder;
}

// Only registering makes the folder when a profile lacks it.
std::wstring ShortcutPath(const std::wstring& program, bool makeFolder) {
  PWSTR folder = nullptr;
  const HRESULT found = SHGetKnownFolderPath(
      FOLDERID_Startup, makeFolder ? KF_FLAG_CREATE : KF_FLAG_DEFAULT, nullptr, &folder);
  std::wstring path = SUCCEEDED(found) && folder != nullptr ? folder : L"";
  CoTaskMemFree(folder);
  if (FAILED(found)) {
    throw EXALError("Cannot find the Startup folder. " + HresultText(found));
  }
  if (!path.empty() && path.back() != L'\\') {
    path += L'\\';
  }
  std::wstring name = program.substr(FileNameStart(program));
  const std::size_t extension = name.find_last_of(L'.');
  if (extension != std::wstring::npos) {
    name.erase(extension);
  }
  return path + name + L".lnk";
}

}  // namespace

bool Win32LogOnShortcut::IsRegistered() const {
  std::wstring path;
  try {
    path = ShortcutPath(ProgramFile(), false);
  } catch (const EXALError&) {
    return false;
  }
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void Win32LogOnShortcut::Register() {
  const ComForCall com;
  const std::wstring program = ProgramFile();
  const std::wstring path = ShortcutPath(program, true);

  IShellLinkW* link = nullptr;
  Check(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                         reinterpret_cast<void**>(&link)),
        "Cannot make the shortcut", path);
  const ComPtr<IShellLinkW> shellLink(link);
  Check(shellLink->SetPath(program.c_str()), "Cannot make the shortcut", path);
  Check(shellLink->SetWorkingDirectory(FolderOf(program).c_str()), "Cannot make the shortcut",
        path);

  IPersistFile* file = nullptr;
  Check(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)),
        "Cannot save the shortcut", path);
  const ComPtr<IPersistFile> persistFile(file);
  // Saving replaces a shortcut of that name.
  Check(persistFile->Save(path.c_str(), TRUE), "Cannot save the shortcut", path);
}

void Win32LogOnShortcut::Unregister() {
  const std::wstring path = ShortcutPath(ProgramFile(), false);
  if (DeleteFileW(path.c_str())) {
    return;
  }
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) {
    Raise("Cannot delete the shortcut", path, SystemErrorText(error));
  }
}

}  // namespace xal::win32
