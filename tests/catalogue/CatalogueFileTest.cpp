#include <gtest/gtest.h>

#include <string>

#include "CatalogueSamples.h"
#include "catalogue/XALClasses00100.h"
#include "catalogue/XmlParser.h"
#include "catalogue/XmlWriter.h"
#include "platform/sim/SimFileSystem.h"

namespace xal {
namespace {

using test::Crlf;
using test::FillSample;

const char* const kDataFile = "C:\\Data\\XALData.xml";

const std::string kSampleFile = Crlf(R"(<?xml version="1.0" encoding="utf-8"?>
<!--Kelpra data-->
<XALSets Version="1.00">
  <XALSet Name="Office">
    <Environment>
      <Displays Count="2">
        <Display Number="1" Left="0" Top="0" Width="1920" Height="1080"/>
        <Display Number="2" Left="1920" Top="0" Width="1280" Height="1024"/>
      </Displays>
      <Printers>
        <Printer Name="Laser A"/>
        <Printer Name="Color &amp; Co"/>
      </Printers>
      <Network>
        <WiFi Name="Café-Netz"/>
        <IP Address="192.168.*.*"/>
        <IP Address="10.0.0.1"/>
      </Network>
    </Environment>
    <Target>
      <Network>
        <IPSettings>
          <IPSetting Adapter="Ethernet" Address="192.168.1.10" SubnetMask="255.255.255.0" Gateway="192.168.1.1" DNS1="192.168.1.1" DNS2="8.8.8.8"/>
          <IPSetting Adapter="Wi-Fi" Address="dhcp"/>
        </IPSettings>
        <Proxy Server="proxy:8080"/>
        <AutoConfigURL URL="http://cfg/proxy.pac"/>
      </Network>
      <DefaultPrinter Name="Laser A"/>
      <Startups>
        <Startup Name="Mail" FilePath="C:\Mail\mail.exe" Param="/quiet" WorkDir="C:\Mail" OnlyNew="True"/>
      </Startups>
      <Apps>
        <App Name="Editor" Class="Notepad" Title="&lt;draft&gt;">
          <Display Value="2"/>
          <State Value="Maximized"/>
          <Position Left="10" Top="20" Width="800" Height="600"/>
          <DefaultPrinter Name="Color &amp; Co"/>
        </App>
      </Apps>
    </Target>
  </XALSet>
  <XALSet Name="">
    <Environment/>
    <Target/>
  </XALSet>
  <XALSet Name="Home">
    <Environment>
      <Displays Count="3"/>
    </Environment>
    <Target>
      <Network>
        <AutoConfigURL URL="http://home/wpad.dat"/>
      </Network>
    </Target>
  </XALSet>
</XALSets>
)");

// A document holding one XALSet with the given inner elements.
std::string OneSet(const std::string& inner, const std::string& setAttributes = "Name=\"S\"") {
  return "<XALSets><XALSet " + setAttributes + ">" + inner + "</XALSet></XALSets>";
}

class CatalogueFile : public ::testing::Test {
 protected:
  TXALSet& LoadOne(const std::string& inner) {
    sets_.LoadFromBytes(OneSet(inner), "test.xml");
    EXPECT_EQ(sets_.Count(), 1);
    return sets_.Items(sets_.Count() - 1);
  }

  TXALComponent owner_;
  TXALSets sets_{&owner_};
  sim::SimFileSystem files_;
};

TEST_F(CatalogueFile, WritesTheSampleExactly) {
  FillSample(sets_, false);
  EXPECT_EQ(sets_.SaveToBytes("Kelpra data"), kSampleFile);
}

// The catalogue is written straight into its bytes; the serializer of the document model,
// given the same file parsed, must not change a byte of it.
TEST_F(CatalogueFile, WritesWhatTheModelSerializerWrites) {
  FillSample(sets_, false);
  auto set = std::make_unique<TXALSet>(&owner_);
  set->Name = "Tabs\tand\r\nbreaks \"quoted\" & <more>";
  sets_.Add(std::move(set));
  const std::string bytes = sets_.SaveToBytes("Kelpra -- data-");
  EXPECT_EQ(xml::Serialize(*xml::Parse(bytes), xml::XmlLayout::Indented), bytes);
}

TEST_F(CatalogueFile, WritesAnEmptyCatalogue) {
  EXPECT_EQ(sets_.SaveToBytes(""),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!---->\r\n"
            "<XALSets Version=\"1.00\"/>\r\n");
}

TEST_F(CatalogueFile, SaveAndLoadGiveTheCatalogueBackLessWhatTheWriterDrops) {
  FillSample(sets_, false);
  files_.ForceDirectories("C:\\Data");
  sets_.SaveToFile(files_, kDataFile, "c");
  EXPECT_EQ(files_.FileBytes(kDataFile), sets_.SaveToBytes("c"));

  TXALSets loaded(&owner_);
  loaded.LoadFromFile(files_, kDataFile);
  TXALSets expected(&owner_);
  FillSample(expected, true);
  EXPECT_TRUE(loaded.Equals(expected));
  EXPECT_EQ(loaded.Items(0).Owner, &owner_);

  // Loading appends: the same file twice doubles the sets.
  loaded.LoadFromFile(files_, kDataFile);
  ASSERT_EQ(loaded.Count(), 6);
  EXPECT_TRUE(loaded.Items(3).Equals(expected.Items(0)));
}

TEST_F(CatalogueFile, DisplayCountZeroWithDisplaysReadsBackAsOne) {
  auto set = std::make_unique<TXALSet>(&owner_);
  set->Environment.Displays.AddDisplay(1, 0, 0, 800, 600);
  sets_.Add(std::move(set));
  TXALSets loaded(&owner_);
  loaded.LoadFromBytes(sets_.SaveToBytes(""), "");
  EXPECT_EQ(loaded.Items(0).Environment.Displays.DisplayCount, 1);
  EXPECT_EQ(loaded.Items(0).Environment.Displays.Items(0).Bounds, (TXALRect{0, 0, 800, 600}));
}

TEST_F(CatalogueFile, ExtremeRectanglesSurviveARoundTrip) {
  auto set = std::make_unique<TXALSet>(&owner_);
  set->Environment.Displays.DisplayCount = 1;
  set->Environment.Displays.AddDisplay(1, 0, 0, 0, 0).Bounds =
      TXALRect{-2000000000, 2000000000, 2000000000, -2000000000};
  sets_.Add(std::move(set));
  TXALSets loaded(&owner_);
  loaded.LoadFromBytes(sets_.SaveToBytes(""), "");
  EXPECT_TRUE(loaded.Equals(sets_));
}

TEST_F(CatalogueFile, OnlyARootNamedXALSetsIsRead) {
  for (const char* text : {"<XALSetting><XALSet Name=\"a\"/></XALSetting>",
                           "<xalsets><XALSet Name=\"a\"/></xalsets>", "<!--x--><Other/>"}) {
    EXPECT_NO_THROW(sets_.LoadFromBytes(text, "")) << text;
  }
  EXPECT_EQ(sets_.Count(), 0);
}

TEST_F(CatalogueFile, ReaderIgnoresOtherNodesAndNamesInOtherCase) {
  sets_.LoadFromBytes(
      "<XALSets Version=\"9\"><!--c--><xalset Name=\"x\"/>text<XALSet Name=\"a\" Extra=\"1\">"
      "<environment><Printers><Printer Name=\"P\"/></Printers></environment>"
      "<Environment><printers><Printer Name=\"Q\"/></printers><Unknown/></Environment>"
      "</XALSet></XALSets>",
      "");
  ASSERT_EQ(sets_.Count(), 1);
  EXPECT_EQ(sets_.Items(0).Name, "a");
  EXPECT_EQ(sets_.Items(0).Environment.Printers.Count(), 0);
}

TEST_F(CatalogueFile, RepeatedChildrenAccumulateOrTakeTheLaterValue) {
  const TXALSet& set = LoadOne(
      "<Target><Network><Proxy Server=\"p2\"/></Network><Apps><App Name=\"b\"/></Apps></Target>"
      "<Environment><Printers><Printer Name=\"A\"/></Printers>"
      "<Network><WiFi Name=\"w1\"/><IP Address=\"1.*.*.*\"/></Network>"
      "<Printers><Printer Name=\"B\"/></Printers>"
      "<Network><WiFi Name=\"w2\"/><IP Address=\"2.*.*.*\"/></Network></Environment>"
      "<Target><Network><Proxy Server=\"p1\"/></Network><Apps><App Name=\"a\"/></Apps></Target>");
  const TXALEnvironment& env = set.Environment;
  ASSERT_EQ(env.Printers.Count(), 2);
  EXPECT_EQ(env.Printers.Items(1), "B");
  EXPECT_EQ(env.Network.WiFi, "w2");
  ASSERT_EQ(env.Network.IPList.Count(), 2);
  EXPECT_EQ(env.Network.IPList.Items(1), "2.*.*.*");
  EXPECT_EQ(set.Target.Network.Proxy, "p1");
  ASSERT_EQ(set.Target.Apps.Count(), 2);
  EXPECT_EQ(set.Target.Apps.Items(0).Name, "b");
}

TEST_F(CatalogueFile, AbsentAttributesKeepFieldsAndEmptyOnesClearThem) {
  // The reader never clears: read twice into one set, the second element changes only what it
  // supplies.
  TXALSet set(&owner_);
  const auto read = [&set](const std::string& inner) {
    set.ReadXML(xml::Parse(OneSet(inner))->DocumentElement()->Child(0));
  };
  read(
      "<Environment><Network><WiFi Name=\"w\"/></Network></Environment>"
      "<Target><Network><Proxy Server=\"p\"/><AutoConfigURL URL=\"u\"/></Network></Target>");
  read(
      "<Environment><Network><WiFi/><IP/></Network></Environment>"
      "<Target><Network><Proxy/><AutoConfigURL/></Network></Target>");
  EXPECT_EQ(set.Environment.Network.WiFi, "w");
  EXPECT_EQ(set.Environment.Network.IPList.Count(), 0);
  EXPECT_EQ(set.Target.Network.Proxy, "p");
  EXPECT_EQ(set.Target.Network.AutoConfigURL, "u");
  read(
      "<Environment><Network><WiFi Name=\"\"/><IP Address=\"\"/></Network></Environment>"
      "<Target><Network><Proxy Server=\"\"/><AutoConfigURL URL=\"\"/></Network></Target>");
  EXPECT_EQ(set.Environment.Network.WiFi, "");
  ASSERT_EQ(set.Environment.Network.IPList.Count(), 1);
  EXPECT_EQ(set.Environment.Network.IPList.Items(0), "");
  EXPECT_EQ(set.Target.Network.Proxy, "");
  EXPECT_EQ(set.Target.Network.AutoConfigURL, "");

  // An App's DefaultPrinter without Name empties the field; the other App children without
  // Value leave theirs.
  const TXALSet& loaded = LoadOne(
      "<Target><Apps><App Class=\"C\"><Display Value=\"3\"/><DefaultPrinter Name=\"P\"/>"
      "<Display/><State/><DefaultPrinter/></App></Apps></Target>");
  const TXALApp& app = loaded.Target.Apps.Items(0);
  EXPECT_EQ(app.WindowClass, "C");
  EXPECT_EQ(app.Display, 3);
  EXPECT_EQ(app.State, TXALAppState::Normal);
  EXPECT_EQ(app.DefaultPrinter, "");
  EXPECT_EQ(app.Position, (TXALRect{0, 0, -1, -1}));
}

TEST_F(CatalogueFile, DisplayAndPositionGeometry) {
  struct Case {
    const char* attributes;
    int number;
    TXALRect rect;
  };
  const Case cases[] = {
      {"", 1, {0, 0, 0, 0}},
      {"Number=\"2\" Left=\"10\" Top=\"20\" Right=\"110\"", 2, {10, 20, 110, 20}},
      {"Left=\"0\" Right=\"500\" Width=\"100\"", 1, {0, 0, 100, 0}},
      {"Left=\"5\" Top=\"6\" Right=\"50\" Bottom=\"60\"", 1, {5, 6, 50, 60}},
      {"Left=\"-1280\" Top=\"-4\" Width=\"1280\" Height=\"1024\"", 1, {-1280, -4, 0, 1020}},
      {"Number=\" 3 \" Left=\"10.5\" Top=\"-0.4\" Width=\"+99.6\"", 3, {11, 0, 111, 0}},
  };
  for (const Case& c : cases) {
    TXALSets sets(&owner_);
    const std::string inner = std::string("<Display ") + c.attributes + "/>";
    sets.LoadFromBytes(
        OneSet("<Environment><Displays>" + inner + "</Displays></Environment>" +
               "<Target><Apps><App><Position " + c.attributes + "/></App></Apps></Target>"),
        "");
    const TXALDisplay& display = sets.Items(0).Environment.Displays.Items(0);
    EXPECT_EQ(display.Number, c.number) << c.attributes;
    EXPECT_EQ(display.Bounds, c.rect) << c.attributes;
    EXPECT_EQ(sets.Items(0).Target.Apps.Items(0).Position, c.rect) << c.attributes;
  }
}

TEST_F(CatalogueFile, DisplayCountAttribute) {
  const std::pair<const char*, int> cases[] = {
      {"", 1}, {" Count=\"\"", 1}, {" Count=\"3\"", 3}, {" Count=\"0\"", 0}};
  for (const auto& [attribute, count] : cases) {
    TXALSets sets(&owner_);
    sets.LoadFromBytes(
        OneSet(std::string("<Environment><Displays") + attribute + "/></Environment>"), "");
    EXPECT_EQ(sets.Items(0).Environment.Displays.DisplayCount, count) << attribute;
  }
}

TEST_F(CatalogueFile, OnlyNewReadsBooleans) {
  const std::pair<const char*, bool> cases[] = {{"True", true},   {"tRUE", true}, {"False", false},
                                                {"FALSE", false}, {"1", true},    {"0", false},
                                                {"-7", true},     {"00", false}};
  for (const auto& [text, value] : cases) {
    TXALSets sets(&owner_);
    sets.LoadFromBytes(OneSet(std::string("<Target><Startups><Startup FilePath=\"f\" OnlyNew=\"") +
                              text + "\"/></Startups></Target>"),
                       "");
    EXPECT_EQ(sets.Items(0).Target.Startups.Items(0).OnlyNew, value) << text;
  }
}

TEST_F(CatalogueFile, IPSettingAttributesAreEachOptional) {
  const TXALSet& set = LoadOne(
      "<Target><Network><IPSettings><IPSetting Address=\"DHCP\" SubnetMask=\"255.0.0.0\"/>"
      "<IPSetting DNS2=\"\"/></IPSettings></Network></Target>");
  const TXALTargetIPSettings& settings = set.Target.Network.IPSettings;
  ASSERT_EQ(settings.Count(), 2);
  EXPECT_EQ(settings.Items(0).Address, "DHCP");
  EXPECT_EQ(settings.Items(0).SubnetMask, "255.0.0.0");
  EXPECT_FALSE(settings.Items(1).HasValues());
}

// Each bad document fails with the error type and message given, and the catalogue keeps only
// what it held before.
TEST_F(CatalogueFile, BadValuesFailTheLoadAndAppendNothing) {
  struct Case {
    std::string inner;
    bool convertError;  // EConvertError; else EXALError
    const char* message;
  };
  const Case cases[] = {
      {"<Environment><Printers><Printer/></Printers></Environment>", true,
       "The element Printer has no attribute Name, which it requires."},
      {"<Target><DefaultPrinter/></Target>", true,
       "The element DefaultPrinter has no attribute Name, which it requires."},
      {"<Target><Apps><App><State Value=\"normal\"/></App></Apps></Target>", false, "normal"},
      {"<Target><Apps><App><Display Value=\" 2\"/></App></Apps></Target>", false,
       "' 2' is not a valid integer value"},
      {"<Target><Apps><App><Display Value=\"1.0\"/></App></Apps></Target>", false,
       "'1.0' is not a valid integer value"},
      {"<Target><Apps><App><Position Left=\"abc\"/></App></Apps></Target>", false,
       "'abc' is not a valid integer value"},
      {"<Target><Startups><Startup FilePath=\"f\" OnlyNew=\"yes\"/></Startups></Target>", false,
       "'yes' is not a valid boolean value"},
      {"<Environment><Displays Count=\"two\"/></Environment>", false,
       "'two' is not a valid integer value"},
      {"<Environment><Displays><Display Width=\"\"/></Displays></Environment>", false,
       "'' is not a valid integer value"},
      {"<Environment><Displays><Display Number=\"4294967297\"/></Displays></Environment>", false,
       "'4294967297' is not a valid integer value"},
      // A negative count would be dropped on saving and come back as "any number of displays".
      {"<Environment><Displays Count=\"-3\"/></Environment>", false,
       "The display count '-3' is not valid; it must be 0 or more."},
      {"<Environment><Displays Count=\"-1\"><Display/></Displays></Environment>", false,
       "The display count '-1' is not valid; it must be 0 or more."},
      // A value of megabytes is quoted by its start: the message goes into a message box.
      {"<Environment><Displays Count=\"" + std::string(10'000'000, '9') + "\"/></Environment>",
       false, "'9999999999999999999999999999999999999999...' is not a valid integer value"},
      {"<Target><Apps><App><Position Left=\"" + std::string(1'000'000, '-') +
           "\"/></App></Apps></Target>",
       false, "'----------------------------------------...' is not a valid integer value"},
      {"<Target><Startups><Startup FilePath=\"f\" OnlyNew=\"" + std::string(100'000, 'y') +
           "\"/></Startups></Target>",
       false, "'yyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyy...' is not a valid boolean value"},
  };
  sets_.ResetToDefault();
  for (const Case& c : cases) {
    const std::string document =
        "<XALSets><XALSet Name=\"good\"/><XALSet Name=\"bad\">" + c.inner + "</XALSet></XALSets>";
    try {
      sets_.LoadFromBytes(document, "f.xml");
      ADD_FAILURE() << c.inner;
    } catch (const EConvertError& error) {
      EXPECT_TRUE(c.convertError) << c.inner;
      EXPECT_STREQ(error.what(), c.message);
    } catch (const EXALError& error) {
      EXPECT_FALSE(c.convertError) << c.inner;
      EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_EQ(sets_.Count(), 1) << c.inner;
  }

  // A set without Name fails in the same way.
  EXPECT_THROW(sets_.LoadFromBytes("<XALSets><XALSet Name=\"\"/><XALSet/></XALSets>", ""),
               EConvertError);
  EXPECT_EQ(sets_.Count(), 1);
}

TEST_F(CatalogueFile, ParseAndFileErrorsPassAndAppendNothing) {
  sets_.ResetToDefault();
  files_.PutFile(kDataFile, "<XALSets><XALSet Name=\"a\"/>\r\n<XALSet Name=\"b\">\r\n</XALSets>");
  try {
    sets_.LoadFromFile(files_, kDataFile);
    FAIL() << "no error";
  } catch (const xml::EXmlParseError& error) {
    EXPECT_EQ(error.Line(), 3);
    EXPECT_NE(std::string(error.what()).find(kDataFile), std::string::npos) << error.what();
  }
  EXPECT_THROW(sets_.LoadFromFile(files_, "C:\\Data\\missing.xml"), EXALError);
  EXPECT_EQ(sets_.Count(), 1);
}

TEST_F(CatalogueFile, AFailedSaveLeavesTheOldFile) {
  files_.PutFile(kDataFile, "old bytes");
  FillSample(sets_, false);
  files_.FailNextWriteAfter(10);
  EXPECT_THROW(sets_.SaveToFile(files_, kDataFile, ""), EXALError);
  EXPECT_EQ(files_.FileBytes(kDataFile), "old bytes");
}

TEST_F(CatalogueFile, SaveWithoutReplaceNeverOverwrites) {
  files_.PutFile(kDataFile, "old bytes");
  sets_.ResetToDefault();
  EXPECT_THROW(sets_.SaveToFile(files_, kDataFile, "", false), EXALError);
  EXPECT_EQ(files_.FileBytes(kDataFile), "old bytes");

  files_.RemoveFile(kDataFile);
  sets_.SaveToFile(files_, kDataFile, "", false);
  EXPECT_EQ(files_.FileBytes(kDataFile), sets_.SaveToBytes(""));
}

// A text that XML cannot carry would give a file that the next start refuses to load.
TEST_F(CatalogueFile, TextsThatXmlCannotStoreAreNotWritten) {
  for (const char* name : {"bell\x07", "broken \xC3 UTF-8", "Office \xEF\xBF\xBE", "\xEF\xBF\xBF",
                           "lone \xED\xA0\x80 surrogate"}) {
    files_.PutFile(kDataFile, "old bytes");
    TXALSets sets(&owner_);
    sets.ResetToDefault();
    sets.Items(0).Name = name;
    EXPECT_THROW(sets.SaveToFile(files_, kDataFile, ""), EXALError) << name;
    EXPECT_EQ(files_.FileBytes(kDataFile), "old bytes") << name;
  }
  // Line breaks and tabs are stored as references and read back unchanged.
  sets_.ResetToDefault();
  sets_.Items(0).Name = "two\r\nlines\tand tab";
  sets_.SaveToFile(files_, kDataFile, "");
  TXALSets loaded(&owner_);
  loaded.LoadFromFile(files_, kDataFile);
  EXPECT_TRUE(loaded.Equals(sets_));
}

// Dropped on saving, a negative count would come back as 0, which matches every screen.
TEST_F(CatalogueFile, ANegativeDisplayCountIsNotSaved) {
  files_.PutFile(kDataFile, "old bytes");
  sets_.ResetToDefault();
  sets_.Items(0).Environment.Displays.DisplayCount = -2;
  try {
    sets_.SaveToFile(files_, kDataFile, "");
    ADD_FAILURE() << "saved";
  } catch (const EXALError& error) {
    EXPECT_STREQ(error.what(), "The display count -2 can't be saved; it must be 0 or more.");
  }
  EXPECT_EQ(files_.FileBytes(kDataFile), "old bytes");
}

// The element readers find their attributes among very many others.
TEST_F(CatalogueFile, ElementsWithManyAttributesLoad) {
  std::string noise;
  for (int i = 0; i < 100000; ++i) {
    noise += " x" + std::to_string(i) + "=\"\"";
  }
  const TXALSet& set = LoadOne("<Environment><Displays Count=\"1\"" + noise + "><Display" + noise +
                               " Number=\"2\" Left=\"5\" Width=\"10\"/></Displays></Environment>");
  ASSERT_EQ(set.Environment.Displays.Count(), 1);
  EXPECT_EQ(set.Environment.Displays.DisplayCount, 1);
  EXPECT_EQ(set.Environment.Displays.Items(0).Number, 2);
  EXPECT_EQ(set.Environment.Displays.Items(0).Bounds, (TXALRect{5, 0, 15, 0}));
}

}  // namespace
}  // namespace xal
