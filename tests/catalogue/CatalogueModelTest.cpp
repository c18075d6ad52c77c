#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CatalogueSamples.h"
#include "catalogue/XALClasses00100.h"

namespace xal {
namespace {

using test::FillSample;
using test::MakeOfficeSet;

TEST(CatalogueModel, NewObjectsHoldTheirDefaults) {
  TXALComponent owner;
  TXALApp app(&owner);
  EXPECT_EQ(app.Owner, &owner);
  EXPECT_EQ(app.Display, 1);
  EXPECT_EQ(app.State, TXALAppState::Normal);
  EXPECT_EQ(app.Position, (TXALRect{0, 0, -1, -1}));
  EXPECT_EQ(app.Width(), -1);
  EXPECT_EQ(app.Height(), -1);
  EXPECT_TRUE(app.Title.empty() && app.WindowClass.empty() && app.Name.empty() &&
              app.DefaultPrinter.empty());

  TXALDisplay display(&owner);
  EXPECT_EQ(display.Number, -1);
  EXPECT_EQ(display.Bounds, (TXALRect{-1, -1, -1, -1}));

  TXALStartup startup(&owner);
  EXPECT_FALSE(startup.OnlyNew);

  TXALSet set(&owner);
  EXPECT_EQ(set.Name, "");
  EXPECT_EQ(set.Environment.Displays.DisplayCount, 0);
  EXPECT_EQ(set.Environment.Displays.Count(), 0);
  // Children carry the creator's owner.
  EXPECT_EQ(set.Environment.Network.Owner, &owner);
  EXPECT_EQ(set.Target.Network.IPSettings.Owner, &owner);
  EXPECT_EQ(set.Target.Apps.Owner, &owner);
}

TEST(CatalogueModel, ClearRestoresDefaults) {
  TXALComponent owner;
  auto set = MakeOfficeSet(&owner);
  set->Clear();
  EXPECT_TRUE(set->Equals(TXALSet(&owner)));

  TXALApp app(&owner);
  app.Assign(MakeOfficeSet(&owner)->Target.Apps.Items(0));
  app.Clear();
  EXPECT_TRUE(app.Equals(TXALApp(&owner)));
}

TEST(CatalogueModel, CatalogueAndSettingsRefuseAMissingOwner) {
  try {
    TXALSets sets(nullptr);
    FAIL() << "no error";
  } catch (const EXALError& error) {
    EXPECT_STREQ(error.what(), "Owner of XALSets Object can not be nil.");
  }
  try {
    TXALSetting setting(nullptr);
    FAIL() << "no error";
  } catch (const EXALError& error) {
    EXPECT_STREQ(error.what(), "Owner of Setting Object can not be nil.");
  }
  // The other classes carry whatever they are given.
  EXPECT_NO_THROW(TXALSet(nullptr));
}

TEST(CatalogueModel, AssignMakesAnIndependentDeepCopyWithItsOwnOwner) {
  TXALComponent mainWindow;
  TXALComponent dialog;
  TXALSets source(&mainWindow);
  FillSample(source, false);
  TXALSets copy(&dialog);
  copy.Add(std::make_unique<TXALSet>(&dialog));  // replaced, not kept
  copy.Assign(source);

  ASSERT_TRUE(copy.Equals(source));
  ASSERT_EQ(copy.Count(), 3);
  const TXALSet& office = copy.Items(0);
  EXPECT_EQ(office.Owner, &dialog);
  EXPECT_EQ(office.Environment.Displays.Items(1).Owner, &dialog);
  EXPECT_EQ(office.Target.Apps.Items(0).Owner, &dialog);
  EXPECT_EQ(office.Target.Startups.Items(0).Owner, &dialog);
  EXPECT_EQ(office.Target.Network.IPSettings.Items(0).Owner, &dialog);

  // Changes to either side do not show in the other.
  source.Items(0).Target.Apps.Items(0).Title = "changed";
  copy.Items(0).Environment.Printers.Add("Extra");
  EXPECT_EQ(copy.Items(0).Target.Apps.Items(0).Title, "<draft>");
  EXPECT_EQ(source.Items(0).Environment.Printers.Count(), 2);
  EXPECT_FALSE(copy.Equals(source));

  // Assigning an object to itself keeps it.
  copy.Assign(copy);
  EXPECT_EQ(copy.Count(), 3);
  copy.Items(0).Assign(copy.Items(0));
  EXPECT_EQ(copy.Items(0).Name, "Office");
}

// Each case changes one field of a copy of the office set; the copy must then differ.
TEST(CatalogueModel, EqualsSeesEveryFieldAndOrder) {
  struct Case {
    const char* what;
    std::function<void(TXALSet&)> change;
  };
  const std::vector<Case> cases = {
      {"name case", [](TXALSet& s) { s.Name = "office"; }},
      {"display count", [](TXALSet& s) { s.Environment.Displays.DisplayCount = 1; }},
      {"display number", [](TXALSet& s) { s.Environment.Displays.Items(0).Number = 3; }},
      {"display bottom", [](TXALSet& s) { s.Environment.Displays.Items(0).Bounds.Bottom = 1; }},
      {"printer order", [](TXALSet& s) { s.Environment.Printers.Move(0, 1); }},
      {"printer case", [](TXALSet& s) { s.Environment.Printers.Items(0) = "laser a"; }},
      {"wifi", [](TXALSet& s) { s.Environment.Network.WiFi = ""; }},
      {"pattern order", [](TXALSet& s) { s.Environment.Network.IPList.Move(1, 0); }},
      {"ip setting dns2", [](TXALSet& s) { s.Target.Network.IPSettings.Items(0).DNS2 = ""; }},
      {"mask", [](TXALSet& s) { s.Target.Network.IPSettings.Items(2).SubnetMask = ""; }},
      {"proxy", [](TXALSet& s) { s.Target.Network.Proxy = "off"; }},
      {"script", [](TXALSet& s) { s.Target.Network.AutoConfigURL = "off"; }},
      {"default printer", [](TXALSet& s) { s.Target.DefaultPrinter = ""; }},
      {"startup only-new", [](TXALSet& s) { s.Target.Startups.Items(0).OnlyNew = false; }},
      {"startup dropped", [](TXALSet& s) { s.Target.Startups.Delete(1); }},
      {"app state", [](TXALSet& s) { s.Target.Apps.Items(0).State = TXALAppState::Normal; }},
      {"app display", [](TXALSet& s) { s.Target.Apps.Items(0).Display = 1; }},
      {"app right", [](TXALSet& s) { s.Target.Apps.Items(0).Position.Right = 0; }},
      {"app printer", [](TXALSet& s) { s.Target.Apps.Items(0).DefaultPrinter = "x"; }},
  };
  TXALComponent owner;
  TXALComponent otherOwner;
  const auto original = MakeOfficeSet(&owner);
  const auto sameButOwner = MakeOfficeSet(&otherOwner);
  EXPECT_TRUE(original->Equals(*sameButOwner));
  EXPECT_FALSE(original->Equals(nullptr));
  for (const Case& c : cases) {
    auto changed = MakeOfficeSet(&owner);
    c.change(*changed);
    EXPECT_FALSE(original->Equals(*changed)) << c.what;
    EXPECT_FALSE(changed->Equals(original.get())) << c.what;
  }

  TXALSets a(&owner);
  TXALSets b(&otherOwner);
  EXPECT_TRUE(a.Equals(b));
  a.ResetToDefault();
  EXPECT_FALSE(a.Equals(b));
}

TEST(CatalogueModel, ResetToDefaultLeavesOneDefaultSet) {
  TXALComponent owner;
  TXALSets sets(&owner);
  FillSample(sets, false);
  sets.ResetToDefault();
  ASSERT_EQ(sets.Count(), 1);
  TXALSet expected(&owner);
  expected.Name = "Default";
  EXPECT_TRUE(sets.Items(0).Equals(expected));
  EXPECT_EQ(sets.Items(0).Owner, &owner);
}

TEST(CatalogueModel, CollectionsAddDeleteMoveAndCheckIndexes) {
  TXALComponent owner;
  TXALApps apps(&owner);
  for (const char* name : {"a", "b", "c", "d"}) {
    auto app = std::make_unique<TXALApp>(&owner);
    app->Name = name;
    const int index = apps.Add(std::move(app));
    EXPECT_EQ(index, apps.Count() - 1);
  }
  const auto names = [&apps] {
    std::string out;
    for (int i = 0; i < apps.Count(); ++i) {
      out += apps.Items(i).Name;
    }
    return out;
  };
  apps.Move(0, 2);
  EXPECT_EQ(names(), "bcad");
  apps.Move(3, 0);
  EXPECT_EQ(names(), "dbca");
  apps.Delete(1);
  EXPECT_EQ(names(), "dca");

  for (int bad : {-1, 3}) {
    EXPECT_THROW(apps.Items(bad), EListIndexError) << bad;
    EXPECT_THROW(apps.Delete(bad), EListIndexError) << bad;
    EXPECT_THROW(apps.Move(0, bad), EListIndexError) << bad;
  }
  EXPECT_THROW(apps.Add(nullptr), EXALError);
  EXPECT_EQ(names(), "dca");

  TXALPrinters printers(&owner);
  printers.Add("A");
  EXPECT_THROW(printers.Items(1), EListIndexError);
}

TEST(CatalogueModel, StringListLookupIgnoresLetterCase) {
  TXALComponent owner;
  TXALPrinters printers(&owner);
  printers.Add("Laser A");
  printers.Add("Büro Drucker");
  printers.Add("laser a");
  EXPECT_EQ(printers.IndexOf("LASER A"), 0);
  EXPECT_EQ(printers.IndexOf("büro drucker"), 1);
  EXPECT_EQ(printers.IndexOf("Laser"), -1);
  TXALEnvIPList patterns;
  EXPECT_EQ(patterns.IndexOf(""), -1);
}

TEST(CatalogueModel, PlainListsReferToItemsWithoutOwningThem) {
  TXALComponent owner;
  TXALSets sets(&owner);
  FillSample(sets, false);
  TXALSetList matching;
  matching.Add(&sets.Items(2));
  matching.Add(&sets.Items(0));
  EXPECT_EQ(matching.IndexOf(&sets.Items(0)), 1);
  EXPECT_EQ(matching.IndexOf(&sets.Items(1)), -1);
  matching.Clear();
  EXPECT_EQ(sets.Count(), 3);

  TXALHandleList handles;
  handles.Add(0x10);
  handles.Add(0x20);
  EXPECT_EQ(handles.IndexOf(0x20), 1);
  handles.Delete(0);
  EXPECT_EQ(handles.Items(0), 0x20u);
  EXPECT_THROW(handles.Items(1), EListIndexError);
}

TEST(CatalogueModel, AddDisplayBuildsBoundsFromSize) {
  TXALComponent owner;
  TXALDisplays displays(&owner);
  TXALDisplay& display = displays.AddDisplay(2, 1920, 0, 1280, 1024);
  EXPECT_EQ(displays.Count(), 1);
  EXPECT_EQ(&displays.Items(0), &display);
  EXPECT_EQ(display.Owner, &owner);
  EXPECT_EQ(display.Number, 2);
  EXPECT_EQ(display.Bounds, (TXALRect{1920, 0, 3200, 1024}));
  EXPECT_EQ(display.Width(), 1280);
  EXPECT_EQ(display.Height(), 1024);
}

TEST(CatalogueModel, IPSettingHasValuesUnlessOnlyTheMaskIsSet) {
  TXALComponent owner;
  TXALTargetIPSettings settings(&owner);
  std::string TXALTargetIPSetting::*const fields[] = {
      &TXALTargetIPSetting::Adapter, &TXALTargetIPSetting::Address, &TXALTargetIPSetting::Gateway,
      &TXALTargetIPSetting::DNS1, &TXALTargetIPSetting::DNS2};
  for (auto field : fields) {
    auto setting = std::make_unique<TXALTargetIPSetting>(&owner);
    (*setting).*field = "x";
    EXPECT_TRUE(setting->HasValues());
    settings.Add(std::move(setting));
  }
  auto maskOnly = std::make_unique<TXALTargetIPSetting>(&owner);
  maskOnly->SubnetMask = "255.255.255.0";
  EXPECT_FALSE(maskOnly->HasValues());
  settings.Add(std::move(maskOnly));
  settings.Add(std::make_unique<TXALTargetIPSetting>(&owner));
  EXPECT_EQ(settings.Count(), 7);
  EXPECT_EQ(settings.NonEmptyCount(), 5);
}

TEST(CatalogueModel, PlacementRuleMatching) {
  struct Case {
    const char* ruleClass;
    const char* ruleTitle;
    const char* windowClass;
    const char* windowTitle;
    bool matches;
  };
  const Case cases[] = {
      {"Notepad", "", "Notepad", "anything", true},
      {"Notepad", "", "notepad", "anything", false},
      {"Notepad", "draft", "Notepad", "my draft.txt", true},
      {"Notepad", "draft", "Notepad", "my Draft.txt", false},
      {"Notepad", "draft", "Other", "my draft.txt", false},
      {"", "Report", "AnyClass", "Monthly Report - Viewer", true},
      {"", "Report", "AnyClass", "monthly report", false},
      {"", "", "Notepad", "anything", false},
      {"", "", "", "", false},
      {"", "東京", "C", "会議 東京", true},
  };
  TXALComponent owner;
  for (const Case& c : cases) {
    TXALApp app(&owner);
    app.WindowClass = c.ruleClass;
    app.Title = c.ruleTitle;
    EXPECT_EQ(app.Matches(c.windowClass, c.windowTitle), c.matches)
        << c.ruleClass << "/" << c.ruleTitle << " vs " << c.windowClass << "/" << c.windowTitle;
  }
}

TEST(CatalogueModel, FindMatchTakesTheFirstMatchingRule) {
  TXALComponent owner;
  TXALApps apps(&owner);
  for (const char* title : {"zzz", "Report", "Rep"}) {
    auto app = std::make_unique<TXALApp>(&owner);
    app->Title = title;
    apps.Add(std::move(app));
  }
  EXPECT_EQ(apps.FindMatch("C", "Report 1"), &apps.Items(1));
  EXPECT_EQ(apps.FindMatch("C", "Rep 1"), &apps.Items(2));
  EXPECT_EQ(apps.FindMatch("C", "nothing"), nullptr);
}

TEST(CatalogueModel, StateTextsConvertExactly) {
  const std::pair<TXALAppState, const char*> states[] = {{TXALAppState::Normal, "Normal"},
                                                         {TXALAppState::Minimized, "Minimized"},
                                                         {TXALAppState::Maximized, "Maximized"}};
  TXALComponent owner;
  TXALApp app(&owner);
  for (const auto& [state, text] : states) {
    app.State = state;
    EXPECT_EQ(app.StateToText(), text);
    EXPECT_EQ(TXALApp::StateFromText(text), state);
  }
  for (const char* bad : {"normal", "MAXIMIZED", "", " Normal", "Hidden"}) {
    try {
      TXALApp::StateFromText(bad);
      ADD_FAILURE() << bad;
    } catch (const EXALError& error) {
      EXPECT_EQ(std::string(error.what()), bad);
    }
  }
  // A huge value is quoted by its start only.
  try {
    TXALApp::StateFromText(std::string(10'000'000, 'x'));
    ADD_FAILURE();
  } catch (const EXALError& error) {
    EXPECT_LT(std::string(error.what()).size(), 100u);
  }
}

TEST(CatalogueModel, SettingDefaultsAssignAndEquals) {
  TXALComponent owner;
  TXALSetting setting(&owner);
  EXPECT_EQ(setting.WhiteList.Count(), 0);
  EXPECT_EQ(setting.BlackList.Count(), 0);
  EXPECT_FALSE(setting.ManageInvisibleWindows);

  setting.WhiteList.Add("Old");
  setting.ManageInvisibleWindows = true;
  setting.LoadDefaults();
  EXPECT_FALSE(setting.ManageInvisibleWindows);
  ASSERT_EQ(setting.WhiteList.Count(), 9);
  ASSERT_EQ(setting.BlackList.Count(), 10);
  EXPECT_EQ(setting.WhiteList.Items(0), "CabinetWClass");
  EXPECT_EQ(setting.WhiteList.Items(8), "MSWinPub");
  EXPECT_EQ(setting.BlackList.Items(0), "Shell_TrayWnd");
  EXPECT_EQ(setting.BlackList.Items(9), "Alternate Owner");
  EXPECT_EQ(setting.WhiteList.IndexOf("cabinetwclass"), 0);

  TXALComponent dialog;
  TXALSetting copy(&dialog);
  copy.BlackList.Add("Gone");
  copy.Assign(setting);
  EXPECT_TRUE(copy.Equals(setting));
  EXPECT_EQ(copy.Owner, &dialog);
  copy.WhiteList.Delete(0);
  EXPECT_FALSE(copy.Equals(setting));
  EXPECT_EQ(setting.WhiteList.Count(), 9);
}

}  // namespace
}  // namespace xal
