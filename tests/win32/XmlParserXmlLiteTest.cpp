// What the XmlLite parser adds to the shared conformance tests (tests/xml/XmlParserTest.cpp):
// independence from COM and readable reasons for XmlLite's error codes.
#include <gtest/gtest.h>
#include <objbase.h>

#include <string>

#include "TestThread.h"
#include "catalogue/XmlParser.h"

namespace xal::xml {
namespace {

TEST(XmlParserXmlLite, WorksInEveryComStateOfTheThread) {
  // None: a worker thread; STA: the user-interface thread; MTA for completeness.
  const DWORD models[] = {0, COINIT_APARTMENTTHREADED, COINIT_MULTITHREADED};
  for (const DWORD model : models) {
    std::string name;
    win32::TestThread worker([&] {
      const bool initialised =
          model != 0 && SUCCEEDED(CoInitializeEx(nullptr, static_cast<DWORD>(model)));
      try {
        const auto document = Parse(
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><XALSets><XALSet Name=\"\xe4\xbc\x9a"
            "\xe7\xa4\xbe\"/></XALSets>");
        name = *document->DocumentElement()->Child(0).FindAttribute("Name");
      } catch (const std::exception& error) {
        name = error.what();
      }
      if (initialised) {
        CoUninitialize();
      }
    });
    worker.Join();
    EXPECT_EQ(name, "\xe4\xbc\x9a\xe7\xa4\xbe") << "COM model " << model;
  }
}

TEST(XmlParserXmlLite, ErrorsGiveAReadableReasonAndTheLine) {
  struct Case {
    const char* text;
    const char* reason;
    int line;
  };
  const Case cases[] = {
      {"<?xml version=\"1.0\"?>\r\n<!DOCTYPE a>\r\n<a/>",
       "document type declarations are not allowed", 2},
      {"<a>\r\n<b>", "unexpected end of input", 2},
      {"<a>\r\n<b>\r\n</a>", "end tag does not match the start tag", 3},
      {"<a\r\n x=\"1\" x=\"2\"/>", "duplicate attribute", 2},
  };
  for (const Case& c : cases) {
    try {
      Parse(c.text, "XALData.xml");
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const EXmlParseError& error) {
      const std::string message = error.what();
      EXPECT_EQ(message.rfind("XALData.xml: ", 0), 0u) << message;
      EXPECT_NE(message.find(": " + std::string(c.reason) + "."), std::string::npos) << message;
      EXPECT_EQ(error.Line(), c.line) << message;
      EXPECT_GE(error.Column(), 1) << message;
    }
  }
}

}  // namespace
}  // namespace xal::xml
