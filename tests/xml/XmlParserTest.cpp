// Conformance of the platform's XML parser to what the program relies on. Built against expat
// on the host and against XmlLite for Windows, so it uses nothing but the parser's interface.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/XmlDocument.h"
#include "catalogue/XmlParser.h"

namespace xal::xml {
namespace {

TEST(XmlParser, AbsentAndEmptyAttributesDiffer) {
  const auto document = Parse("<a empty=\"\" full='x'/>");
  const Node* root = document->DocumentElement();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->Name(), "a");
  ASSERT_NE(root->FindAttribute("empty"), nullptr);
  EXPECT_EQ(*root->FindAttribute("empty"), "");
  EXPECT_EQ(*root->FindAttribute("full"), "x");
  EXPECT_EQ(root->FindAttribute("missing"), nullptr);
  EXPECT_EQ(root->FindAttribute("Full"), nullptr);
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
  ASSERT_NE(document->DeclarationVersion(), nullptr);
  EXPECT_EQ(*document->DeclarationVersion(), "1.0");
  ASSERT_NE(document->DeclarationEncoding(), nullptr);
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
}

TEST(XmlParser, DocumentTypeDeclarationsAreRefused) {
  EXPECT_THROW(Parse("<!DOCTYPE a><a/>"), EXmlParseError);
  EXPECT_THROW(Parse("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"boom\">]><a>&e;</a>"),
               EXmlParseError);
}

}  // namespace
}  // namespace xal::xml
