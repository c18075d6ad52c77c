// Cut, copy and paste in the main window's editor, through the simulated clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "editor/EditorFixture_clip.h"

namespace xal {
namespace {

// The places that hold items of the selected set.
const char* const kSetPlaces[] = {"lbEnvIPAddresses",    "lbEnvDisplays",    "lbEnvPrinters",
                                  "sgTargetIPAddresses", "sgTargetStartups", "sgTargetApps"};
const char* const kAllPlaces[] = {"lbXALSets",     "lbEnvIPAddresses",    "lbEnvDisplays",
                                  "lbEnvPrinters", "sgTargetIPAddresses", "sgTargetStartups",
                                  "sgTargetApps"};

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  text.reserve(piece.size() * static_cast<std::size_t>(times));
  for (int i = 0; i < times; ++i) {
    text += piece;
  }
  return text;
}

class Clipboard : public ClipEditorFixture {
 protected:
  bool IsGrid(std::string_view control) const { return control.substr(0, 2) == "sg"; }

  // How many items the place holds in the catalogue.
  int Count(std::string_view control) {
    const TXALSet& set = current();
    if (control == "lbXALSets")
      return sets().Count();
    if (control == "lbEnvIPAddresses")
      return set.Environment.Network.IPList.Count();
    if (control == "lbEnvDisplays")
      return set.Environment.Displays.Count();
    if (control == "lbEnvPrinters")
      return set.Environment.Printers.Count();
    if (control == "sgTargetIPAddresses")
      return set.Target.Network.IPSettings.Count();
    if (control == "sgTargetStartups")
      return set.Target.Startups.Count();
    return set.Target.Apps.Count();
  }

  // The text an item travels as.
  std::string ItemText(std::string_view control, int index) {
    const TXALSet& set = current();
    if (control == "lbXALSets")
      return sets().Items(index).ToText();
    if (control == "lbEnvIPAddresses")
      return set.Environment.Network.IPList.Items(index);
    if (control == "lbEnvDisplays")
      return set.Environment.Displays.Items(index).ToText();
    if (control == "lbEnvPrinters")
      return set.Environment.Printers.Items(index);
    if (control == "sgTargetIPAddresses")
      return set.Target.Network.IPSettings.Items(index).ToText();
    if (control == "sgTargetStartups")
      return set.Target.Startups.Items(index).ToText();
    return set.Target.Apps.Items(index).ToText();
  }

  // The address a grid row carries for the item.
  std::uint64_t ItemAddress(std::string_view control, int index) {
    const TXALSet& set = current();
    const void* item = control == "sgTargetIPAddresses"
                           ? static_cast<const void*>(&set.Target.Network.IPSettings.Items(index))
                       : control == "sgTargetStartups"
                           ? static_cast<const void*>(&set.Target.Startups.Items(index))
                           : static_cast<const void*>(&set.Target.Apps.Items(index));
    return reinterpret_cast<std::uintptr_t>(item);
  }

  // How many items the control shows: lines of a list, rows of a grid that carry one.
  int Shown(std::string_view control) const {
    const TXALControl& shown = editor->Control(control);
    if (!IsGrid(control)) {
      return static_cast<int>(shown.Items.size());
    }
    return static_cast<int>(std::count_if(shown.ItemData.begin(), shown.ItemData.end(),
                                          [](std::uint64_t item) { return item != 0; }));
  }

  // The catalogue as the data file would hold it; throws when it holds what can't be stored.
  std::string Saved() { return sets().SaveToBytes("test"); }

  void Paste(const char* control, const std::string& text) {
    clipboard().text = text;
    Key(control, TXALKey::V);
  }
};

TEST_F(Clipboard, CutThenPasteMovesEachKindOfItemToTheEnd) {
  for (const char* control : kSetPlaces) {
    SCOPED_TRACE(control);
    FillFirstSet();
    const int before = Count(control);
    editor->Select(control, 0);
    const std::string text = ItemText(control, 0);

    Key(control, TXALKey::X);
    EXPECT_EQ(clipboard().text, text);
    EXPECT_EQ(Count(control), before - 1);
    EXPECT_EQ(Shown(control), before - 1);

    Key(control, TXALKey::V);
    ASSERT_EQ(Count(control), before);
    EXPECT_EQ(ItemText(control, before - 1), text);
    EXPECT_EQ(Shown(control), before);
    const TXALControl& shown = editor->Control(control);
    if (IsGrid(control)) {
      // The new row is the last one, selected, and carries the new item.
      EXPECT_EQ(shown.ItemIndex, static_cast<int>(shown.Cells.size()) - 1);
      EXPECT_EQ(shown.ItemData.back(), ItemAddress(control, before - 1));
    } else if (std::string_view(control) != "lbEnvDisplays") {
      EXPECT_EQ(shown.Items.back(), ItemText(control, before - 1));
    }
    // The pasted copy reads back as it was copied, and the catalogue can still be saved.
    EXPECT_NO_THROW(Saved());
  }
}

TEST_F(Clipboard, PastedRuleShowsItsDetailsAndPastedDisplayItsLine) {
  FillFirstSet();
  clipboard().text = current().Target.Apps.Items(0).ToText();
  editor->Select("sgTargetApps", 0);
  Key("sgTargetApps", TXALKey::V);
  EXPECT_EQ(editor->Control("sgTargetApps").Cells.back()[1], "Notepad");
  EXPECT_EQ(editor->Control("lbTargetAppDisplay").Text, "2");
  EXPECT_EQ(editor->Control("lbTargetAppWidth").Text, "800");

  clipboard().text = "<Display Number=\"3\" Left=\"-1280\" Top=\"0\" Right=\"0\" Bottom=\"1024\"/>";
  Key("lbEnvDisplays", TXALKey::V);
  const auto& lines = editor->Control("lbEnvDisplays").Items;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "3:(-1280,0,1280,1024)"), lines.end());
  EXPECT_EQ(current().Environment.Displays.DisplayCount, 3) << "raised to the largest number";
  EXPECT_EQ(editor->Control("seEnvDisplaysCount").Text, "3");
}

TEST_F(Clipboard, PastedSetIsAnIndependentSecondSet) {
  FillFirstSet();
  const std::string text = current().ToText();
  Key("lbXALSets", TXALKey::C);
  ASSERT_EQ(clipboard().text, text);
  Key("lbXALSets", TXALKey::V);

  ASSERT_EQ(sets().Count(), 2);
  TXALSet& first = sets().Items(0);
  TXALSet& second = sets().Items(1);
  EXPECT_EQ(second.Name, "Office");
  EXPECT_EQ(second.ToText(), text);
  EXPECT_EQ(editor->Control("lbXALSets").Items, (std::vector<std::string>{"Office", "Office"}));
  EXPECT_EQ(editor->CurrentSet(), &second) << "the pasted set is selected and shown";
  EXPECT_EQ(editor->Control("lbEnvWiFi").Text, second.Environment.Network.WiFi);

  second.Environment.Network.IPList.Add("1.2.3.4");
  second.Target.Apps.Items(0).Title = "changed";
  EXPECT_EQ(first.Environment.Network.IPList.Count(), 2);
  EXPECT_EQ(first.Target.Apps.Items(0).Title, "<draft>");
}

TEST_F(Clipboard, CutOfTheOnlySetLeavesDefaultAndPasteBringsItBack) {
  FillFirstSet();
  const std::string text = current().ToText();
  Key("lbXALSets", TXALKey::X);
  EXPECT_EQ(clipboard().text, text);
  ASSERT_EQ(sets().Count(), 1);
  EXPECT_EQ(sets().Items(0).Name, "Default");
  Key("lbXALSets", TXALKey::V);
  ASSERT_EQ(sets().Count(), 2);
  EXPECT_EQ(sets().Items(1).ToText(), text);
}

TEST_F(Clipboard, PasteRechecksWhereTheTableSaysSo) {
  // The empty "Default" set matches anywhere; a pasted condition the computer doesn't meet
  // ends that at once.
  const struct {
    const char* control;
    const char* text;
  } cases[] = {
      {"lbEnvIPAddresses", "203.0.113.77"},
      {"lbEnvDisplays", "<Display Number=\"9\" Left=\"0\" Top=\"0\" Right=\"1\" Bottom=\"1\"/>"},
      {"lbEnvPrinters", "No Such Printer"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    sets().Items(0).Clear();
    sets().Items(0).Name = "Default";
    editor->ShowSet();
    main->Recheck();
    ASSERT_GE(main->MatchingSets().IndexOf(&current()), 0);
    Paste(c.control, c.text);
    EXPECT_EQ(Count(c.control), 1);
    EXPECT_LT(main->MatchingSets().IndexOf(&current()), 0);
  }
  // A pasted set with no conditions matches as soon as it is there.
  Paste("lbXALSets", "<XALSet Name=\"Anywhere\"><Environment/><Target/></XALSet>");
  ASSERT_EQ(sets().Count(), 2);
  EXPECT_GE(main->MatchingSets().IndexOf(&sets().Items(1)), 0);
  EXPECT_TRUE(editor->Control("lbXALSets").ItemHighlighted[1]);
}

TEST_F(Clipboard, HostilePastesAddAtMostOneItemAndLeaveTheCatalogueStorable) {
  const std::vector<std::string> texts = {
      "",
      "   \r\n",
      "plain words",
      "<Display",
      "<IPSetting Address=\"1.2.3.4\"/><IPSetting Address=\"5.6.7.8\"/>",
      "<App><State Value=\"Sideways\"/></App>",
      "<Startup Name=\"s\" FilePath=\"p\" OnlyNew=\"perhaps\"/>",
      "<Display Number=\"one\"/>",
      "<XALSet><Environment/><Target/></XALSet>",
      Repeat("<Display>", 50000) + Repeat("</Display>", 50000),
      "<XALSet Name=\"deep\"><Environment>" + Repeat("<Printers>", 50000) +
          Repeat("</Printers>", 50000) + "</Environment><Target/></XALSet>",
      "<Display Number=\"&#1;\"/>",
      "<XALSet Name=\"a&#xFFFE;\"><Environment/><Target/></XALSet>",
      "<XALSet Name=\"\xFF\xFE\"><Environment/><Target/></XALSet>",
      "\xC3\x28\xE2\x82",
      "Bad\x01Printer",
      "10.0.0.1\x80",
      "<?xml version=\"1.0\"?><Startup Name=\"s\" FilePath=\"p\"/>",
      "<!-- note --><App Name=\"x\"/>",
      "<App Name=\"x\" Class=\"c\"/>",
      "<XALSet Name=\"other\"><Environment/><Target/></XALSet>",
      // As much as the clipboard gives; last, since a printer list takes it as one name.
      std::string(16 * 1024 * 1024, '<'),
  };
  for (const char* control : kAllPlaces) {
    SCOPED_TRACE(control);
    FillFirstSet();
    for (std::size_t i = 0; i < texts.size(); ++i) {
      SCOPED_TRACE("paste " + std::to_string(i));
      const int before = Count(control);
      const std::string saved = Saved();
      ASSERT_NO_THROW(Paste(control, texts[i]));
      const int added = Count(control) - before;
      EXPECT_TRUE(added == 0 || added == 1) << added;
      EXPECT_EQ(Shown(control), Count(control));
      if (added == 0) {
        EXPECT_EQ(Saved(), saved) << "nothing else changed";
      }
      // Whatever came in, the data file can hold it and reads it back the same.
      std::string bytes;
      ASSERT_NO_THROW(bytes = Saved());
      TXALSets reread(sets().Owner);
      reread.LoadFromBytes(bytes, "XALData.xml");
      EXPECT_EQ(reread.SaveToBytes("test"), bytes);
    }
  }
}

TEST_F(Clipboard, PlainEntriesAreTrimmedCheckedAndSplit) {
  const struct {
    const char* control;
    const char* text;
    std::vector<std::string> added;
  } cases[] = {
      {"lbEnvIPAddresses", "  10.1.*.*\t\r\n", {"10.1.*.*"}},
      {"lbEnvIPAddresses", "10.1.256.1", {}},
      {"lbEnvIPAddresses", "10.1.*", {}},
      {"lbEnvIPAddresses", "10.1.2*.1", {}},
      {"lbEnvIPAddresses", "192.168.*.*", {"192.168.*.*"}},  // patterns may repeat
      {"lbEnvPrinters", "laser a, New , ,new,Laser A", {"New"}},
      {"lbEnvPrinters", "Good,Bad\x01One,\xFF\xFE,Tab\tInside", {"Good", "Tab\tInside"}},
      {"lbEnvPrinters", " , ,", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " <- " + c.text);
    FillFirstSet();
    const int before = Count(c.control);
    Paste(c.control, c.text);
    ASSERT_EQ(Count(c.control), before + static_cast<int>(c.added.size()));
    for (std::size_t i = 0; i < c.added.size(); ++i) {
      EXPECT_EQ(ItemText(c.control, before + static_cast<int>(i)), c.added[i]);
    }
    EXPECT_EQ(Shown(c.control), Count(c.control));
  }
}

TEST_F(Clipboard, PasteOfVeryManyPrinterNamesStaysQuick) {
  FillFirstSet();
  std::string text;
  for (int i = 0; i < 200000; ++i) {
    text += "Printer " + std::to_string(i) + ",";
  }
  const auto start = std::chrono::steady_clock::now();
  Paste("lbEnvPrinters", text + "printer 7");
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(Count("lbEnvPrinters"), 2 + 200000);
  EXPECT_LT(took, std::chrono::seconds(20));
}

TEST_F(Clipboard, AnotherKindOfItemGivesAnItemWithDefaults) {
  FillFirstSet();
  const int before = Count("sgTargetStartups");
  Paste("sgTargetStartups", current().Target.Apps.Items(0).ToText());
  ASSERT_EQ(Count("sgTargetStartups"), before + 1);
  TXALStartup defaults(sets().Owner);
  EXPECT_TRUE(current().Target.Startups.Items(before).Equals(defaults));
}

TEST_F(Clipboard, EmptyIPSettingCopiesTheEmptyTextWhichPastesNothing) {
  FillFirstSet();
  // The third IP setting holds only a subnet mask, which its text form leaves out.
  editor->Select("sgTargetIPAddresses", 2);
  Key("sgTargetIPAddresses", TXALKey::C);
  EXPECT_EQ(clipboard().text, "");
  Key("sgTargetIPAddresses", TXALKey::V);
  EXPECT_EQ(Count("sgTargetIPAddresses"), 3);
}

TEST_F(Clipboard, NothingSelectedLeavesTheClipboardAlone) {
  // The Default set is empty: every grid holds only its placeholder row, every list no line.
  for (const char* control : kSetPlaces) {
    SCOPED_TRACE(control);
    clipboard().text = "kept";
    Key(control, TXALKey::C);
    Key(control, TXALKey::X);
    EXPECT_EQ(clipboard().text, "kept");
    EXPECT_EQ(clipboard().writes, 0);
  }
  // A list with lines but none selected.
  FillFirstSet();
  editor->Select("lbEnvPrinters", -1);
  Key("lbEnvPrinters", TXALKey::X);
  EXPECT_EQ(clipboard().text, "kept");
  EXPECT_EQ(Count("lbEnvPrinters"), 2);
}

TEST_F(Clipboard, OnlyCtrlAloneCopiesCutsAndPastes) {
  FillFirstSet();
  clipboard().text = "kept";
  const int apps = Count("sgTargetApps");
  const unsigned others[] = {kModifierCtrl | kModifierShift, kModifierCtrl | kModifierAlt,
                             kModifierShift, kModifierNone};
  for (unsigned modifiers : others) {
    Key("sgTargetApps", TXALKey::C, modifiers);
    Key("sgTargetApps", TXALKey::X, modifiers);
    Key("sgTargetApps", TXALKey::V, modifiers);
  }
  EXPECT_EQ(clipboard().text, "kept");
  EXPECT_EQ(clipboard().writes, 0);
  EXPECT_EQ(Count("sgTargetApps"), apps);
}

TEST_F(Clipboard, MenuEntriesActOnTheControlTheMenuWasOpenedOn) {
  FillFirstSet();
  ASSERT_TRUE(editor->RightClick("sgTargetStartups", 0));
  editor->MenuClick("miCopy");
  EXPECT_EQ(clipboard().text, current().Target.Startups.Items(0).ToText());
  ASSERT_TRUE(editor->RightClick("sgTargetStartups", 1));
  editor->MenuClick("miPaste");
  ASSERT_EQ(Count("sgTargetStartups"), 3);
  EXPECT_EQ(current().Target.Startups.Items(2).Name, "Mail");
}

TEST_F(Clipboard, CutKeepsTheItemWhenTheClipboardRefusesIt) {
  FillFirstSet();
  clipboard().text = "kept";
  clipboard().refuseWrites = true;
  for (const char* control : kAllPlaces) {
    SCOPED_TRACE(control);
    editor->Select(control, 0);
    const int before = Count(control);
    Key(control, TXALKey::X);
    EXPECT_EQ(Count(control), before);
  }
  EXPECT_EQ(clipboard().text, "kept");
}

}  // namespace
}  // namespace xal
