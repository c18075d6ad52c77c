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

TEST(XmlDocumentModel, AttributesAndChildren) {
  Document document;
  Node& root = document.AppendElement("root");
  root.SetAttribute("b", "1");
  root.SetAttribute("a", "");
  root.SetAttribute("b", "2");
  ASSERT_EQ(root.Attributes().size(), 2u);
  EXPECT_EQ(root.Attributes()[0].Name, "b");
  EXPECT_EQ(root.Attributes()[0].Value, "2");
  EXPECT_TRUE(root.HasAttribute("a"));
  EXPECT_FALSE(root.HasAttribute("c"));
  EXPECT_EQ(root.Parent(), &document);
  EXPECT_THROW(root.Child(0), EListIndexError);
  EXPECT_THROW(root.RemoveChild(0), EListIndexError);

  // The document element is the first element, wherever comments stand.
  Document commented;
  commented.AppendComment("c");
  EXPECT_EQ(commented.DocumentElement(), nullptr);
  Node& element = commented.AppendElement("e");
  EXPECT_EQ(commented.DocumentElement(), &element);
  commented.SetDeclaration("1.0", "utf-8");
  commented.SetDeclaration("1.0", "utf-16");
  ASSERT_EQ(commented.ChildCount(), 3u);
  EXPECT_EQ(*commented.DeclarationEncoding(), "utf-16");
}

// Far deeper than any parser reads, as code could build it: freeing it must not recurse.
TEST(XmlDocumentModel, DeepTreeIsFreedWithoutRecursion) {
  constexpr int kLevels = 300000;
  auto document = std::make_unique<Document>();
  Node* node = document.get();
  for (int i = 0; i < kLevels; ++i) {
    node = &node->AppendElement("a");
    node->AppendComment("c");
  }
  // A deep subtree removed from the middle, then the rest with the document. Each element holds
  // its comment, then the next element.
  Node* middle = &document->Child(0);
  for (int i = 0; i < kLevels / 2; ++i) {
    middle = &middle->Child(1);
  }
  middle->RemoveChild(1);
  EXPECT_EQ(middle->ChildCount(), 1u);
  document.reset();
}

// Trees taken into trees, each taken into the next: freeing the outermost must not recurse
// either.
TEST(XmlDocumentModel, ChainOfTakenTreesIsFreedWithoutRecursion) {
  auto inner = std::make_unique<Node>(NodeKind::Element, "leaf");
  inner->AppendElement("kept").SetAttribute("a", std::string(40, 'x'));
  for (int i = 0; i < 100000; ++i) {
    auto outer = std::make_unique<Node>(NodeKind::Element, "a");
    outer->AppendComment("c");
    outer->InsertChild(0, std::move(inner));
    inner = std::move(outer);
  }
  EXPECT_EQ(inner->Child(0).Child(0).Name(), "a");
  EXPECT_EQ(&inner->Child(0).Parent()->Child(0), &inner->Child(0));
  inner.reset();
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
  Document document;
  document.AppendComment(" note ");
  Node& root = document.AppendElement("Root");
  root.SetAttribute("Version", "1.00");
  Node& child = root.AppendElement("Child");
  child.AppendElement("Leaf").SetAttribute("Name", "x");
  child.AppendComment("inner");
  root.AppendElement("Empty");
  document.SetDeclaration("1.0", "utf-8");
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
  Document document;
  Node& root = document.AppendElement("a");
  root.AppendText(" keep ");
  root.AppendElement("b");
  EXPECT_EQ(Serialize(document, XmlLayout::Indented), "<a> keep <b/></a>\r\n");
}

TEST(XmlWriter, CommentsStayWellFormed) {
  Document document;
  document.AppendComment("a--b-");
  document.AppendElement("r");
  const std::string text = Serialize(document, XmlLayout::SingleLine);
  const auto parsed = Parse(text);
  EXPECT_EQ(parsed->Child(0).Kind(), NodeKind::Comment);
  EXPECT_EQ(text.find("--b"), std::string::npos) << text;
}

// What the writer produces, the parser gives back unchanged.
TEST(XmlWriter, RoundTripThroughTheParser) {
  const std::string tricky = "&<>\"' \r\n\t Büro 東京";
  Document document;
  Node& root = document.AppendElement("r");
  root.SetAttribute("v", tricky);
  root.SetAttribute("empty", "");
  root.AppendElement("c").AppendText(tricky);
  for (XmlLayout layout : {XmlLayout::Indented, XmlLayout::SingleLine}) {
    const auto parsed = Parse(Serialize(document, layout));
    const Node& back = *parsed->DocumentElement();
    EXPECT_EQ(*back.FindAttribute("v"), tricky);
    EXPECT_EQ(*back.FindAttribute("empty"), "");
    EXPECT_EQ(back.Child(0).Child(0).Value(), tricky);
  }
}

// The same calls on the document model and on the stream writer: the shapes the program writes
// (nesting, empty elements, attributes with escapes, comments, the declaration), in both
// layouts. The stream writer must give exactly the serializer's bytes.
TEST(XmlStreamWriter, WritesWhatTheSerializerWrites) {
  const auto build = [](auto& top) {
    auto&& root = top.AppendElement("Root");
    root.SetAttribute("Version", "1.00");
    auto&& child = root.AppendElement("Child");
    child.SetAttribute("Name", "a&b <c> \"d\"\r\n\t");
    child.AppendElement("Leaf").SetAttribute("Name", "x");
    auto&& deep = child.AppendElement("Deep");
    deep.AppendElement("Deeper").AppendElement("Deepest");
    root.AppendElement("Empty");
    auto&& last = root.AppendElement("Last");
    last.SetAttribute("Empty", "");
    last.SetAttribute("Text", "Büro 東京");
  };
  for (const XmlLayout layout : {XmlLayout::Indented, XmlLayout::SingleLine}) {
    for (const bool framed : {true, false}) {
      Document document;
      if (framed) {
        document.SetDeclaration("1.0", "utf-8");
        document.AppendComment("a--b-");
      }
      build(document);
      XmlStreamWriter writer(layout);
      if (framed) {
        writer.WriteDeclaration("1.0", "utf-8");
        writer.WriteComment("a--b-");
      }
      ElementWriter top = writer.DocumentLevel();
      build(top);
      EXPECT_EQ(writer.Finish(), Serialize(document, layout));
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
