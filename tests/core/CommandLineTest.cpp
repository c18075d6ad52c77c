#include <gtest/gtest.h>

#include "core/CommandLine.h"

namespace xal {
namespace {

TEST(CommandLine, SwitchesIgnoreCaseAndOrderAndOtherArguments) {
  struct Case {
    std::vector<std::string> arguments;
    bool programFolder;
    bool show;
  };
  const Case cases[] = {
      {{}, false, false},
      {{"-m"}, true, false},
      {{"-V"}, false, true},
      {{"-v", "-M"}, true, true},
      {{"/m", "-mv", "m", "--m", "-m "}, false, false},
      {{"extra", "-m", "other"}, true, false},
  };
  for (const Case& c : cases) {
    const TXALCommandLine parsed = ParseCommandLine(c.arguments);
    EXPECT_EQ(parsed.UseProgramFolder, c.programFolder) << ::testing::PrintToString(c.arguments);
    EXPECT_EQ(parsed.ShowMainWindow, c.show) << ::testing::PrintToString(c.arguments);
  }
}

TEST(CommandLine, ExtractFilePathKeepsTheTrailingSeparator) {
  EXPECT_EQ(ExtractFilePath("C:\\Tools\\Kelpra\\KelpraTremvale.exe"), "C:\\Tools\\Kelpra\\");
  EXPECT_EQ(ExtractFilePath("\\\\server\\share\\x.exe"), "\\\\server\\share\\");
  EXPECT_EQ(ExtractFilePath("C:x.exe"), "C:");
  EXPECT_EQ(ExtractFilePath("x.exe"), "");
}

}  // namespace
}  // namespace xal
