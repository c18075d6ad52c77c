// Startup programs: order, what the shell is asked, and the task bar word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appliers/XALStartupRunner.h"
#include "platform/sim/SimShell.h"

namespace xal {
namespace {

using Kind = sim::SimShellCall::Kind;

TEST(StartupRunner, StartsInOrderAndOnlyTheExactWordSetsAutoHide) {
  sim::SimShell shell;
  ExecuteStartups(shell, {"a.exe", "TaskBarAutoHide", "taskbarautohide", "C:\\notes.txt"},
                  {"-x", "ignored", "", ""}, {"C:\\a", "ignored", "", ""});

  ASSERT_EQ(shell.calls.size(), 4u);
  const auto& a = shell.calls[0];
  EXPECT_EQ(a.kind, Kind::Execute);
  EXPECT_EQ(a.verb, "open");
  EXPECT_EQ(a.file, "a.exe");
  EXPECT_EQ(a.parameters, "-x");
  EXPECT_EQ(a.folder, "C:\\a");
  EXPECT_EQ(a.show, 10);
  EXPECT_EQ(shell.calls[1].kind, Kind::TaskBarState);
  EXPECT_EQ(shell.calls[1].state, 1u);
  // Other letter case is just a file name for the shell.
  EXPECT_EQ(shell.calls[2].kind, Kind::Execute);
  EXPECT_EQ(shell.calls[2].file, "taskbarautohide");
  EXPECT_EQ(shell.calls[3].file, "C:\\notes.txt");
  EXPECT_EQ(shell.calls[3].parameters, "");
  EXPECT_EQ(shell.calls[3].folder, "");
}

}  // namespace
}  // namespace xal
