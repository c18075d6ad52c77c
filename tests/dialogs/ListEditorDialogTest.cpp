#include <string>
#include <vector>

#include "DialogFixture.h"
#include "ui/XALConfigList.h"

namespace xal {
namespace {

using ListEditorDialog = DialogFixture;
using Lines = std::vector<std::string>;

TXALStringList ListOf(const Lines& lines) {
  TXALStringList list;
  for (const std::string& line : lines) {
    list.Add(line);
  }
  return list;
}

Lines LinesOf(const TXALStringList& list) {
  return Lines(list.begin(), list.end());
}

TEST(CaptionWithoutAccessKey, DropsTheMarkerAsAWindowTitleWould) {
  const struct {
    const char* caption;
    const char* title;
  } cases[] = {
      {"Exclude these window classes", "Exclude these window classes"},
      {"&Exclude classes", "Exclude classes"},
      {"Fish && chips", "Fish & chips"},
      {"\xE5\xAF\xBE\xE8\xB1\xA1\xE5\xA4\x96(&B)", "\xE5\xAF\xBE\xE8\xB1\xA1\xE5\xA4\x96"},
      {"Brackets (&&) stay", "Brackets (&) stay"},
      {"Ends in &", "Ends in "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CaptionWithoutAccessKey(c.caption), c.title) << c.caption;
  }
}

TEST_F(ListEditorDialog, ShowsTheCallersTitleAndLinesAndGivesThemBack) {
  TfmXALConfigList dialog(context);
  dialog.SetCaption("&Always include");
  dialog.SetList(ListOf({"OpusApp", "XLMAIN"}));
  dialog.Show();
  EXPECT_EQ(dialog.Title(), "Always include");
  EXPECT_EQ(dialog.Control("btUpdate").Text, Text("fmXALConfigList_btUpdateCaption"));
  EXPECT_EQ(dialog.Control("btUp").Text, Text("fmXALConfigList_btUpCaption"));
  EXPECT_EQ(dialog.Control("btDown").Text, Text("fmXALConfigList_btDownCaption"));
  EXPECT_EQ(dialog.Control("btCancel").Text, Text("fmXALConfigList_btCancelCaption"));
  EXPECT_EQ(dialog.Control("lbList").Items, (Lines{"OpusApp", "XLMAIN"}));
  EXPECT_EQ(dialog.TipText("lbList", 1), "XLMAIN");

  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(LinesOf(dialog.List()), (Lines{"OpusApp", "XLMAIN"}));
}

TEST_F(ListEditorDialog, ClickingALineCopiesItIntoTheField) {
  TfmXALConfigList dialog(context);
  dialog.SetList(ListOf({"A", "B"}));
  dialog.Show();
  dialog.Select("lbList", 1);
  EXPECT_EQ(dialog.Control("edName").Text, "B");
  dialog.Select("lbList", -1);
  EXPECT_EQ(dialog.Control("edName").Text, "B") << "a click beside the lines changes nothing";
}

// Each row: the lines, the selected line, the text in edName, the button; the lines and the
// selection after it.
TEST_F(ListEditorDialog, EditsTheLines) {
  const struct {
    const char* what;
    Lines lines;
    int selected;
    const char* typed;
    const char* button;
    Lines after;
    int selectedAfter;
  } cases[] = {
      {"add appends as typed", {"A", "B"}, 0, " C ", "btAdd", {"A", "B", " C "}, 0},
      {"add of a line already there", {"A"}, -1, "A", "btAdd", {"A", "A"}, -1},
      {"add to an empty list", {}, -1, "A", "btAdd", {"A"}, -1},
      {"update replaces the selected line",
       {"A", "B", "C"},
       1,
       "X",
       "btUpdate",
       {"A", "X", "C"},
       1},
      {"update without a selection", {"A", "B"}, -1, "X", "btUpdate", {"A", "B"}, -1},
      {"delete removes the selected line", {"A", "B", "C"}, 1, "", "btDelete", {"A", "C"}, -1},
      {"delete without a selection", {"A", "B"}, -1, "", "btDelete", {"A", "B"}, -1},
      {"up", {"A", "B", "C"}, 2, "", "btUp", {"A", "C", "B"}, 1},
      {"up from the top", {"A", "B"}, 0, "", "btUp", {"A", "B"}, 0},
      {"down", {"A", "B", "C"}, 0, "", "btDown", {"B", "A", "C"}, 1},
      {"down from the bottom", {"A", "B"}, 1, "", "btDown", {"A", "B"}, 1},
      {"up without a selection", {"A", "B"}, -1, "", "btUp", {"A", "B"}, -1},
      {"down without a selection", {"A", "B"}, -1, "", "btDown", {"A", "B"}, -1},
  };
  for (const auto& c : cases) {
    TfmXALConfigList dialog(context);
    dialog.SetList(ListOf(c.lines));
    dialog.Show();
    dialog.Select("lbList", c.selected);
    dialog.Type("edName", c.typed);
    dialog.Click(c.button);
    EXPECT_EQ(dialog.Control("lbList").Items, c.after) << c.what;
    EXPECT_EQ(dialog.Control("lbList").ItemIndex, c.selectedAfter) << c.what;
    EXPECT_EQ(dialog.Result(), TXALModalResult::None) << c.what;
    dialog.Click("btOK");
    EXPECT_EQ(LinesOf(dialog.List()), c.after) << c.what;
  }
}

TEST_F(ListEditorDialog, EnterInTheFieldReplacesTheSelectedLineAndNeverCloses) {
  TfmXALConfigList dialog(context);
  dialog.SetList(ListOf({"A", "B"}));
  dialog.Show();
  dialog.Type("edName", "X");
  dialog.PressEnter("edName");
  EXPECT_EQ(dialog.Control("lbList").Items, (Lines{"A", "B"})) << "no line selected";
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);

  dialog.Select("lbList", 0);
  dialog.Type("edName", "X");
  dialog.PressEnter("edName");
  EXPECT_EQ(dialog.Control("lbList").Items, (Lines{"X", "B"}));
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
}

// Saving a class the settings file can't hold would fail on every later save.
TEST_F(ListEditorDialog, RefusesALineTheSettingsFileCantHold) {
  TfmXALConfigList dialog(context);
  dialog.SetList(ListOf({"A"}));
  dialog.Show();
  dialog.Select("lbList", 0);
  for (const char* button : {"btAdd", "btUpdate"}) {
    dialog.Type("edName", std::string("Tab\x1B", 4));
    dialog.Click(button);
    EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+001B)") << button;
    EXPECT_EQ(dialog.Control("lbList").Items, (Lines{"A"})) << button;
  }
}

// The window may be made as small as its minimum; every control then still has room.
TEST_F(ListEditorDialog, ControlsKeepApartDownToTheSmallestWindow) {
  TfmXALConfigList dialog(context);
  ASSERT_TRUE(dialog.Resizable());
  EXPECT_GE(dialog.MinClientWidth(), 280);
  for (const bool smallest : {false, true}) {
    const int dx = smallest ? dialog.MinClientWidth() - dialog.ClientWidth() : 0;
    const int dy = smallest ? dialog.MinClientHeight() - dialog.ClientHeight() : 0;
    std::vector<TXALControl> placed = dialog.Controls();
    for (TXALControl& control : placed) {
      TXALBounds& b = control.Bounds;
      if (control.Anchors & kMoveRight) {
        b.Left += dx;
      } else if (control.Anchors & kAnchorRight) {
        b.Width += dx;
      }
      if (control.Anchors & kMoveDown) {
        b.Top += dy;
      } else if (control.Anchors & kAnchorBottom) {
        b.Height += dy;
      }
      EXPECT_GE(b.Left, 8) << control.Name;
      EXPECT_GE(b.Top, 8) << control.Name;
      EXPECT_LE(b.Left + b.Width, dialog.ClientWidth() + dx - 8) << control.Name;
      EXPECT_LE(b.Top + b.Height, dialog.ClientHeight() + dy - 8) << control.Name;
      EXPECT_GT(b.Height, 20) << control.Name;
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
      for (std::size_t j = i + 1; j < placed.size(); ++j) {
        const TXALBounds& a = placed[i].Bounds;
        const TXALBounds& b = placed[j].Bounds;
        const bool apart = a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left ||
                           a.Top + a.Height <= b.Top || b.Top + b.Height <= a.Top;
        EXPECT_TRUE(apart) << placed[i].Name << " overlaps " << placed[j].Name
                           << (smallest ? " at the smallest size" : "");
      }
    }
  }
}

}  // namespace
}  // namespace xal
