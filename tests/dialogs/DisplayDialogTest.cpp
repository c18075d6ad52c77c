#include <string>
#include <vector>

#include "DialogFixture.h"
#include "catalogue/XALDisplays.h"
#include "platform/sim/SimMonitors.h"
#include "ui/XALConfigDisplay.h"

namespace xal {
namespace {

using sim::SimMonitor;

class DisplayDialog : public DialogFixture {
 protected:
  void Attach(std::vector<TXALMonitor> monitors) {
    sim.monitors.SetAttached(std::move(monitors));
    sim.monitors.Refresh();
    current.RefreshDisplays();
  }

  static std::vector<int> Fields(const TfmXALConfigDisplay& dialog) {
    return {dialog.Number(), dialog.Left(), dialog.Top(), dialog.Width(), dialog.Height()};
  }
};

TEST_F(DisplayDialog, APickedDisplayFillsTheFieldsFromItsMonitor) {
  Attach({SimMonitor(1, 0, 0, 1920, 1080), SimMonitor(2, -1280, -200, 1280, 1024, "Side")});
  TfmXALConfigDisplay dialog(context);
  EXPECT_EQ(dialog.OriginalNumber, -1);
  dialog.Show();
  EXPECT_EQ(dialog.Title(), Text("fmXALConfigDisplayCaption"));
  EXPECT_EQ(dialog.Control("lbHeight").Text, Text("fmXALConfigDisplay_lbHeightCaption"));
  EXPECT_EQ(Fields(dialog), (std::vector<int>{0, 0, 0, 0, 0}));
  ASSERT_EQ(dialog.Control("lbDisplays").Items.size(), 2u);
  EXPECT_EQ(dialog.Control("lbDisplays").Items[1], current.lbDisplays()[1].Text);
  EXPECT_EQ(dialog.TipText("lbDisplays", 1), "2:Side(-1280,-200,1280,1024)");

  dialog.Select("lbDisplays", 1);
  EXPECT_EQ(Fields(dialog), (std::vector<int>{2, -1280, -200, 1280, 1024}));
  dialog.Select("lbDisplays", -1);
  EXPECT_EQ(dialog.Number(), 2);
  dialog.Click("btOK");
  EXPECT_EQ(dialog.Result(), TXALModalResult::OK);
}

TEST_F(DisplayDialog, ANumberTheSetHasIsRefusedUnlessTheEditedEntryKeepsIt) {
  TXALDisplays displays(nullptr);
  displays.AddDisplay(1, 0, 0, 1920, 1080);
  displays.AddDisplay(2, 1920, 0, 1280, 1024);
  struct Case {
    int edited;  // index of the entry being edited, or -1 for a new one
    int number;
    bool accepted;
  };
  const Case cases[] = {
      {1, 2, true},   // keeps its own number
      {1, 1, false},  // takes the other entry's
      {1, 3, true},  {-1, 2, false}, {-1, 3, true},
  };
  for (const Case& c : cases) {
    TfmXALConfigDisplay dialog(context);
    dialog.SetExistingNumbers(displays);
    if (c.edited >= 0) {
      dialog.SetDisplay(displays.Items(c.edited));
    }
    dialog.Show();
    dialog.Type("seNumber", std::to_string(c.number));
    dialog.Click("btOK");
    const std::string what = std::to_string(c.edited) + " -> " + std::to_string(c.number);
    if (c.accepted) {
      EXPECT_EQ(dialog.Result(), TXALModalResult::OK) << what;
    } else {
      EXPECT_EQ(dialog.Result(), TXALModalResult::None) << what;
      EXPECT_EQ(dialog.TakeMessage(),
                Text("fmXALConfigDisplay_NumberExistsMsg") + "(" + std::to_string(c.number) + ")")
          << what;
    }
  }
}

TEST_F(DisplayDialog, EditingShowsTheEntryWithItsWidthAndHeight) {
  TXALDisplays displays(nullptr);
  const TXALDisplay& entry = displays.AddDisplay(2, -1280, 10, 1280, 1024);
  TfmXALConfigDisplay dialog(context);
  dialog.SetDisplay(entry);
  dialog.Show();
  EXPECT_EQ(dialog.OriginalNumber, 2);
  EXPECT_EQ(dialog.Control("seWidth").Text, "1280");
  EXPECT_EQ(Fields(dialog), (std::vector<int>{2, -1280, 10, 1280, 1024}));
}

// A field that isn't a whole number would otherwise be stored as 0 without a word.
TEST_F(DisplayDialog, EveryFieldMustHoldAWholeNumber) {
  struct Case {
    const char* field;
    const char* text;
    bool accepted;
  };
  const Case cases[] = {
      {"seNumber", "", false},          {"seLeft", "abc", false},  {"seTop", "1.5", false},
      {"seWidth", "2147483648", false}, {"seHeight", " 3", false}, {"seNumber", "1e3", false},
      {"seLeft", "-2147483648", true},  {"seTop", "+7", true},     {"seWidth", "-800", true},
      {"seHeight", "2147483647", true},
  };
  for (const Case& c : cases) {
    TfmXALConfigDisplay dialog(context);
    dialog.Show();
    dialog.Type(c.field, c.text);
    dialog.Click("btOK");
    const std::string what = std::string(c.field) + " \"" + c.text + "\"";
    if (c.accepted) {
      EXPECT_EQ(dialog.Result(), TXALModalResult::OK) << what;
    } else {
      EXPECT_EQ(dialog.Result(), TXALModalResult::None) << what;
      EXPECT_EQ(dialog.TakeMessage(), Text("fmXALConfigDisplay_InvalidNumberMsg")) << what;
    }
  }
}

TEST_F(DisplayDialog, DisplaysPushedWhileOpenReplaceTheListAndTheirMonitors) {
  Attach({SimMonitor(1, 0, 0, 1920, 1080), SimMonitor(2, 1920, 0, 1280, 1024)});
  TfmXALConfigDisplay dialog(context);
  dialog.Show();
  dialog.Select("lbDisplays", 1);

  Attach({SimMonitor(3, 0, 0, 2560, 1440)});
  EXPECT_EQ(dialog.Control("lbDisplays").Items,
            std::vector<std::string>{current.lbDisplays()[0].Text});
  EXPECT_EQ(dialog.Control("lbDisplays").ItemIndex, -1);
  dialog.Select("lbDisplays", 0);
  EXPECT_EQ(Fields(dialog), (std::vector<int>{1, 0, 0, 2560, 1440}));
}

}  // namespace
}  // namespace xal
