#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "catalogue/XALErrors.h"
#include "catalogue/XmlDocument.h"
#include "catalogue/XmlParser.h"
#include "catalogue/XmlWriter.h"

namespace xal::xml {
namespace {

TEST(XmlDocumentModel, TheBuilderKeepsOrderAndTellsAbsentFromEmpty) {
  DocumentBuilder builder;
  builder.Comment("c");
  builder.StartElement("root");
  builder.Attribute("b", "2");
  builder.Attribute("a", "");
  EXPECT_TRUE(builder.HasAttribute("a"));
  EXPECT_FALSE(builder.HasAttribute("c"));
  // Adjacent character data become one text node; white space alone is no node.
  builder.Characters("one ");
  builder.Characters("two");
  builder.StartElement("empty");
  builder.EndElement();
  builder.Characters(" \r\n\t");
  builder.StartElement("open");  // still open at the end: ended by Finish
  const std::unique_ptr<Document> document = builder.Finish();

  // The document element is the first element, wherever comments stand.
  ASSERT_EQ(document->ChildCount(), 2u);
  const Node* root = document->DocumentElement();
  ASSERT_EQ(root, &document->Child(1));
  EXPECT_EQ(root->Parent(), document.get());
  ASSERT_EQ(root->Attributes().size(), 2u);
  EXPECT_EQ(root->Attributes()[0].Name, "b");
  EXPECT_EQ(root->Attributes()[0].Value, "2");
  EXPECT_EQ(root->FindAttribute("a"), std::string_view());
  EXPECT_EQ(root->FindAttribute("c"), std::nullopt);
  ASSERT_EQ(root->ChildCount(), 3u);
  EXPECT_EQ(root->Child(0).Kind(), NodeKind::Text);
  EXPECT_EQ(root->Child(0).Value(), "one two");
  EXPECT_EQ(root->Child(1).Name(), "empty");
  EXPECT_EQ(root->Child(2).Name(), "open");
  EXPECT_EQ(root->Child(2).Parent(), root);
  EXPECT_THROW(root->Child(3), EListIndexError);
  EXPECT_EQ(document->DeclarationEncoding(), std::nullopt);

  EXPECT_EQ(Document().DocumentElement(), nullptr);
  EXPECT_EQ(Document().ChildCount(), 0u);
}

// Far deeper than any parser reads, as code could build it: freeing it must not recurse.
TEST(XmlDocumentModel, DeepTreeIsFreedWithoutRecursion) {
  constexpr int kLevels = 300000;
  DocumentBuilder builder;
  for (int i = 0; i < kLevels; ++i) {
    builder.StartElement("a");
    builder.Comment("c");
  }
  std::unique_ptr<Document> document = builder.Finish();
  const Node* node = document.get();
  for (int i = 0; i < kLevels; ++i) {
    ASSERT_EQ(node->ChildCount(), i == 0 ? 1u : 2u);
    node = &node->Child(node->ChildCount() - 1);
  }
  EXPECT_EQ(node->Child(0).Kind(), NodeKind::Comment);
  document.reset();
}

// What the writer refuses, it says clearly: the character by its number, the text by its start.
TEST(XmlWriter, RefusalsNameTheCharacterAndQuoteTheTextShort) {
  struct Case {
    std::string text;
    const char* message;
  };
  const Case cases[] = {
      {"Office \xEF\xBF\xBE",
       "The text \"Office ?\" holds the character U+FFFE, which an XML file cannot store."},
      {"bell\x07",
       "The text \"bell?\" holds the character U+0007, which an XML file cannot store."},
      {"\xED\xA0\x80 lone",
       "The text \"? lone\" holds bytes that are not UTF-8, which an XML file cannot store."},
      {std::string(5000, 'x') + "\xEF\xBF\xBF",
       "The text \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" holds the character U+FFFF, "
       "which an XML file cannot store."},
  };
  for (const Case& c : cases) {
    try {
      EscapeAttribute(c.text);
      ADD_FAILURE() << c.message;
    } catch (const EXALError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(XmlWriter, IndentedLayout) {
  DocumentBuilder builder;
  builder.Declaration("1.0", "utf-8", "");
  builder.Comment(" note ");
  builder.StartElement("Root");
  builder.Attribute("Version", "1.00");
  builder.StartElement("Child");
  builder.StartElement("Leaf");
  builder.Attribute("Name", "x");
  builder.EndElement();
  builder.Comment("inner");
  builder.EndElement();
  builder.StartElement("Empty");
  const std::unique_ptr<Document> built = builder.Finish();
  const Document& document = *built;
  EXPECT_EQ(Serialize(document, XmlLayout::Indented),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
            "<!-- note -->\r\n"
            "<Root Version=\"1.00\">\r\n"
            "  <Child>\r\n"
            "    <Leaf Name=\"x\"/>\r\n"
            "    <!--inner-->\r\n"
            "  </Child>\r\n"
            "  <Empty/>\r\n"
            "</Root>\r\n");
  EXPECT_EQ(Serialize(document, XmlLayout::SingleLine),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><!-- note --><Root Version=\"1.00\">"
            "<Child><Leaf Name=\"x\"/><!--inner--></Child><Empty/></Root>\r\n");
  EXPECT_EQ(Serialize(Document(), XmlLayout::SingleLine), "");
  EXPECT_EQ(Serialize(Document(), XmlLayout::Indented), "");
}

TEST(XmlWriter, EscapesAttributesAndText) {
  EXPECT_EQ(EscapeAttribute("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
  EXPECT_EQ(EscapeAttribute("1\r\n2\t3"), "1&#13;&#10;2&#9;3");
  EXPECT_EQ(EscapeText("a&b<c>d\"e"), "a&amp;b&lt;c&gt;d\"e");
  EXPECT_EQ(EscapeText("line\nbreak\ttab\r"), "line\nbreak\ttab&#13;");
  EXPECT_EQ(EscapeAttribute("Büro 東京"), "Büro 東京");
}

TEST(XmlWriter, MixedContentIsNotIndented) {
  DocumentBuilder builder;
  builder.StartElement("a");
  builder.Characters(" keep ");
  builder.StartElement("b");
  EXPECT_EQ(Serialize(*builder.Finish(), XmlLayout::Indented), "<a> keep <b/></a>\r\n");
}

TEST(XmlWriter, CommentsStayWellFormed) {
  DocumentBuilder builder;
  builder.Comment("a--b-");
  builder.StartElement("r");
  const std::string text = Serialize(*builder.Finish(), XmlLayout::SingleLine);
  const auto parsed = Parse(text);
  EXPECT_EQ(parsed->Child(0).Kind(), NodeKind::Comment);
  EXPECT_EQ(text.find("--b"), std::string::npos) << text;
}

// What the writer produces, the parser gives back unchanged.
TEST(XmlWriter, RoundTripThroughTheParser) {
  const std::string tricky = "&<>\"' \r\n\t Büro 東京";
  DocumentBuilder builder;
  builder.StartElement("r");
  builder.Attribute("v", tricky);
  builder.Attribute("empty", "");
  builder.StartElement("c");
  builder.Characters(tricky);
  const std::unique_ptr<Document> document = builder.Finish();
  for (XmlLayout layout : {XmlLayout::Indented, XmlLayout::SingleLine}) {
    const auto parsed = Parse(Serialize(*document, layout));
    const Node& back = *parsed->DocumentElement();
    EXPECT_EQ(*back.FindAttribute("v"), tricky);
    EXPECT_EQ(*back.FindAttribute("empty"), "");
    EXPECT_EQ(back.Child(0).Child(0).Value(), tricky);
  }
}

// The shapes the program writes (nesting, empty elements, attributes with escapes, comments,
// the declaration), in both layouts: the stream writer gives exactly the bytes the serializer
// gives for the same document, read back.
TEST(XmlStreamWriter, WritesWhatTheSerializerWrites) {
  for (const XmlLayout layout : {XmlLayout::Indented, XmlLayout::SingleLine}) {
    for (const bool framed : {true, false}) {
      XmlStreamWriter writer(layout);
      if (framed) {
        writer.WriteDeclaration("1.0", "utf-8");
        writer.WriteComment("a--b-");
      }
      ElementWriter top = writer.DocumentLevel();
      ElementWriter root = top.AppendElement("Root");
      root.SetAttribute("Version", "1.00");
      ElementWriter child = root.AppendElement("Child");
      child.SetAttribute("Name", "a&b <c> \"d\"\r\n\t");
      child.AppendElement("Leaf").SetAttribute("Name", "x");
      child.AppendElement("Deep").AppendElement("Deeper").AppendElement("Deepest");
      root.AppendElement("Empty");
      ElementWriter last = root.AppendElement("Last");
      last.SetAttribute("Empty", "");
      last.SetAttribute("Text", "Büro 東京");
      const std::string bytes = writer.Finish();
      EXPECT_EQ(Serialize(*Parse(bytes), layout), bytes);
      EXPECT_EQ(Parse(bytes)->ChildCount(), framed ? 3u : 1u);
    }
  }
  EXPECT_EQ(XmlStreamWriter(XmlLayout::SingleLine).Finish(), "");
}

// As deep as the parsers read is written and read back; one level more is refused.
TEST(XmlStreamWriter, RefusesWhatTheParsersWouldNotRead) {
  XmlStreamWriter writer(XmlLayout::SingleLine);
  ElementWriter element = writer.DocumentLevel();
  for (int level = 1; level <= kMaxElementDepth; ++level) {
    element = element.AppendElement("e");
  }
  try {
    element.AppendElement("tooDeep");
    FAIL() << "no refusal";
  } catch (const EXALError& error) {
    EXPECT_NE(std::string(error.what()).find("tooDeep is nested more than 256 levels"),
              std::string::npos)
        << error.what();
  }
  EXPECT_NO_THROW(Parse(writer.Finish()));

  XmlStreamWriter text(XmlLayout::Indented);
  EXPECT_THROW(text.DocumentLevel().AppendElement("a").SetAttribute("v", "bell\x07"), EXALError);
  EXPECT_THROW(text.WriteComment("\xEF\xBF\xBE"), EXALError);
}

// Calls that the stream could only honour by writing a broken document are errors of the
// program, not bytes.
TEST(XmlStreamWriter, RefusesCallsOutOfOrder) {
  XmlStreamWriter writer(XmlLayout::Indented);
  ElementWriter top = writer.DocumentLevel();
  ElementWriter root = top.AppendElement("r");
  ElementWriter first = root.AppendElement("first");
  first.SetAttribute("a", "1");
  EXPECT_THROW(first.SetAttribute("a", "2"), std::logic_error);
  EXPECT_THROW(root.SetAttribute("late", "1"), std::logic_error);
  ElementWriter second = root.AppendElement("second");
  EXPECT_THROW(first.SetAttribute("b", "1"), std::logic_error);
  EXPECT_THROW(first.AppendElement("child"), std::logic_error);
  second.SetAttribute("a", "1");
  EXPECT_EQ(writer.Finish(), "<r>\r\n  <first a=\"1\"/>\r\n  <second a=\"1\"/>\r\n</r>\r\n");
}

}  // namespace
}  // namespace xal::xml
