#include "platform/win32/Win32SystemInfo.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/win32/WideText.h"

namespace xal::win32 {
namespace {

namespace fs = std::filesystem;

constexpr wchar_t kReportVariable[] = L"XAL_TEST_SYSTEM_INFO_REPORT";

std::wstring EnvironmentVariable(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  return length == 0 || length >= MAX_PATH * 2 ? std::wstring() : std::wstring(value, length);
}

// Runs only as the child process of the test below: it writes what Win32SystemInfo tells about
// the child, one UTF-8 line each, to the file the parent named.
TEST(Win32SystemInfoChild, ReportsItself) {
  const std::wstring report = EnvironmentVariable(kReportVariable);
  if (report.empty()) {
    GTEST_SKIP() << "started by ExecutablePathAndArgumentsSurviveAnyCharacters only";
  }
  const Win32SystemInfo info;
  std::ofstream out(fs::path(report), std::ios::binary);
  out << info.ExecutablePath() << '\n';
  for (const std::string& argument : info.CommandLineArguments()) {
    out << argument << '\n';
  }
}

TEST(Win32SystemInfo, ExecutablePathAndArgumentsSurviveAnyCharacters) {
  wchar_t temp[MAX_PATH + 1];
  ASSERT_NE(GetTempPathW(MAX_PATH + 1, temp), 0u);
  // A copy of this program in a folder whose name the ANSI code page can't hold.
  const fs::path folder =
      fs::path(temp) / (L"xal-info-" + std::to_wstring(GetCurrentProcessId()) + L"-\u6771\u4eac");
  fs::remove_all(folder);
  ASSERT_TRUE(fs::create_directories(folder));
  wchar_t self[MAX_PATH * 2];
  ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH * 2), 0u);
  const fs::path copy = folder / L"xal_win_tests.exe";
  fs::copy_file(self, copy);
  const fs::path report = folder / L"report.txt";

  std::wstring commandLine = L"\"" + copy.wstring() +
                             L"\" --gtest_filter=Win32SystemInfoChild.* "
                             L"\"\u6771\u4eac \u306e \u5f15\u6570\" -m \"quote\\\"d\" \"\"";
  ASSERT_TRUE(SetEnvironmentVariableW(kReportVariable, report.c_str()));
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = nul;
  startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(copy.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableW(kReportVariable, nullptr);
  CloseHandle(nul);
  ASSERT_TRUE(started) << GetLastError();
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(exitCode, 0u);

  std::ifstream in(report, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  const std::vector<std::string> expected = {
      Narrow(copy.wstring()),
      "--gtest_filter=Win32SystemInfoChild.*",
      "\xe6\x9d\xb1\xe4\xba\xac \xe3\x81\xae \xe5\xbc\x95\xe6\x95\xb0",  // 東京 の 引数
      "-m",
      "quote\"d",
      "",
  };
  EXPECT_EQ(lines, expected);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

TEST(Win32SystemInfo, UserFoldersAndLocale) {
  const Win32SystemInfo info;
  const std::string roaming = info.RoamingAppDataFolder();
  ASSERT_FALSE(roaming.empty());
  EXPECT_NE(roaming.back(), '\\');
  EXPECT_TRUE(fs::is_directory(fs::path(Widen(roaming))));
  EXPECT_GT(info.UserDefaultLocaleId(), 0);
}

}  // namespace
}  // namespace xal::win32
