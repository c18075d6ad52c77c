#include <gtest/gtest.h>

#include <string>

#include "CatalogueSamples.h"
#include "catalogue/XALSetting.h"
#include "catalogue/XmlParser.h"
#include "platform/sim/SimFileSystem.h"

namespace xal {
namespace {

using test::Crlf;

const char* const kSettingFile = "C:\\Data\\XALSetting.xml";

const std::string kDefaultsFile = Crlf(R"(<?xml version="1.0" encoding="utf-8"?>
<!--Kelpra settings-->
<XALSetting>
  <Classes>
    <WhiteList>
      <Class Name="CabinetWClass"/>
      <Class Name="ExplorerWClass"/>
      <Class Name="OpusApp"/>
      <Class Name="XLMAIN"/>
      <Class Name="PPTFrameClass"/>
      <Class Name="rctrl_renwnd32"/>
      <Class Name="OMain"/>
      <Class Name="Framework::CFrame"/>
      <Class Name="MSWinPub"/>
    </WhiteList>
    <BlackList>
      <Class Name="Shell_TrayWnd"/>
      <Class Name="Button"/>
      <Class Name="ReBarWindow32"/>
      <Class Name="TrayNotifyWnd"/>
      <Class Name="DV2ControlHost"/>
      <Class Name="BaseBar"/>
      <Class Name="Internet Explorer_Hidden"/>
      <Class Name="TApplication"/>
      <Class Name="#32770"/>
      <Class Name="Alternate Owner"/>
    </BlackList>
  </Classes>
</XALSetting>
)");

class SettingFile : public ::testing::Test {
 protected:
  TXALComponent owner_;
  TXALSetting setting_{&owner_};
  sim::SimFileSystem files_;
};

TEST_F(SettingFile, WritesTheDefaultsExactly) {
  setting_.LoadDefaults();
  files_.ForceDirectories("C:\\Data");
  setting_.SaveToFile(files_, kSettingFile, "Kelpra settings");
  EXPECT_EQ(files_.FileBytes(kSettingFile), kDefaultsFile);

  TXALSetting loaded(&owner_);
  loaded.LoadFromFile(files_, kSettingFile);
  EXPECT_TRUE(loaded.Equals(setting_));
}

TEST_F(SettingFile, WritesTheSwitchAndEmptyLists) {
  setting_.ManageInvisibleWindows = true;
  EXPECT_EQ(setting_.SaveToBytes("c"), Crlf(R"(<?xml version="1.0" encoding="utf-8"?>
<!--c-->
<XALSetting>
  <Options>
    <ManageInvisibleWindows/>
  </Options>
  <Classes>
    <WhiteList/>
    <BlackList/>
  </Classes>
</XALSetting>
)"));
  TXALSetting loaded(&owner_);
  loaded.LoadFromBytes(setting_.SaveToBytes("c"), "");
  EXPECT_TRUE(loaded.Equals(setting_));
}

TEST_F(SettingFile, ReaderRules) {
  setting_.WhiteList.Add("Kept");
  setting_.LoadFromBytes(
      "<XALSetting><ManageInvisibleWindows/>"
      "<Classes><WhiteList><Class Name=\"A\"/><Class/><Class Name=\"\"/><class Name=\"x\"/>"
      "<Class Name=\"A\"/></WhiteList><BlackList/><Other><Class Name=\"y\"/></Other></Classes>"
      "<Options><Unknown/></Options></XALSetting>",
      "");
  EXPECT_FALSE(setting_.ManageInvisibleWindows);
  ASSERT_EQ(setting_.WhiteList.Count(), 3);
  EXPECT_EQ(setting_.WhiteList.Items(0), "Kept");
  EXPECT_EQ(setting_.WhiteList.Items(1), "A");
  EXPECT_EQ(setting_.WhiteList.Items(2), "A");
  EXPECT_EQ(setting_.BlackList.Count(), 0);

  setting_.LoadFromBytes(
      "<XALSetting><Options><ManageInvisibleWindows>ignored"
      "</ManageInvisibleWindows></Options></XALSetting>",
      "");
  EXPECT_TRUE(setting_.ManageInvisibleWindows);
  // An absent switch leaves it as it was.
  setting_.LoadFromBytes("<XALSetting/>", "");
  EXPECT_TRUE(setting_.ManageInvisibleWindows);
}

TEST_F(SettingFile, AnotherRootLoadsNothing) {
  setting_.LoadFromBytes(
      "<XALSets><Classes><WhiteList><Class Name=\"A\"/></WhiteList></Classes>"
      "<Options><ManageInvisibleWindows/></Options></XALSets>",
      "");
  EXPECT_TRUE(setting_.Equals(TXALSetting(&owner_)));
}

TEST_F(SettingFile, ErrorsPass) {
  files_.PutFile(kSettingFile, "<XALSetting>");
  EXPECT_THROW(setting_.LoadFromFile(files_, kSettingFile), xml::EXmlParseError);
  EXPECT_THROW(setting_.LoadFromFile(files_, "C:\\Data\\none.xml"), EXALError);

  setting_.LoadDefaults();
  files_.FailNextWriteAfter(1);
  EXPECT_THROW(setting_.SaveToFile(files_, kSettingFile, ""), EXALError);
  EXPECT_THROW(setting_.SaveToFile(files_, kSettingFile, "", false), EXALError);
  EXPECT_EQ(files_.FileBytes(kSettingFile), "<XALSetting>");
}

// A class name the file could not hold is refused on saving, and the file keeps what it had.
TEST_F(SettingFile, NamesThatXmlCannotStoreAreNotWritten) {
  for (const char* name : {"Class\xEF\xBF\xBF", "Class\x1B", "\xED\xB0\x80"}) {
    files_.PutFile(kSettingFile, "old bytes");
    TXALSetting setting(&owner_);
    setting.LoadDefaults();
    setting.BlackList.Add(name);
    EXPECT_THROW(setting.SaveToFile(files_, kSettingFile, ""), EXALError) << name;
    EXPECT_EQ(files_.FileBytes(kSettingFile), "old bytes") << name;
  }
}

}  // namespace
}  // namespace xal
