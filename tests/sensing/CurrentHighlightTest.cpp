// Which lines of the current-environment window the matching sets rely on, and its captions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/XALSet.h"
#include "platform/sim/SimMonitors.h"
#include "platform/sim/SimWindowSystem.h"
#include "sensing/XALCurrentHighlight.h"

namespace xal {
namespace {

using sim::SimMonitor;
using sim::SimWindow;

// Sets that live as long as the test, and the list of those that matched.
class Matching {
 public:
  TXALSet& Add() {
    sets_.push_back(std::make_unique<TXALSet>(nullptr));
    list_.Add(sets_.back().get());
    return *sets_.back();
  }
  const TXALSetList& List() const { return list_; }

 private:
  std::vector<std::unique_ptr<TXALSet>> sets_;
  TXALSetList list_;
};

const char* const kLine = "192.168.1.20(Intel(R) PRO/1000 10.0.0.1,{11111111-0000})";

TEST(CurrentHighlight, WiFiLineIsRedOnlyForTheExactName) {
  const struct {
    const char* name;
    std::vector<std::string> setNames;
    const char* line;
    bool red;
  } cases[] = {
      {"no matching set", {}, "Office", false},
      {"exact name", {"Office"}, "Office", true},
      {"differs in case only", {"office"}, "Office", false},
      {"second set names it", {"Cafe", "Office"}, "Office", true},
      {"prefix is not enough", {"Off"}, "Office", false},
      // A hidden network reports an empty name; a set without a Wi-Fi condition relies on none.
      {"no condition, nameless network", {""}, "", false},
  };
  for (const auto& c : cases) {
    Matching matching;
    for (const std::string& name : c.setNames) {
      matching.Add().Environment.Network.WiFi = name;
    }
    EXPECT_EQ(WiFiLineHighlighted(matching.List(), c.line), c.red) << c.name;
  }
}

TEST(CurrentHighlight, AddressLineIsRedWhenItsAddressFitsAPattern) {
  const struct {
    const char* name;
    std::vector<std::vector<std::string>> setPatterns;
    std::string line;
    bool red;
  } cases[] = {
      {"no matching set", {}, kLine, false},
      {"wildcard", {{"192.168.1.*"}}, kLine, true},
      {"exact address", {{"192.168.1.20"}}, kLine, true},
      {"other subnet", {{"192.168.2.*"}}, kLine, false},
      {"any pattern of any set", {{"10.1.*.*"}, {"172.16.0.1", "192.168.*.*"}}, kLine, true},
      // Only the text before the first "(" counts, not the adapter's name after it.
      {"address in the adapter name", {{"10.0.0.1"}}, kLine, false},
      {"line without adapter part", {{"192.168.1.*"}}, "192.168.1.20", true},
      // An unusable pattern fits nothing, and the set's other patterns still count.
      {"unusable pattern", {{"192.168.(.*"}}, kLine, false},
      {"unusable then usable", {{"192.168.(.*", "192.168.1.*"}}, kLine, true},
  };
  for (const auto& c : cases) {
    Matching matching;
    for (const auto& patterns : c.setPatterns) {
      TXALSet& set = matching.Add();
      for (const std::string& pattern : patterns) {
        set.Environment.Network.IPList.Add(pattern);
      }
    }
    EXPECT_EQ(AddressLineHighlighted(matching.List(), c.line), c.red) << c.name;
  }
}

TEST(CurrentHighlight, PrinterLineIsRedWhenListedIgnoringCase) {
  const struct {
    const char* name;
    std::vector<std::string> printers;
    const char* line;
    bool red;
  } cases[] = {
      {"listed", {"Office Laser"}, "Office Laser", true},
      {"other case", {"office LASER"}, "Office Laser", true},
      {"part of the name", {"Office"}, "Office Laser", false},
      {"not listed", {"Plotter"}, "Office Laser", false},
  };
  for (const auto& c : cases) {
    Matching matching;
    for (const std::string& printer : c.printers) {
      matching.Add().Environment.Printers.Add(printer);
    }
    EXPECT_EQ(PrinterLineHighlighted(matching.List(), c.line), c.red) << c.name;
  }
  EXPECT_FALSE(PrinterLineHighlighted(Matching().List(), "Office Laser"));
}

TEST(CurrentHighlight, AppLineIsRedWhenARuleTakesTheWindowAsItIsNow) {
  sim::SimWindowSystem windows;
  const TXALWindowHandle editor = windows.Add(SimWindow{"Notepad", "notes.txt - Notepad"});
  const TXALWindowHandle browser = windows.Add(SimWindow{"MozillaWindowClass", "Start page"});
  const TXALWindowHandle gone = windows.Add(SimWindow{"Notepad", "old.txt - Notepad"});
  windows.Destroy(gone);

  Matching matching;
  matching.Add();  // a set without rules
  TXALSet& set = matching.Add();
  TXALApp& rule = set.Target.Apps.Items(set.Target.Apps.Add(std::make_unique<TXALApp>(nullptr)));
  rule.WindowClass = "Notepad";
  rule.Title = "notes";

  EXPECT_TRUE(AppLineHighlighted(matching.List(), windows, editor));
  EXPECT_FALSE(AppLineHighlighted(matching.List(), windows, browser));
  EXPECT_FALSE(AppLineHighlighted(matching.List(), windows, gone));
  EXPECT_FALSE(AppLineHighlighted(Matching().List(), windows, editor));

  // The caption is read when the line is drawn, not when it was listed.
  windows.Window(editor).Caption = "todo.txt - Notepad";
  EXPECT_FALSE(AppLineHighlighted(matching.List(), windows, editor));
  windows.Window(browser).Caption = "notes - Start page";
  EXPECT_FALSE(AppLineHighlighted(matching.List(), windows, browser));  // class differs

  // A title-only rule takes any class.
  rule.WindowClass.clear();
  EXPECT_TRUE(AppLineHighlighted(matching.List(), windows, browser));
}

TEST(CurrentHighlight, DisplaysFollowTheFirstSetWhoseLayoutHolds) {
  struct Entry {
    int number, left, top, width, height;
  };
  struct Condition {
    int count;
    std::vector<Entry> entries;
  };
  const std::vector<TXALMonitor> two = {SimMonitor(1, 0, 0, 1920, 1080),
                                        SimMonitor(2, -1280, 120, 1280, 1024)};
  const struct {
    const char* name;
    std::vector<Condition> sets;
    const std::vector<TXALMonitor>& screen;
    bool count;
    std::vector<bool> lines;
  } cases[] = {
      {"no matching set", {}, two, false, {false, false}},
      {"set without display condition", {{0, {}}}, two, true, {false, false}},
      {"count only", {{2, {}}}, two, true, {false, false}},
      {"second display", {{0, {{2, -1280, 120, 1280, 1024}}}}, two, true, {false, true}},
      {"both displays",
       {{2, {{1, 0, 0, 1920, 1080}, {2, -1280, 120, 1280, 1024}}}},
       two,
       true,
       {true, true}},
      {"failing set is passed over",
       {{3, {{2, -1280, 120, 1280, 1024}}}, {0, {{1, 0, 0, 1920, 1080}}}},
       two,
       true,
       {true, false}},
      // The walk stops at the first set whose layout holds, even when it names no display.
      {"walk stops at the first holding set",
       {{0, {}}, {0, {{1, 0, 0, 1920, 1080}}}},
       two,
       true,
       {false, false}},
      {"one pixel off fails", {{0, {{1, 0, 0, 1920, 1081}}}}, two, false, {false, false}},
      {"no monitors", {{0, {}}}, {}, true, {}},
  };
  for (const auto& c : cases) {
    Matching matching;
    for (const Condition& condition : c.sets) {
      TXALDisplays& displays = matching.Add().Environment.Displays;
      displays.DisplayCount = condition.count;
      for (const Entry& e : condition.entries) {
        displays.AddDisplay(e.number, e.left, e.top, e.width, e.height);
      }
    }
    std::vector<TXALDisplayLine> lines;
    for (std::size_t p = 0; p < c.screen.size(); ++p) {
      lines.push_back({MakeDisplayLine(static_cast<int>(p + 1), c.screen[p]), c.screen[p]});
    }
    const TXALDisplayHighlight result = DisplaysHighlighted(matching.List(), lines);
    EXPECT_EQ(result.Count, c.count) << c.name;
    EXPECT_EQ(result.Lines, c.lines) << c.name;
  }
}

std::string ShippedLanguage(const char* name) {
  std::ifstream in(std::filesystem::path(XAL_SOURCE_DIR) / "lang" / name, std::ios::binary);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(CurrentCaptions, EveryControlHasItsTextInBothLanguages) {
  for (const char* file : {"1033.txt", "1041.txt"}) {
    TXALLanguage language;
    language.Load(ShippedLanguage(file));
    EXPECT_FALSE(CurrentWindowTitle(language).empty()) << file;
    const auto captions = CurrentControlCaptions(language);
    ASSERT_EQ(captions.size(), 18u) << file;
    for (const auto& [control, text] : captions) {
      EXPECT_FALSE(text.empty()) << file << ": " << control;
    }
  }
  TXALLanguage english;
  english.Load(ShippedLanguage("1033.txt"));
  const auto captions = CurrentControlCaptions(english);
  EXPECT_EQ(captions.front(), (std::pair<std::string, std::string>{"gbWiFi", "Wi-Fi"}));
  EXPECT_EQ(captions[5].first, "lbDisplaysCountLabel");
  EXPECT_EQ(captions[5].second, "Number of displays:");
  EXPECT_EQ(CurrentWindowTitle(english), "Current environment");
}

}  // namespace
}  // namespace xal
