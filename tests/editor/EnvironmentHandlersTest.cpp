// The editor's condition handlers: what the set holds after each, what its list shows, and
// which of them recheck.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/XALDisplays.h"
#include "catalogue/XALItemText.h"
#include "editor/EditorFixture_env.h"

namespace xal {
namespace {

using Script = sim::SimDialogHost::Script;
using Fields = std::vector<std::pair<const char*, std::string>>;

// Checks the fields the editor preset, types the others and presses OK.
Script Enter(Fields typed, Fields preset = {}) {
  return [typed = std::move(typed), preset = std::move(preset)](TXALDialog& dialog) {
    for (const auto& [name, text] : preset) {
      EXPECT_EQ(dialog.Control(name).Text, text) << dialog.FormName() << " " << name;
    }
    for (const auto& [name, text] : typed) {
      dialog.Type(name, text);
    }
    dialog.Click("btOK");
  };
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) {
    joined += (joined.empty() ? "" : ",") + text;
  }
  return joined;
}

std::string Joined(const TXALStringList& texts) {
  return Joined(std::vector<std::string>(texts.begin(), texts.end()));
}

// The set's conditions in one line, displays in the set's order.
std::string Conditions(const TXALSet& set) {
  const TXALEnvironment& environment = set.Environment;
  std::vector<std::string> displays;
  for (int i = 0; i < environment.Displays.Count(); ++i) {
    displays.push_back(DisplayLabel(environment.Displays.Items(i)));
  }
  return "wifi=" + environment.Network.WiFi + " ip=" + Joined(environment.Network.IPList) +
         " count=" + std::to_string(environment.Displays.DisplayCount) +
         " displays=" + Joined(displays) + " printers=" + Joined(environment.Printers);
}

class EnvironmentHandlers : public EnvEditorFixture {
 protected:
  // Wi-Fi, a pattern that occurs twice, two displays out of order and two printers.
  void FillSet() {
    TXALEnvironment& environment = Set().Environment;
    environment.Network.WiFi = "Office";
    for (const char* pattern : {"10.0.0.*", "192.168.1.*", "10.0.0.*"}) {
      environment.Network.IPList.Add(pattern);
    }
    environment.Displays.DisplayCount = 2;
    environment.Displays.AddDisplay(2, 1920, 0, 1280, 1024);
    environment.Displays.AddDisplay(1, 0, 0, 1920, 1080);
    environment.Printers.Add("Laser");
    environment.Printers.Add("Inkjet");
    Editor().ShowSet();
  }
};

const char* const kFilled =
    "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
    "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet";

struct HandlerCase {
  const char* what;
  // Changes the filled set before the action; may be empty.
  std::function<void(TXALSet&)> prepare;
  // A line selected before the action (-1: the selection ShowSet leaves).
  const char* list;
  int line;
  std::vector<Script> scripts;
  std::function<void(TXALMainEditor&)> act;
  std::string after;
  // The list (or value label) to look at afterwards, its lines and selection.
  const char* shown;
  std::vector<std::string> lines;
  int selected;
  bool rechecks;
};

std::function<void(TXALMainEditor&)> Press(const char* button) {
  return [button](TXALMainEditor& editor) { editor.Click(button); };
}

TEST_F(EnvironmentHandlers, EachHandlerChangesTheSetItsListAndRechecksAsDue) {
  const HandlerCase cases[] = {
      {"Wi-Fi edit takes the name as typed",
       {},
       nullptr,
       -1,
       {Enter({{"edName", " Cafe "}}, {{"edName", "Office"}})},
       Press("btEnvWiFiEdit"),
       "wifi= Cafe  ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       nullptr,
       {},
       0,
       true},
      {"Wi-Fi delete clears the name",
       {},
       nullptr,
       -1,
       {},
       Press("btEnvWiFiDelete"),
       "wifi= ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       nullptr,
       {},
       0,
       false},
      {"pattern add appends and selects the new line",
       {},
       nullptr,
       -1,
       {Enter({{"edAddress", "172.16.*.*"}}, {{"edAddress", ""}})},
       Press("btEnvIPAddressesAdd"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.*,172.16.*.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvIPAddresses",
       {"10.0.0.*", "192.168.1.*", "10.0.0.*", "172.16.*.*"},
       3,
       true},
      {"pattern edit replaces the selected one",
       {},
       "lbEnvIPAddresses",
       1,
       {Enter({{"edAddress", "192.168.2.*"}}, {{"edAddress", "192.168.1.*"}})},
       Press("btEnvIPAddressesEdit"),
       "wifi=Office ip=10.0.0.*,192.168.2.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvIPAddresses",
       {"10.0.0.*", "192.168.2.*", "10.0.0.*"},
       1,
       true},
      {"pattern edit by double-click",
       {},
       "lbEnvIPAddresses",
       2,
       {Enter({{"edAddress", "10.1.*.*"}}, {{"edAddress", "10.0.0.*"}})},
       [](TXALMainEditor& editor) { editor.DoubleClick("lbEnvIPAddresses", 2); },
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.1.*.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvIPAddresses",
       {"10.0.0.*", "192.168.1.*", "10.1.*.*"},
       2,
       true},
      {"deleting the second of a twice-held pattern removes the first; selection to last",
       {},
       "lbEnvIPAddresses",
       2,
       {},
       Press("btEnvIPAddressesDelete"),
       "wifi=Office ip=192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvIPAddresses",
       {"192.168.1.*", "10.0.0.*"},
       1,
       false},
      {"the Delete key deletes the selected pattern, selection stays on its index",
       {},
       "lbEnvIPAddresses",
       1,
       {},
       [](TXALMainEditor& editor) {
         editor.KeyDown("lbEnvIPAddresses", TXALKey::Delete, kModifierNone);
       },
       "wifi=Office ip=10.0.0.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvIPAddresses",
       {"10.0.0.*", "10.0.0.*"},
       1,
       false},
      {"display add sorts 10 before 1 and 2 and raises the count",
       {},
       nullptr,
       -1,
       {Enter({{"seNumber", "10"},
               {"seLeft", "-800"},
               {"seTop", "0"},
               {"seWidth", "800"},
               {"seHeight", "600"}},
              {{"seNumber", "0"}})},
       Press("btEnvDisplaysAdd"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=10 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080),10:(-800,0,800,600) "
       "printers=Laser,Inkjet",
       "lbEnvDisplays",
       {"10:(-800,0,800,600)", "1:(0,0,1920,1080)", "2:(1920,0,1280,1024)"},
       0,
       true},
      {"display add below the count leaves the count",
       [](TXALSet& set) { set.Environment.Displays.DisplayCount = 4; },
       nullptr,
       -1,
       {Enter({{"seNumber", "3"}, {"seWidth", "640"}, {"seHeight", "480"}})},
       Press("btEnvDisplaysAdd"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=4 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080),3:(0,0,640,480) "
       "printers=Laser,Inkjet",
       "lbEnvDisplays",
       {"1:(0,0,1920,1080)", "2:(1920,0,1280,1024)", "3:(0,0,640,480)"},
       2,
       true},
      {"display edit keeps its number, rewrites bounds and re-sorts",
       {},
       "lbEnvDisplays",
       1,
       {Enter({{"seNumber", "0"}, {"seWidth", "1024"}},
              {{"seNumber", "2"}, {"seLeft", "1920"}, {"seWidth", "1280"}, {"seHeight", "1024"}})},
       Press("btEnvDisplaysEdit"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=0:(1920,0,1024,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvDisplays",
       {"0:(1920,0,1024,1024)", "1:(0,0,1920,1080)"},
       0,
       true},
      {"display edit to a larger number raises the count",
       {},
       "lbEnvDisplays",
       0,
       {Enter({{"seNumber", "5"}}, {{"seNumber", "1"}})},
       Press("btEnvDisplaysEdit"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=5 "
       "displays=2:(1920,0,1280,1024),5:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvDisplays",
       {"2:(1920,0,1280,1024)", "5:(0,0,1920,1080)"},
       1,
       true},
      {"display delete frees the selected line's display and keeps the count",
       {},
       "lbEnvDisplays",
       1,
       {},
       Press("btEnvDisplaysDelete"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=1:(0,0,1920,1080) printers=Laser,Inkjet",
       "lbEnvDisplays",
       {"1:(0,0,1920,1080)"},
       0,
       false},
      {"import current replaces the displays with the monitors",
       {},
       nullptr,
       -1,
       {},
       Press("btEnvDisplaysImportCurrent"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=1:(0,0,1920,1080),2:(-1280,0,1280,1024) printers=Laser,Inkjet",
       "lbEnvDisplays",
       {"1:(0,0,1920,1080)", "2:(-1280,0,1280,1024)"},
       0,
       true},
      {"typing a display count",
       {},
       nullptr,
       -1,
       {},
       [](TXALMainEditor& editor) { editor.Type("seEnvDisplaysCount", "3"); },
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=3 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet",
       nullptr,
       {},
       0,
       true},
      {"printer add of A, B, an empty entry and A again to a set without printers",
       [](TXALSet& set) { set.Environment.Printers.Clear(); },
       nullptr,
       -1,
       {Enter({{"edNames", " A, B, , A "}})},
       Press("btEnvPrintersAdd"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=A,B",
       "lbEnvPrinters",
       {"A", "B"},
       0,
       true},
      {"printer add skips names the set has in another letter case",
       {},
       nullptr,
       -1,
       {Enter({{"edNames", "laser,Duplex"}})},
       Press("btEnvPrintersAdd"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Inkjet,Duplex",
       "lbEnvPrinters",
       {"Laser", "Inkjet", "Duplex"},
       0,
       true},
      {"printer add of blank text changes nothing",
       {},
       nullptr,
       -1,
       {Enter({{"edNames", "  "}})},
       Press("btEnvPrintersAdd"),
       kFilled,
       "lbEnvPrinters",
       {"Laser", "Inkjet"},
       0,
       false},
      {"printer edit replaces the name, trimmed",
       {},
       "lbEnvPrinters",
       1,
       {Enter({{"edNames", " Plotter "}}, {{"edNames", "Inkjet"}})},
       Press("btEnvPrintersEdit"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser,Plotter",
       "lbEnvPrinters",
       {"Laser", "Plotter"},
       1,
       true},
      {"printer edit to empty deletes the name",
       {},
       "lbEnvPrinters",
       1,
       {Enter({{"edNames", " "}})},
       Press("btEnvPrintersEdit"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Laser",
       "lbEnvPrinters",
       {"Laser"},
       0,
       false},
      {"printer delete removes the first equal name",
       [](TXALSet& set) { set.Environment.Printers.Add("laser"); },
       "lbEnvPrinters",
       2,
       {},
       Press("btEnvPrintersDelete"),
       "wifi=Office ip=10.0.0.*,192.168.1.*,10.0.0.* count=2 "
       "displays=2:(1920,0,1280,1024),1:(0,0,1920,1080) printers=Inkjet,laser",
       "lbEnvPrinters",
       {"Inkjet", "laser"},
       1,
       false},
  };
  for (const HandlerCase& test : cases) {
    SCOPED_TRACE(test.what);
    Set().Environment.Clear();
    FillSet();
    if (test.prepare) {
      test.prepare(Set());
      Editor().ShowSet();
    }
    if (test.list != nullptr) {
      Editor().Select(test.list, test.line);
    }
    for (const Script& script : test.scripts) {
      view.dialogs.scripts.push_back(script);
    }
    const std::size_t shownBefore = view.dialogs.shown.size();
    const int rechecks = Rechecks();

    test.act(Editor());

    EXPECT_EQ(view.dialogs.shown.size() - shownBefore, test.scripts.size());
    EXPECT_TRUE(view.dialogs.scripts.empty());
    EXPECT_TRUE(view.dialogs.messages.empty());
    EXPECT_EQ(Conditions(Set()), test.after);
    EXPECT_EQ(Rechecks() - rechecks, test.rechecks ? 1 : 0);
    if (test.shown != nullptr) {
      const TXALControl& list = Editor().Control(test.shown);
      EXPECT_EQ(list.Items, test.lines);
      EXPECT_EQ(list.ItemIndex, test.selected);
    }
    // The spin always shows the set's count, and each display line carries its own display.
    EXPECT_EQ(Editor().Control("seEnvDisplaysCount").Text,
              std::to_string(Set().Environment.Displays.DisplayCount));
    const TXALControl& displays = Editor().Control("lbEnvDisplays");
    ASSERT_EQ(displays.ItemData.size(), displays.Items.size());
    for (std::size_t i = 0; i < displays.Items.size(); ++i) {
      const auto* display =
          reinterpret_cast<const TXALDisplay*>(static_cast<std::uintptr_t>(displays.ItemData[i]));
      EXPECT_EQ(DisplayLabel(*display), displays.Items[i]);
    }
  }
}

TEST_F(EnvironmentHandlers, WiFiValueLabelFollowsEditAndDelete) {
  FillSet();
  view.dialogs.scripts.push_back(Enter({{"edName", "Home"}}));
  Editor().Click("btEnvWiFiEdit");
  EXPECT_EQ(Editor().Control("lbEnvWiFi").Text, "Home");
  EXPECT_TRUE(Editor().Control("lbEnvWiFi").Enabled);

  Editor().Click("btEnvWiFiDelete");
  EXPECT_EQ(Editor().Control("lbEnvWiFi").Text, Text("NoSettingMsg"));
  EXPECT_FALSE(Editor().Control("lbEnvWiFi").Enabled);
}

TEST_F(EnvironmentHandlers, CancelledDialogsChangeNothing) {
  FillSet();
  Editor().Select("lbEnvIPAddresses", 1);
  Editor().Select("lbEnvDisplays", 1);
  Editor().Select("lbEnvPrinters", 1);
  const int rechecks = Rechecks();
  for (const char* button :
       {"btEnvWiFiEdit", "btEnvIPAddressesAdd", "btEnvIPAddressesEdit", "btEnvDisplaysAdd",
        "btEnvDisplaysEdit", "btEnvPrintersAdd", "btEnvPrintersEdit"}) {
    SCOPED_TRACE(button);
    // Typed into, then cancelled.
    view.dialogs.scripts.push_back([](TXALDialog& dialog) {
      for (const char* field : {"edName", "edAddress", "seNumber", "edNames"}) {
        if (dialog.Has(field)) {
          dialog.Type(field, "7");
        }
      }
      dialog.PressEscape();
    });
    Editor().Click(button);
    EXPECT_EQ(Conditions(Set()), kFilled);
  }
  EXPECT_EQ(view.dialogs.shown.size(), 7u);
  EXPECT_EQ(Rechecks(), rechecks);
  EXPECT_EQ(Editor().Control("lbEnvIPAddresses").ItemIndex, 1);
  EXPECT_EQ(Editor().Control("lbEnvPrinters").Items, (std::vector<std::string>{"Laser", "Inkjet"}));
}

TEST_F(EnvironmentHandlers, HandlersThatNeedALineDoNothingWithoutOne) {
  // The empty set: no lines to select.
  const int rechecks = Rechecks();
  for (const char* button : {"btEnvIPAddressesEdit", "btEnvIPAddressesDelete", "btEnvDisplaysEdit",
                             "btEnvDisplaysDelete", "btEnvPrintersEdit", "btEnvPrintersDelete"}) {
    SCOPED_TRACE(button);
    Editor().Click(button);
  }
  // A filled set with the selection cleared.
  FillSet();
  for (const char* list : {"lbEnvIPAddresses", "lbEnvDisplays", "lbEnvPrinters"}) {
    Editor().Select(list, -1);
  }
  for (const char* button : {"btEnvIPAddressesEdit", "btEnvIPAddressesDelete", "btEnvDisplaysEdit",
                             "btEnvDisplaysDelete", "btEnvPrintersEdit", "btEnvPrintersDelete"}) {
    SCOPED_TRACE(button);
    Editor().Click(button);
  }
  EXPECT_TRUE(view.dialogs.shown.empty());
  EXPECT_EQ(Conditions(Set()), kFilled);
  EXPECT_EQ(Rechecks(), rechecks);
}

TEST_F(EnvironmentHandlers, DisplayDialogRefusesANumberTheSetHasAndKeepsItsOwn) {
  FillSet();
  // Line 1 is display 2; taking number 1 is refused, the dialog stays open and is then closed.
  Editor().Select("lbEnvDisplays", 1);
  view.dialogs.scripts.push_back(Enter({{"seNumber", "1"}}));
  Editor().Click("btEnvDisplaysEdit");
  ASSERT_EQ(view.dialogs.messages.size(), 1u);
  EXPECT_EQ(view.dialogs.messages[0], Text("fmXALConfigDisplay_NumberExistsMsg") + "(1)");
  EXPECT_EQ(Conditions(Set()), kFilled);

  // Adding a display whose number is taken is refused alike.
  view.dialogs.scripts.push_back(Enter({{"seNumber", "2"}}));
  Editor().Click("btEnvDisplaysAdd");
  ASSERT_EQ(view.dialogs.messages.size(), 2u);
  EXPECT_EQ(view.dialogs.messages[1], Text("fmXALConfigDisplay_NumberExistsMsg") + "(2)");
  EXPECT_EQ(Conditions(Set()), kFilled);
}

TEST_F(EnvironmentHandlers, MatchingSetsFollowTheRecheckingHandlersOnly) {
  // The empty set matches; a printer that isn't installed makes it fail.
  ASSERT_EQ(main->MatchingSets().Count(), 1);
  view.dialogs.scripts.push_back(Enter({{"edNames", "Missing"}}));
  Editor().Click("btEnvPrintersAdd");
  EXPECT_EQ(main->MatchingSets().Count(), 0);
  EXPECT_FALSE(Editor().Control("lbXALSets").ItemHighlighted[0]);

  // Deleting it doesn't recheck: the set is not matching until the next recheck.
  Editor().Click("btEnvPrintersDelete");
  EXPECT_EQ(Set().Environment.Printers.Count(), 0);
  EXPECT_EQ(main->MatchingSets().Count(), 0);
  Editor().Click("btRecheck");
  EXPECT_EQ(main->MatchingSets().Count(), 1);
  EXPECT_TRUE(Editor().Control("lbXALSets").ItemHighlighted[0]);

  // The imported layout is the screen's own, so the set still matches.
  Editor().Click("btEnvDisplaysImportCurrent");
  EXPECT_EQ(main->MatchingSets().Count(), 1);
  // One display more than attached: no match.
  Editor().Type("seEnvDisplaysCount", "3");
  EXPECT_EQ(main->MatchingSets().Count(), 0);
}

}  // namespace
}  // namespace xal
