#include "platform/win32/Win32FileSystem.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "Wine.h"
#include "catalogue/XALErrors.h"
#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

namespace fs = std::filesystem;

// Each test works in a folder of its own below the user's temporary folder, with the checks
// made through std::filesystem so that they don't share a fault with the code under test.
class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH + 1];
    ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = fs::path(temp) /
            (L"xal-fs-" + std::to_wstring(GetCurrentProcessId()) + L"-" + Widen(info->name()));
    fs::remove_all(root_);
    ASSERT_TRUE(fs::create_directories(root_));
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  // The UTF-8 path that the program would hand over.
  static std::string U8(const fs::path& path) { return Narrow(path.wstring()); }

  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static std::vector<fs::path> Entries(const fs::path& folder) {
    std::vector<fs::path> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
      entries.push_back(entry.path().filename());
    }
    return entries;
  }
  template <typename F>
  static std::string ErrorOf(F&& call) {
    try {
      call();
    } catch (const EXALError& error) {
      return error.what();
    }
    ADD_FAILURE() << "no EXALError";
    return {};
  }

  Win32FileSystem files_;
  fs::path root_;
};

TEST_F(Win32FileSystemTest, WriteThenReadGivesTheSameBytes) {
  // Larger than one read buffer, with every byte value, and the empty file.
  std::string bytes;
  for (int i = 0; i < 300000; ++i) {
    bytes.push_back(static_cast<char>(i * 7 % 256));
  }
  const fs::path path = root_ / L"data.xml";
  files_.WriteFileAtomic(U8(path), bytes);
  EXPECT_EQ(Get(path), bytes);
  EXPECT_EQ(files_.ReadFile(U8(path)), bytes);

  files_.WriteFileAtomic(U8(path), "");
  EXPECT_EQ(files_.ReadFile(U8(path)), "");
  EXPECT_EQ(Entries(root_), std::vector<fs::path>{L"data.xml"});
}

TEST_F(Win32FileSystemTest, AtomicWriteReplacesTheFileAndLeavesNothingBehind) {
  const fs::path path = root_ / L"XALData.xml";
  Put(path, "old contents that are longer than the new ones");
  files_.WriteFileAtomic(U8(path), "new");
  EXPECT_EQ(Get(path), "new");
  // The temporary file took the file's place; no second file is left in the folder.
  EXPECT_EQ(Entries(root_), std::vector<fs::path>{L"XALData.xml"});
}

TEST_F(Win32FileSystemTest, ReplacedFileKeepsItsAttributes) {
  if (RunningUnderWine()) {
    GTEST_SKIP() << "Wine's ReplaceFileW does not carry the attributes over";
  }
  const fs::path path = root_ / L"XALData.xml";
  Put(path, "old");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  files_.WriteFileAtomic(U8(path), "new");
  EXPECT_EQ(Get(path), "new");
  EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST_F(Win32FileSystemTest, WriteWithoutReplaceNeverTouchesAnExistingFile) {
  const fs::path path = root_ / L"export.xml";
  files_.WriteFileAtomic(U8(path), "first", false);
  EXPECT_EQ(Get(path), "first");

  const std::string message = ErrorOf([&] { files_.WriteFileAtomic(U8(path), "second", false); });
  EXPECT_NE(message.find("\"" + U8(path) + "\""), std::string::npos) << message;
  EXPECT_EQ(Get(path), "first");
  EXPECT_EQ(Entries(root_), std::vector<fs::path>{L"export.xml"});
}

TEST_F(Win32FileSystemTest, WriteIntoAMissingFolderFailsAndCreatesNothing) {
  const fs::path path = root_ / L"missing" / L"XALData.xml";
  const std::string message = ErrorOf([&] { files_.WriteFileAtomic(U8(path), "x"); });
  EXPECT_EQ(message.rfind("Cannot create file \"" + U8(path) + "\". ", 0), 0u) << message;
  // The system's reason follows the file name.
  EXPECT_GT(message.size(), ("Cannot create file \"" + U8(path) + "\". ").size()) << message;
  EXPECT_TRUE(Entries(root_).empty());
}

TEST_F(Win32FileSystemTest, FailedReplaceKeepsTheOldFile) {
  // Another program holds the file open without letting it be deleted, so it can't be
  // replaced: the old bytes stay and the temporary file goes.
  const fs::path path = root_ / L"locked.xml";
  Put(path, "old");
  HANDLE holder =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  const std::string message = ErrorOf([&] { files_.WriteFileAtomic(U8(path), "new"); });
  CloseHandle(holder);
  EXPECT_EQ(message.rfind("Cannot write file \"" + U8(path) + "\". ", 0), 0u) << message;
  EXPECT_EQ(Get(path), "old");
  // Neither the new data nor the backup copy is left behind while the old file is whole.
  EXPECT_EQ(Entries(root_), std::vector<fs::path>{L"locked.xml"});
}

// The ways the swap can fail on a desktop, where a scanner or an indexer may hold either file at
// the wrong moment; Wine can't be made to fail in most of them, so the two calls are replaced.
TEST_F(Win32FileSystemTest, AFailedSwapKeepsACompleteCopyUnderAKnownName) {
  using Replace =
      std::function<bool(const std::wstring&, const std::wstring&, const std::wstring&)>;
  const auto failing = [](DWORD error) {
    return [error](const std::wstring&, const std::wstring&, const std::wstring&) {
      SetLastError(error);
      return false;
    };
  };
  // The old file went to the backup, the new one could not take its name.
  const Replace oldMovedAside = [](const std::wstring& replaced, const std::wstring&,
                                   const std::wstring& backup) {
    EXPECT_TRUE(MoveFileExW(replaced.c_str(), backup.c_str(), MOVEFILE_REPLACE_EXISTING));
    SetLastError(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    return false;
  };
  // The new file is in place, yet the call reports an error.
  const Replace newInPlace = [](const std::wstring& replaced, const std::wstring& replacement,
                                const std::wstring&) {
    EXPECT_TRUE(MoveFileExW(replacement.c_str(), replaced.c_str(), MOVEFILE_REPLACE_EXISTING));
    SetLastError(ERROR_UNABLE_TO_REMOVE_REPLACED);
    return false;
  };
  struct Case {
    const char* label;
    Replace replace;
    bool moveWorks;
    const char* inPlace;  // nullptr: nothing under the file's name
  };
  const std::vector<Case> cases{
      {"old file can't be moved aside, rename works", failing(ERROR_UNABLE_TO_REMOVE_REPLACED),
       true, "new"},
      {"both keep their names, rename fails", failing(ERROR_UNABLE_TO_MOVE_REPLACEMENT), false,
       "old"},
      {"old moved aside, rename works", oldMovedAside, true, "new"},
      {"old moved aside, rename fails", oldMovedAside, false, nullptr},
      {"new in place despite the error", newInPlace, false, "new"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    fs::remove_all(root_);
    fs::create_directories(root_);
    const fs::path path = root_ / L"XALData.xml";
    Put(path, "old");
    Win32FileMoves moves = Win32FileMoves::System();
    moves.Replace = c.replace;
    if (!c.moveWorks) {
      moves.Move = [](const std::wstring&, const std::wstring&, bool) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return false;
      };
    }
    Win32FileSystem files(moves);
    std::string message;
    try {
      files.WriteFileAtomic(U8(path), "new");
    } catch (const EXALError& error) {
      message = error.what();
    }
    if (c.inPlace != nullptr) {
      EXPECT_EQ(Get(path), c.inPlace);
      EXPECT_EQ(Entries(root_), std::vector<fs::path>{L"XALData.xml"});
      EXPECT_EQ(message.empty(), std::string(c.inPlace) == "new") << message;
      continue;
    }
    // Both copies stay, and the message names each.
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(message.rfind("Cannot write file \"" + U8(path) + "\". ", 0), 0u) << message;
    std::vector<std::string> contents;
    for (const fs::path& name : Entries(root_)) {
      const fs::path copy = root_ / name;
      contents.push_back(Get(copy));
      const std::string named =
          (contents.back() == "new" ? "The new data is in \"" : "The old file is kept as \"") +
          U8(copy) + "\".";
      EXPECT_NE(message.find(named), std::string::npos) << message;
    }
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"new", "old"}));
  }
}

TEST_F(Win32FileSystemTest, ReadErrorsNameTheFileAndTheReason) {
  const fs::path missing = root_ / L"nothing.xml";
  const std::string prefix = "Cannot open file \"" + U8(missing) + "\". ";
  const std::string message = ErrorOf([&] { files_.ReadFile(U8(missing)); });
  EXPECT_EQ(message.rfind(prefix, 0), 0u) << message;
  EXPECT_GT(message.size(), prefix.size()) << message;
  // No line break of FormatMessage at the end.
  EXPECT_EQ(message.find_first_of("\r\n"), std::string::npos) << message;

  // A folder is no file.
  EXPECT_THROW(files_.ReadFile(U8(root_)), EXALError);
}

TEST_F(Win32FileSystemTest, FileExistsOnlyForFiles) {
  Put(root_ / L"a.txt", "x");
  EXPECT_TRUE(files_.FileExists(U8(root_ / L"a.txt")));
  EXPECT_FALSE(files_.FileExists(U8(root_ / L"b.txt")));
  EXPECT_FALSE(files_.FileExists(U8(root_)));
}

TEST_F(Win32FileSystemTest, ForceDirectoriesCreatesEveryMissingFolder) {
  const fs::path nested = root_ / L"Corvanth" / L"KelpraXAL";
  EXPECT_TRUE(files_.ForceDirectories(U8(nested) + "\\"));
  EXPECT_TRUE(fs::is_directory(nested));
  EXPECT_TRUE(files_.ForceDirectories(U8(nested)));  // already there

  const fs::path deeper = root_ / L"a" / L"b" / L"c";
  EXPECT_TRUE(files_.ForceDirectories(U8(deeper)));
  EXPECT_TRUE(fs::is_directory(deeper));

  // A file in the way, or no path at all, fails.
  Put(root_ / L"file", "x");
  EXPECT_FALSE(files_.ForceDirectories(U8(root_ / L"file" / L"sub")));
  EXPECT_FALSE(files_.ForceDirectories(U8(root_ / L"file")));
  EXPECT_FALSE(files_.ForceDirectories(""));
}

TEST_F(Win32FileSystemTest, JapaneseFolderAndFileNamesWork) {
  const fs::path folder = root_ / L"\u8a2d\u5b9a\u30d5\u30a9\u30eb\u30c0";  // 設定フォルダ
  const fs::path file = folder / L"\u30c7\u30fc\u30bf.xml";                 // データ.xml
  const std::string text = "<a n=\"\xe6\x9d\xb1\xe4\xba\xac\"/>";
  ASSERT_TRUE(files_.ForceDirectories(U8(folder)));
  files_.WriteFileAtomic(U8(file), text);
  files_.WriteFileAtomic(U8(file), text);  // the replacing path as well
  // Under exactly these names, not under a code-page mangling of them.
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(Get(file), text);
  EXPECT_EQ(Entries(folder), std::vector<fs::path>{file.filename()});
  EXPECT_TRUE(files_.FileExists(U8(file)));
  EXPECT_EQ(files_.ReadFile(U8(file)), text);

  const std::string message = ErrorOf([&] { files_.ReadFile(U8(folder / L"\u7121.xml")); });
  EXPECT_NE(message.find(U8(folder / L"\u7121.xml")), std::string::npos) << message;
}

}  // namespace
}  // namespace xal::win32
