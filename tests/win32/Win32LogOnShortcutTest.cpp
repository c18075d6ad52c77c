// The log-on shortcut, made for the test program itself in the Startup folder of the prefix.
#include <gtest/gtest.h>
#include <windows.h>
// windows.h first: the shell headers need its types.
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ComApartment.h"
#include "catalogue/XALErrors.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32LogOnShortcut.h"

namespace xal::win32 {
namespace {

std::wstring ProgramPath() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  return std::wstring(path, length);
}

std::wstring StartupFolder() {
  PWSTR folder = nullptr;
  EXPECT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr, &folder)));
  std::wstring path = folder != nullptr ? folder : L"";
  CoTaskMemFree(folder);
  return path + L"\\";
}

// "xal_win_tests.lnk" for "...\xal_win_tests.exe".
std::wstring ExpectedName() {
  std::wstring name = ProgramPath();
  name.erase(0, name.find_last_of(L'\\') + 1);
  return name.substr(0, name.find_last_of(L'.')) + L".lnk";
}

std::vector<std::wstring> ShortcutsIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"*.lnk").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct LinkRead {
  std::wstring target;
  std::wstring workingFolder;
};

LinkRead ReadLink(const std::wstring& path) {
  LinkRead read;
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    ADD_FAILURE() << "no shell link object";
    return read;
  }
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    EXPECT_TRUE(SUCCEEDED(file->Load(path.c_str(), STGM_READ)));
    wchar_t text[MAX_PATH * 2] = {};
    EXPECT_TRUE(SUCCEEDED(link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH)));
    read.target = text;
    wchar_t folder[MAX_PATH * 2] = {};
    EXPECT_TRUE(SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH * 2)));
    read.workingFolder = folder;
    file->Release();
  }
  link->Release();
  return read;
}

class Win32LogOnShortcut : public ::testing::Test {
 protected:
  // A shortcut left by an earlier run would hide what these tests make.
  void SetUp() override {
    ASSERT_TRUE(com.Ok());
    shortcut.Unregister();
  }
  void TearDown() override {
    RemoveDirectoryW(path.c_str());
    shortcut.Unregister();
  }

  ComApartment com;
  win32::Win32LogOnShortcut shortcut;
  const std::wstring folder = StartupFolder();
  const std::wstring path = folder + ExpectedName();
};

TEST_F(Win32LogOnShortcut, RegisteringTwiceLeavesOneShortcutToTheProgramInItsFolder) {
  const std::vector<std::wstring> before = ShortcutsIn(folder);
  EXPECT_FALSE(shortcut.IsRegistered());

  shortcut.Register();
  shortcut.Register();
  const std::vector<std::wstring> after = ShortcutsIn(folder);
  EXPECT_EQ(after.size(), before.size() + 1);
  EXPECT_NE(std::find(after.begin(), after.end(), ExpectedName()), after.end());
  EXPECT_TRUE(shortcut.IsRegistered());

  const LinkRead link = ReadLink(path);
  const std::wstring program = ProgramPath();
  EXPECT_TRUE(SamePath(link.target, program)) << Narrow(link.target);
  EXPECT_TRUE(SamePath(link.workingFolder, program.substr(0, program.find_last_of(L'\\'))))
      << Narrow(link.workingFolder);

  shortcut.Unregister();
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_FALSE(shortcut.IsRegistered());
  EXPECT_NO_THROW(shortcut.Unregister()) << "no shortcut is no error";
}

// Something in the shortcut's place that is no file: both changes fail and say so.
TEST_F(Win32LogOnShortcut, AFolderOfTheShortcutsNameIsReportedNotTakenForIt) {
  ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
  EXPECT_FALSE(shortcut.IsRegistered());
  for (const bool registering : {true, false}) {
    try {
      registering ? shortcut.Register() : shortcut.Unregister();
      ADD_FAILURE() << (registering ? "registered" : "unregistered") << " over a folder";
    } catch (const EXALError& error) {
      EXPECT_NE(std::string(error.what()).find(Narrow(ExpectedName())), std::string::npos)
          << error.what();
    }
  }
}

}  // namespace
}  // namespace xal::win32
