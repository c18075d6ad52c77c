// The set list of the editor: filling it, the red lines of matching sets, and the set buttons,
// menu and keys, with the dialogs answered by scripts.
#include <string>
#include <vector>

#include "EditorFixture_sets.h"
#include "ui/XALConfigAddSet.h"
#include "ui/XALConfigSetName.h"

namespace xal {
namespace {

using Lines = std::vector<std::string>;
using SetsEditor = SetsEditorFixture;

sim::SimDialogHost::Script TypeAndConfirm(const char* field, std::string text) {
  return [field, text](TXALDialog& dialog) {
    dialog.Type(field, text);
    dialog.Click("btOK");
  };
}

TEST_F(SetsEditor, FillsTheListWithNamesAndDrawsMatchingSetsRed) {
  TXALMainEditor& editor = Start(kThreeSets);
  // A set without a name shows the placeholder name.
  EXPECT_EQ(SetLines(), (Lines{"Office", main_->Language().Text("NoNameMsg"), "Home"}));
  EXPECT_EQ(editor.Control("lbXALSets").ItemIndex, 0);
  EXPECT_EQ(editor.CurrentSet(), &Sets().Items(0));
  // The pattern of stars matches every address; the set without conditions matches too.
  EXPECT_EQ(editor.Control("lbXALSets").ItemHighlighted, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(editor.Control("lbEnvIPAddresses").Items, (Lines{"*.*.*.*"}));
  // Empty grids keep their placeholder row.
  for (const char* grid : {"sgTargetIPAddresses", "sgTargetStartups", "sgTargetApps"}) {
    EXPECT_EQ(editor.Control(grid).Cells.size(), 1u) << grid;
    EXPECT_EQ(editor.Control(grid).ItemData, (std::vector<std::uint64_t>{0})) << grid;
  }
  EXPECT_FALSE(editor.Control("lbTargetProxy").Enabled);
}

TEST_F(SetsEditor, AddCopyRenameAndDelete) {
  TXALMainEditor& editor = Start(kThreeSets);
  view_.dialogs.scripts.push_back(TypeAndConfirm("edNmae", "Cafe"));
  editor.Click("btXALSetAdd");
  ASSERT_EQ(Sets().Count(), 4);
  EXPECT_EQ(Sets().Items(3).Name, "Cafe");
  EXPECT_EQ(editor.Control("lbXALSets").ItemIndex, 3);
  EXPECT_TRUE(editor.Control("lbXALSets").ItemHighlighted[3]) << "rechecked: no conditions match";

  editor.Select("lbXALSets", 0);
  view_.dialogs.scripts.push_back(TypeAndConfirm("edName", "Office copy"));
  editor.Click("btXALSetCopy");
  ASSERT_EQ(Sets().Count(), 5);
  EXPECT_EQ(Sets().Items(4).Name, "Office copy");
  EXPECT_EQ(Sets().Items(4).Environment.Network.IPList.Items(0), "*.*.*.*");
  EXPECT_NE(&Sets().Items(4).Environment.Network.IPList,
            &Sets().Items(0).Environment.Network.IPList);

  // Renaming starts from the line and changes the name and the line only.
  view_.dialogs.scripts.push_back([](TXALDialog& dialog) {
    EXPECT_EQ(dialog.Control("edName").Text, "Office copy");
    dialog.Type("edName", "Branch");
    dialog.Click("btOK");
  });
  editor.DoubleClick("lbXALSets", 4);
  EXPECT_EQ(Sets().Items(4).Name, "Branch");
  EXPECT_EQ(SetLines()[4], "Branch");

  // Cancelled dialogs change nothing.
  view_.dialogs.scripts.push_back(sim::PressCancel());
  editor.Click("btXALSetAdd");
  EXPECT_EQ(Sets().Count(), 5);

  editor.Select("lbXALSets", 0);
  const TXALSet* office = &Sets().Items(0);
  ASSERT_GE(main_->MatchingSets().IndexOf(const_cast<TXALSet*>(office)), 0);
  editor.Click("btXALSetDelete");
  EXPECT_EQ(Sets().Count(), 4);
  EXPECT_EQ(SetLines().size(), 4u);
  EXPECT_EQ(editor.Control("lbXALSets").ItemIndex, 0) << "the same index";
  EXPECT_LT(main_->MatchingSets().IndexOf(const_cast<TXALSet*>(office)), 0);
  EXPECT_LT(main_->PreviousMatchingSets().IndexOf(const_cast<TXALSet*>(office)), 0);
  // The last line deleted: the selection moves to the new last line.
  editor.Select("lbXALSets", 3);
  editor.KeyDown("lbXALSets", TXALKey::Delete, kModifierNone);
  EXPECT_EQ(editor.Control("lbXALSets").ItemIndex, 2);
}

TEST_F(SetsEditor, DeletingTheOnlySetLeavesADefaultSetShownAndRechecked) {
  TXALMainEditor& editor = Start();
  ASSERT_EQ(Sets().Count(), 1);
  Sets().Items(0).Environment.Network.IPList.Add("10.9.9.*");
  editor.Click("btXALSetDelete");
  ASSERT_EQ(Sets().Count(), 1);
  EXPECT_EQ(Sets().Items(0).Name, "Default");
  EXPECT_EQ(SetLines(), (Lines{"Default"}));
  EXPECT_EQ(editor.CurrentSet(), &Sets().Items(0));
  EXPECT_TRUE(editor.Control("lbEnvIPAddresses").Items.empty());
  EXPECT_EQ(main_->MatchingSets().Count(), 1) << "the new empty set matches after the recheck";
}

TEST_F(SetsEditor, UpAndDownMoveTheSetAndTheSelectionFollows) {
  TXALMainEditor& editor = Start(kThreeSets);
  editor.Click("btXALSetUp");
  EXPECT_EQ(Sets().Items(0).Name, "Office") << "nothing above the first";
  editor.Click("btXALSetDown");
  EXPECT_EQ(Sets().Items(1).Name, "Office");
  EXPECT_EQ(SetLines()[1], "Office");
  EXPECT_EQ(editor.Control("lbXALSets").ItemIndex, 1);
  EXPECT_TRUE(editor.Control("lbXALSets").ItemHighlighted[1]) << "red follows the set";
  editor.Select("lbXALSets", 2);
  editor.Click("btXALSetDown");
  EXPECT_EQ(Sets().Items(2).Name, "Home") << "nothing below the last";
}

// Which entries the right-click menu shows, per control.
TEST_F(SetsEditor, TheMenuShowsWhatEachPlaceOffers) {
  TXALMainEditor& editor = Start(kThreeSets);
  const auto shown = [&editor] {
    Lines names;
    for (const TXALMenuItem& item : editor.Menu()) {
      if (item.Visible) {
        names.push_back(item.Name);
      }
    }
    return names;
  };
  const Lines all{"miEdit", "miHR1",    "miCut", "miCopy", "miPaste", "miHR2",
                  "miAdd",  "miDelete", "miHR3", "miUp",   "miDown"};
  const struct {
    const char* control;
    bool menu;
    Lines entries;
  } cases[] = {
      {"lbXALSets",
       true,
       {"miCut", "miCopy", "miPaste", "miHR2", "miAdd", "miDelete", "miHR3", "miUp", "miDown"}},
      {"lbEnvIPAddresses",
       true,
       {"miEdit", "miHR1", "miCut", "miCopy", "miPaste", "miHR2", "miAdd", "miDelete"}},
      {"sgTargetIPAddresses",
       true,
       {"miEdit", "miHR1", "miCut", "miCopy", "miPaste", "miHR2", "miAdd", "miDelete"}},
      {"sgTargetStartups", true, all},
      {"sgTargetApps",
       true,
       {"miEdit", "miHR1", "miCut", "miCopy", "miPaste", "miHR2", "miAdd", "miDelete"}},
      {"lbEnvDisplays", false, {}},
      {"lbEnvPrinters", false, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(editor.RightClick(c.control, -1), c.menu) << c.control;
    if (c.menu) {
      EXPECT_EQ(shown(), c.entries) << c.control;
    }
  }
  // A right click on a set's line selects and shows that set; the menu acts on it.
  EXPECT_TRUE(editor.RightClick("lbXALSets", 2));
  EXPECT_EQ(editor.CurrentSet()->Name, "Home");
  editor.MenuClick("miUp");
  EXPECT_EQ(Sets().Items(1).Name, "Home");
}

TEST_F(SetsEditor, GridColumnsShareTheWidthLeftOfAScrollBar) {
  TXALMainEditor& editor = Start();
  editor.Resize(771, 503);
  const std::vector<int> widths = editor.Control("sgTargetIPAddresses").ColumnWidths;
  ASSERT_EQ(widths.size(), 6u);
  EXPECT_EQ(widths[0], (257 - 17) / 6);
  editor.Resize(771 + 120, 503);
  EXPECT_EQ(editor.Control("sgTargetApps").ColumnWidths[0], (257 + 120 - 17) / 3);
}

}  // namespace
}  // namespace xal
