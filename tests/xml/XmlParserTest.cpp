// Conformance of the platform's XML parser to what the program relies on. Built against expat
// on the host and against XmlLite for Windows, so it uses nothing but the parser's interface and
// the portable writer, which both platforms share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/XALErrors.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlParser.h"
#include "catalogue/XmlWriter.h"

namespace xal::xml {
namespace {

TEST(XmlParser, AbsentAndEmptyAttributesDiffer) {
  const auto document = Parse("<a empty=\"\" full='x'/>");
  const Node* root = document->DocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Name(), "a");
  ASSERT_NE(root->FindAttribute("empty"), std::nullopt);
  EXPECT_EQ(*root->FindAttribute("empty"), "");
  EXPECT_EQ(*root->FindAttribute("full"), "x");
  EXPECT_EQ(root->FindAttribute("missing"), std::nullopt);
  EXPECT_EQ(root->FindAttribute("Full"), std::nullopt);
}

TEST(XmlParser, KeepsAttributeOrderAndDecodesReferences) {
  const auto document =
      Parse("<a z=\"1\" b=\"&amp;&lt;&gt;&quot;&apos;\" m=\"line&#10;two&#9;tab&#13;\"/>");
  const Node& root = *document->DocumentElement();
  ASSERT_EQ(root.Attributes().size(), 3u);
  EXPECT_EQ(root.Attributes()[0].Name, "z");
  EXPECT_EQ(root.Attributes()[1].Name, "b");
  EXPECT_EQ(root.Attributes()[1].Value, "&<>\"'");
  EXPECT_EQ(root.Attributes()[2].Value, "line\ntwo\ttab\r");
}

TEST(XmlParser, DeclarationCommentsAndProcessingInstructionsAreNodes) {
  const auto document = Parse(
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!--first-->\r\n<root>\r\n"
      "  <!-- inner -->\r\n  <child/>\r\n  <?pi data?>\r\n</root>\r\n<!--last-->\r\n");
  ASSERT_EQ(document->ChildCount(), 4u);
  EXPECT_EQ(document->Child(0).Kind(), NodeKind::Declaration);
  ASSERT_NE(document->DeclarationVersion(), std::nullopt);
  EXPECT_EQ(*document->DeclarationVersion(), "1.0");
  ASSERT_NE(document->DeclarationEncoding(), std::nullopt);
  EXPECT_EQ(*document->DeclarationEncoding(), "utf-8");
  EXPECT_EQ(document->Child(1).Kind(), NodeKind::Comment);
  EXPECT_EQ(document->Child(1).Value(), "first");
  EXPECT_EQ(document->Child(2).Name(), "root");
  EXPECT_EQ(document->Child(3).Value(), "last");
  EXPECT_EQ(document->DocumentElement(), &document->Child(2));

  // White space between elements is no node.
  const Node& root = document->Child(2);
  ASSERT_EQ(root.ChildCount(), 3u);
  EXPECT_EQ(root.Child(0).Kind(), NodeKind::Comment);
  EXPECT_EQ(root.Child(0).Value(), " inner ");
  EXPECT_EQ(root.Child(1).Name(), "child");
  EXPECT_EQ(root.Child(1).Parent(), &root);
  EXPECT_EQ(root.Child(2).Kind(), NodeKind::ProcessingInstruction);
  EXPECT_EQ(root.Child(2).Name(), "pi");
  EXPECT_EQ(root.Child(2).Value(), "data");
}

TEST(XmlParser, TextIsKeptWhole) {
  const auto document = Parse("<a> x &amp; y <b/>\r\n</a>");
  const Node& root = *document->DocumentElement();
  ASSERT_EQ(root.ChildCount(), 2u);
  EXPECT_EQ(root.Child(0).Kind(), NodeKind::Text);
  EXPECT_EQ(root.Child(0).Value(), " x & y ");
  EXPECT_EQ(root.Child(1).Name(), "b");
}

TEST(XmlParser, Utf8TextIsPreserved) {
  const std::string name = "Büro 東京 \xF0\x9F\x96\xA8";
  const auto document =
      Parse("<?xml version=\"1.0\" encoding=\"utf-8\"?><a n=\"" + name + "\">" + name + "</a>");
  const Node& root = *document->DocumentElement();
  EXPECT_EQ(*root.FindAttribute("n"), name);
  EXPECT_EQ(root.Child(0).Value(), name);
  // Without a declaration the bytes are UTF-8 too.
  EXPECT_EQ(*Parse("<a n=\"" + name + "\"/>")->DocumentElement()->FindAttribute("n"), name);
}

TEST(XmlParser, MalformedInputRaisesWithPosition) {
  const char* const malformed[] = {
      "",          "<a>",      "<a></b>",          "<a x=\"1\" x=\"2\"/>", "<a/><b/>",
      "text only", "<a x=1/>", "<a>&unknown;</a>", "<a>\xC3</a>",          "<a n=\"\x01\"/>",
  };
  for (const char* text : malformed) {
    EXPECT_THROW(Parse(text), EXmlParseError) << text;
  }
  try {
    Parse("<a>\r\n<b>\r\n</a>", "C:\\Data\\file.xml");
    FAIL() << "no error";
  } catch (const EXmlParseError& error) {
    EXPECT_EQ(error.Line(), 3);
    EXPECT_GE(error.Column(), 1);
    const std::string message = error.what();
    EXPECT_EQ(message.rfind("C:\\Data\\file.xml: ", 0), 0u) << message;
    EXPECT_NE(message.find("line 3"), std::string::npos) << message;
  }
  // Far into a text larger than the pieces the parser is fed in, the line is still counted from
  // the start.
  try {
    Parse("<a>\n" + std::string(300000, 'x') + "\n<b>\n" + std::string(300000, 'y') + "\n</a>");
    FAIL() << "no error";
  } catch (const EXmlParseError& error) {
    EXPECT_EQ(error.Line(), 5);
  }
}

TEST(XmlParser, DocumentTypeDeclarationsAreRefused) {
  EXPECT_THROW(Parse("<!DOCTYPE a><a/>"), EXmlParseError);
  EXPECT_THROW(Parse("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"boom\">]><a>&e;</a>"),
               EXmlParseError);
}

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

// Whatever the writer stores, the parser gives back equal; whatever the parser refuses, the
// writer refuses too, with its own clear error, before a file is touched. (Tabs and line breaks,
// which travel as character references, have their own tests.)
TEST(XmlParser, WhatTheWriterAcceptsReadsBackEqual) {
  struct Case {
    const char* what;
    std::string text;
    bool storable;
  };
  const std::string nul(1, '\0');
  const Case cases[] = {
      {"NUL", nul, false},
      {"U+0001", Utf8(0x01), false},
      {"U+001F", Utf8(0x1F), false},
      {"DEL", Utf8(0x7F), true},
      {"C1 controls", Utf8(0x80) + Utf8(0x85) + Utf8(0x9F), true},
      {"last before the surrogates", Utf8(0xD7FF), true},
      {"first after the surrogates", Utf8(0xE000), true},
      {"noncharacters U+FDD0, U+FDEF", Utf8(0xFDD0) + Utf8(0xFDEF), true},
      {"U+FFFD", Utf8(0xFFFD), true},
      {"U+FFFE", Utf8(0xFFFE), false},
      {"U+FFFF", Utf8(0xFFFF), false},
      {"U+FFFE inside a name", "Office " + Utf8(0xFFFE) + " 2", false},
      {"supplementary planes", Utf8(0x10000) + Utf8(0x1F5A8) + Utf8(0x20B9F), true},
      {"supplementary noncharacters", Utf8(0x1FFFE) + Utf8(0x1FFFF) + Utf8(0x10FFFE), true},
      {"last code point", Utf8(0x10FFFF), true},
      {"lone high surrogate as UTF-8", "\xED\xA0\x80", false},
      {"lone low surrogate as UTF-8", "\xED\xBF\xBF", false},
      {"surrogate pair as UTF-8 (CESU-8)", "\xED\xA0\xBD\xED\xB2\xA8", false},
      {"overlong form", "\xC0\xAF", false},
      {"cut sequence", "\xE6\x9D", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
  };
  for (const Case& c : cases) {
    const std::string text = "a" + c.text + "b";
    DocumentBuilder builder;
    builder.StartElement("r");
    builder.Attribute("v", text);
    builder.StartElement("c");
    builder.Characters(text);
    const std::unique_ptr<Document> built = builder.Finish();
    const Document& document = *built;
    for (XmlLayout layout : {XmlLayout::Indented, XmlLayout::SingleLine}) {
      if (!c.storable) {
        EXPECT_THROW(Serialize(document, layout), EXALError) << c.what;
        continue;
      }
      const std::string bytes = Serialize(document, layout);
      const auto parsed = Parse(bytes);
      const Node& back = *parsed->DocumentElement();
      EXPECT_EQ(*back.FindAttribute("v"), text) << c.what;
      ASSERT_EQ(back.ChildCount(), 1u) << c.what;
      ASSERT_EQ(back.Child(0).ChildCount(), 1u) << c.what;
      EXPECT_EQ(back.Child(0).Child(0).Value(), text) << c.what;
    }
    // A comment holds the same characters as any other text, but no references: its line ends
    // come back as the parser normalises them.
    DocumentBuilder commentBuilder;
    commentBuilder.Comment(text);
    commentBuilder.StartElement("r");
    const std::unique_ptr<Document> commentedDocument = commentBuilder.Finish();
    const Document& commented = *commentedDocument;
    if (c.storable) {
      std::string lineEnds;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
          lineEnds += '\n';
          if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
          }
        } else {
          lineEnds += text[i];
        }
      }
      EXPECT_EQ(Parse(Serialize(commented, XmlLayout::SingleLine))->Child(0).Value(), lineEnds)
          << c.what;
    } else {
      EXPECT_THROW(Serialize(commented, XmlLayout::SingleLine), EXALError) << c.what;
    }
  }
}

// Each child of the document element reaches the visitor whole and in order, also one far
// larger than the memory kept for an item; the document keeps everything else.
TEST(XmlParser, EachChildOfTheDocumentElementIsHandedOutWhole) {
  const std::string large(200000, 'x');
  const std::string text =
      "<?xml version=\"1.0\"?><!--top--><list v=\"1\"><item n=\"a\">"
      "<sub>t</sub></item><!--between--><item n=\"" +
      large + "\"><sub/><sub k=\"" + large + "\"/></item>text<item n=\"c\"/></list>";
  std::vector<std::string> seen;
  const auto document = ParseEachChild(text, "f.xml", [&](const Node& item) {
    ASSERT_EQ(item.Parent()->Name(), "list");
    EXPECT_EQ(item.Parent()->FindAttribute("v"), "1");
    const std::string_view name = item.FindAttribute("n").value_or("?");
    seen.push_back(std::string(name.substr(0, 2)) + std::to_string(item.ChildCount()));
    if (name == large) {
      EXPECT_EQ(item.Child(1).FindAttribute("k"), large);
    } else if (name == "a") {
      EXPECT_EQ(item.Child(0).Child(0).Value(), "t");
    }
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"a1", "xx2", "c0"}));
  ASSERT_EQ(document->ChildCount(), 3u);
  EXPECT_EQ(document->DeclarationVersion(), "1.0");
  const Node& root = *document->DocumentElement();
  ASSERT_EQ(root.ChildCount(), 2u);
  EXPECT_EQ(root.Child(0).Value(), "between");
  EXPECT_EQ(root.Child(1).Value(), "text");
}

// What the visitor raises ends the parse and reaches the caller as it was raised, out of the
// parser's own frames; a fault in the text after some items comes after those items.
TEST(XmlParser, WhatTheVisitorRaisesReachesTheCaller) {
  int visits = 0;
  const auto stopAtSecond = [&](const Node&) {
    if (++visits == 2) {
      throw EConvertError("second");
    }
  };
  EXPECT_THROW(ParseEachChild("<l><i/><i><j/></i><i/></l>", "", stopAtSecond), EConvertError);
  EXPECT_EQ(visits, 2);
  visits = 0;
  EXPECT_THROW(ParseEachChild("<l><i/><i/><i></l>", "", [&](const Node&) { ++visits; }),
               EXmlParseError);
  EXPECT_EQ(visits, 2);
}

// The XML 1.0 characters the writer refuses are refused by the parser too, so a file written
// elsewhere can't bring them in.
TEST(XmlParser, CharactersXmlForbidsAreRefused) {
  const std::string texts[] = {
      "<a n=\"" + Utf8(0xFFFE) + "\"/>",      "<a>" + Utf8(0xFFFF) + "</a>",
      "<!--" + Utf8(0xFFFE) + "--><a/>",      "<a n=\"\x1B\"/>",
      "<a>x" + std::string(1, '\0') + "</a>",
  };
  for (const std::string& text : texts) {
    EXPECT_THROW(Parse(text), EXmlParseError) << text;
  }
}

// Nor can they come in spelt as character references.
TEST(XmlParser, ReferencesToCharactersXmlForbidsAreRefused) {
  for (const char* text : {"<a>&#xFFFE;</a>", "<a>&#65535;</a>", "<a>&#1;</a>", "<a>&#xD800;</a>",
                           "<a>&#0;</a>", "<a n=\"&#xFFFF;\"/>"}) {
    EXPECT_THROW(Parse(text), EXmlParseError) << text;
  }
}

// Each element on a line of its own, so that the line of the element that goes too deep is its
// level.
std::string Nested(int levels, bool innermostEmpty) {
  std::string text;
  text.reserve(static_cast<std::size_t>(levels) * 9);
  for (int i = 1; i < levels; ++i) {
    text += "<a>\n";
  }
  text += innermostEmpty ? "<a/>\n" : "<a>\n</a>\n";
  for (int i = 1; i < levels; ++i) {
    text += "</a>\n";
  }
  return text;
}

TEST(XmlParser, NestingBeyondTheLimitIsRefusedNamingTheLine) {
  for (const bool innermostEmpty : {true, false}) {
    const auto document = Parse(Nested(kMaxElementDepth, innermostEmpty));
    const Node* node = document->DocumentElement();
    int depth = 0;
    while (node != nullptr) {
      ++depth;
      node = node->ChildCount() > 0 ? &node->Child(0) : nullptr;
    }
    EXPECT_EQ(depth, kMaxElementDepth);

    try {
      Parse(Nested(kMaxElementDepth + 1, innermostEmpty), "XALData.xml");
      ADD_FAILURE() << "one level too deep was read";
    } catch (const EXmlParseError& error) {
      const std::string message = error.what();
      EXPECT_EQ(error.Line(), kMaxElementDepth + 1) << message;
      EXPECT_EQ(message.rfind("XALData.xml: ", 0), 0u) << message;
      EXPECT_NE(message.find("line " + std::to_string(kMaxElementDepth + 1)), std::string::npos)
          << message;
      EXPECT_NE(message.find(TooDeepReason()), std::string::npos) << message;
    }
  }
  // Far beyond it, the way a hostile file would go: a clean error, not a crash.
  for (const int levels : {20000, 300000}) {
    EXPECT_THROW(Parse(Nested(levels, true)), EXmlParseError) << levels;
  }
}

// The writer stops where the parsers stop, so it never writes what can't be read back.
TEST(XmlParser, WriterKeepsToTheDepthLimit) {
  for (const int levels : {kMaxElementDepth, kMaxElementDepth + 1}) {
    DocumentBuilder builder;
    for (int i = 0; i < levels; ++i) {
      builder.StartElement("a");
    }
    const std::unique_ptr<Document> document = builder.Finish();
    if (levels > kMaxElementDepth) {
      EXPECT_THROW(Serialize(*document, XmlLayout::Indented), EXALError);
    } else {
      EXPECT_NO_THROW(Parse(Serialize(*document, XmlLayout::Indented)));
    }
  }
}

// Building the element stays linear in its attributes, and duplicates are still refused, even
// as the last of very many.
TEST(XmlParser, ManyAttributesOnOneElement) {
  constexpr int kCount = 100000;
  std::string text = "<a";
  for (int i = 0; i < kCount; ++i) {
    text += " n" + std::to_string(i) + "=\"" + std::to_string(i * 7) + "\"";
  }
  const auto document = Parse(text + "/>");
  const Node& root = *document->DocumentElement();
  ASSERT_EQ(root.Attributes().size(), static_cast<std::size_t>(kCount));
  EXPECT_EQ(root.Attributes()[0].Name, "n0");
  EXPECT_EQ(root.Attributes()[kCount - 1].Name, "n" + std::to_string(kCount - 1));
  EXPECT_EQ(*root.FindAttribute("n" + std::to_string(kCount - 1)),
            std::to_string((kCount - 1) * 7));

  EXPECT_THROW(Parse(text + " n0=\"again\"/>"), EXmlParseError);
  EXPECT_THROW(Parse(text + " n" + std::to_string(kCount / 2) + "=\"again\"/>"), EXmlParseError);
}

}  // namespace
}  // namespace xal::xml
