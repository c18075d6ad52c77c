#include <gtest/gtest.h>

#include "catalogue/Utf8.h"

#include <string>
#include <vector>

#include "catalogue/XALErrors.h"
#include "platform/sim/SimFileSystem.h"
#include "ui/XALLanguage.h"

namespace xal {
namespace {

using Items = std::vector<std::string>;

TEST(XALLanguage, LooksUpKeysAsTheFileWritesThem) {
  struct Case {
    const char* file;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      // Letter case is ignored on both sides.
      {"fmXALMainCaption=Kelpra Tremvale", "FMXALMAINCAPTION", "Kelpra Tremvale"},
      {"FMXALMAINCAPTION=Kelpra Tremvale", "fmXALMainCaption", "Kelpra Tremvale"},
      // The first line of a key wins, also when the second differs only in case.
      {"a=first\r\na=second", "a", "first"},
      {"a=first\r\nA=second", "A", "first"},
      // The value is everything after the first "=", blanks included.
      {"a=b=c", "a", "b=c"},
      {"a==", "a", "="},
      {"a= padded ", "a", " padded "},
      {"a=", "a", ""},
      {"a=日本語のテキスト", "a", "日本語のテキスト"},
      // A blank before the "=" belongs to the key.
      {"fmXALMainCaption =Title", "fmXALMainCaption", ""},
      {"fmXALMainCaption =Title", "fmXALMainCaption ", "Title"},
      {" a=1", "a", ""},
      // Lines without "=" are comments and define nothing.
      {"# Main window\r\na=1", "# Main window", ""},
      {"# Main window\r\na=1", "a", "1"},
      {"a=1", "missing", ""},
      {"", "a", ""},
  };
  for (const Case& c : cases) {
    TXALLanguage language;
    language.Load(c.file);
    EXPECT_EQ(language.Text(c.key), c.expected) << "file: " << c.file << "\nkey: " << c.key;
  }
}

TEST(XALLanguage, SplitsLinesAtCrLfLfAndCr) {
  TXALLanguage language;
  language.Load("a=1\r\nb=2\nc=3\rd=4\r\n\r\n\ne=5\r\r\n");
  EXPECT_EQ(language.Text("a"), "1");
  EXPECT_EQ(language.Text("b"), "2");
  EXPECT_EQ(language.Text("c"), "3");
  EXPECT_EQ(language.Text("d"), "4");
  EXPECT_EQ(language.Text("e"), "5");
}

TEST(XALLanguage, LoadReplacesEveryText) {
  TXALLanguage language;
  language.Load("a=1\nb=2");
  language.Load("b=3");
  EXPECT_EQ(language.Text("a"), "");
  EXPECT_EQ(language.Text("b"), "3");
}

TEST(XALLanguage, InputThatIsNotUtf8ThroughoutGivesNoTexts) {
  struct Case {
    const char* name;
    std::string bytes;
    bool valid;
  };
  const Case cases[] = {
      {"two-byte", "\xC2\x80", true},
      {"last before surrogates", "\xED\x9F\xBF", true},
      {"first after surrogates", "\xEE\x80\x80", true},
      {"highest code point", "\xF4\x8F\xBF\xBF", true},
      {"overlong two-byte", "\xC0\xAF", false},
      {"overlong three-byte", "\xE0\x80\xAF", false},
      {"overlong four-byte", "\xF0\x80\x80\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"lead byte F5", "\xF5\x80\x80\x80", false},
      {"lone continuation", "\x80", false},
      {"byte FF", "\xFF", false},
      {"sequence cut by the line end", "\xE3\x81\n", false},
      {"sequence cut by the file end", "\xE3\x81", false},
  };
  for (const Case& c : cases) {
    // The odd bytes stand in a comment line: a fault anywhere voids the whole file.
    TXALLanguage language;
    language.Load("a=1\r\n# " + c.bytes + "\r\nb=2");
    EXPECT_EQ(language.Text("a"), c.valid ? "1" : "") << c.name;
    EXPECT_EQ(language.Text("b"), c.valid ? "2" : "") << c.name;
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.name;
  }
}

TEST(XALLanguage, ByteOrderMarkBecomesPartOfTheFirstKey) {
  TXALLanguage language;
  language.Load(
      "\xEF\xBB\xBF"
      "fmXALMainCaption=Kelpra Tremvale\r\nNoNameMsg=(no name)\r\n");
  EXPECT_EQ(language.Text("fmXALMainCaption"), "");
  EXPECT_EQ(language.Text("\xEF\xBB\xBF"
                          "fmXALMainCaption"),
            "Kelpra Tremvale");
  EXPECT_EQ(language.Text("NoNameMsg"), "(no name)");
}

TEST(XALLanguage, SplitLanguageLinesKeepsEveryKeyLineInOrder) {
  const std::vector<TXALLanguageLine> lines =
      SplitLanguageLines("# heading\r\nb=2\r\n\r\na=1=x\rB=3");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Key, "b");
  EXPECT_EQ(lines[1].Key, "a");
  EXPECT_EQ(lines[1].Value, "1=x");
  EXPECT_EQ(lines[2].Key, "B");
  EXPECT_EQ(lines[2].Value, "3");
}

TEST(XALLanguage, ParsesCommaText) {
  struct Case {
    const char* text;
    Items expected;
  };
  const Case cases[] = {
      {"Normal,Minimized,Maximized", {"Normal", "Minimized", "Maximized"}},
      {"通常,最小化,最大化", {"通常", "最小化", "最大化"}},
      // Blanks separate like commas; blanks around a comma are one separator.
      {"Normal Minimized  Maximized", {"Normal", "Minimized", "Maximized"}},
      {"  Normal , Minimized\t,Maximized  ", {"Normal", "Minimized", "Maximized"}},
      // Quotes keep blanks and commas; a doubled quote inside quotes is one quote.
      {R"("Normal size","Icon, small",Full)", {"Normal size", "Icon, small", "Full"}},
      {R"("say ""hi""",x)", {R"(say "hi")", "x"}},
      {R"("")", {""}},
      // An unclosed quote runs to the end; text right after a closing quote starts an entry.
      {R"("open, still)", {"open, still"}},
      {R"("a"b)", {"a", "b"}},
      // Every comma stands between two entries.
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {"a, ", {"a", ""}},
      {",a", {"", "a"}},
      {"", {}},
      {"   ", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseCommaText(c.text), c.expected) << c.text;
  }
}

TEST(XALLanguage, ItemsReadTheTextOfAKeyAsCommaText) {
  TXALLanguage language;
  language.Load("fmXALConfigApp_rgStateItems=\"Normal size\",Minimized,Maximized\r\n");
  EXPECT_EQ(language.Items("FMXALCONFIGAPP_RGSTATEITEMS"),
            (Items{"Normal size", "Minimized", "Maximized"}));
  EXPECT_EQ(language.Items("missing"), Items{});
}

TEST(XALLanguage, FileNameIsJapaneseFor1041AndEnglishOtherwise) {
  const std::string folder = "C:\\Program Files\\Kelpra Tremvale\\";
  const struct {
    int localeId;
    const char* file;
  } cases[] = {
      {1041, "Languages\\1041.txt"}, {1033, "Languages\\1033.txt"}, {1031, "Languages\\1033.txt"},
      {2057, "Languages\\1033.txt"}, {0, "Languages\\1033.txt"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TXALLanguage::FileName(folder, c.localeId), folder + c.file) << c.localeId;
  }
}

TEST(XALLanguage, LoadsFromTheFileSystemAndPassesItsErrorOn) {
  sim::SimFileSystem files;
  files.ForceDirectories("C:\\Kelpra\\Languages");
  files.PutFile("C:\\Kelpra\\Languages\\1033.txt", "fmXALMainCaption=Kelpra Tremvale\r\n");
  TXALLanguage language;
  language.LoadFromFile(files, "C:\\Kelpra\\Languages\\1033.txt");
  EXPECT_EQ(language.Text("fmXALMainCaption"), "Kelpra Tremvale");

  EXPECT_THROW(language.LoadFromFile(files, "C:\\Kelpra\\Languages\\1041.txt"), EXALError);
}

}  // namespace
}  // namespace xal
