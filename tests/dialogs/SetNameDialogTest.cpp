#include "DialogFixture.h"
#include "ui/XALConfigSetName.h"

namespace xal {
namespace {

using SetNameDialog = DialogFixture;

TEST_F(SetNameDialog, ShowsItsCaptionsAndGivesTheNameAsTyped) {
  TfmXALConfigSetName dialog(context);
  dialog.SetName("Office");
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigSetNameCaption"));
  EXPECT_EQ(dialog.Control("btOK").Text, Text("fmXALConfigSetName_btOKCaption"));
  EXPECT_EQ(dialog.Control("edName").Text, "Office");
  EXPECT_EQ(dialog.TipText("edName", -1), "Office");

  dialog.Type("edName", "  ");
  dialog.PressEnter("edName");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_EQ(dialog.Name(), "  ") << "any text is a name, blanks kept";
}

TEST_F(SetNameDialog, EscapeCancels) {
  TfmXALConfigSetName dialog(context);
  dialog.Show();
  dialog.PressEscape();
  EXPECT_EQ(dialog.Result(), TXALModalResult::Cancel);
}

// A name the data file can't hold is refused rather than saved into a file nobody can read.
TEST_F(SetNameDialog, RefusesTextTheDataFileCantHold) {
  TfmXALConfigSetName dialog(context);
  dialog.Show();
  dialog.Type("edName", std::string("Home\x01", 5));
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::None);
  EXPECT_EQ(dialog.TakeMessage(), Text("NotStorableTextMsg") + " (U+0001)");
  dialog.Type("edName", "Home \xE6\x9D\xB1\xE4\xBA\xAC");
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
  EXPECT_FALSE(dialog.HasMessage());
}

}  // namespace
}  // namespace xal
