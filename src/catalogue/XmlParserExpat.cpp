// The host's parser: expat, from the system's packages.
#include <expat.h>

#include <exception>
#include <memory>
#include <string>

#include "catalogue/XmlParser.h"

namespace xal::xml {
namespace {

// expat calls back into C++ from C frames, which exceptions must not cross: what a handler
// raises (an allocation that failed, what the builder's visitor raised) is kept, the parser
// stopped, and the exception raised again once expat has returned.
class ExpatReader {
 public:
  explicit ExpatReader(DocumentBuilder& builder) : builder_(builder) {}

  void Run(std::string_view bytes, const std::string& sourceName) {
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate(nullptr),
                                                                        &XML_ParserFree);
    if (!parser) {
      throw std::bad_alloc();
    }
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &ExpatReader::OnStart, &ExpatReader::OnEnd);
    XML_SetCharacterDataHandler(parser_, &ExpatReader::OnText);
    XML_SetCommentHandler(parser_, &ExpatReader::OnComment);
    XML_SetProcessingInstructionHandler(parser_, &ExpatReader::OnProcessingInstruction);
    XML_SetXmlDeclHandler(parser_, &ExpatReader::OnDeclaration);
    XML_SetStartDoctypeDeclHandler(parser_, &ExpatReader::OnDoctype);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);

    // In pieces of 256 KiB: expat copies what it is given into its own buffer, and a piece of
    // the whole text would be copied into as much fresh memory at every load, where a small
    // piece reuses a buffer that stays in the cache. (expat also takes only int lengths.)
    constexpr std::size_t kChunk = std::size_t{1} << 18;
    std::size_t offset = 0;
    do {
      const std::size_t length = std::min(kChunk, bytes.size() - offset);
      const bool last = offset + length == bytes.size();
      const XML_Status status =
          XML_Parse(parser_, bytes.data() + offset, static_cast<int>(length), last);
      if (raised_) {
        std::rethrow_exception(raised_);
      }
      if (status != XML_STATUS_OK) {
        const int line = static_cast<int>(XML_GetCurrentLineNumber(parser_));
        const int column = static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1;
        const std::string reason = stopReason_.empty()
                                       ? std::string(XML_ErrorString(XML_GetErrorCode(parser_)))
                                       : stopReason_;
        throw EXmlParseError(FormatParseError(sourceName, reason, line, column), line, column);
      }
      offset += length;
    } while (offset < bytes.size());
  }

 private:
  // Runs a handler's work unless the parse is stopping already.
  template <typename Work>
  static void Guard(void* data, Work&& work) {
    ExpatReader& self = *static_cast<ExpatReader*>(data);
    // expat may still report the end of the empty element that made it stop.
    if (self.stopped_) {
      return;
    }
    try {
      work(self);
    } catch (...) {
      self.raised_ = std::current_exception();
      self.Stop({});
    }
  }

  static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guard(data, [&](ExpatReader& self) {
      // expat itself has no limit; stopping here also keeps the tree shallow for every reader.
      if (self.builder_.Depth() >= kMaxElementDepth) {
        self.Stop(TooDeepReason());
        return;
      }
      self.builder_.StartElement(name);
      // expat has refused duplicate names already, with a hash table of its own.
      for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        self.builder_.Attribute(a[0], a[1]);
      }
    });
  }

  static void XMLCALL OnEnd(void* data, const XML_Char*) {
    Guard(data, [](ExpatReader& self) { self.builder_.EndElement(); });
  }

  static void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    Guard(data, [&](ExpatReader& self) {
      self.builder_.Characters({text, static_cast<std::size_t>(length)});
    });
  }

  static void XMLCALL OnComment(void* data, const XML_Char* text) {
    Guard(data, [&](ExpatReader& self) { self.builder_.Comment(text); });
  }

  static void XMLCALL OnProcessingInstruction(void* data, const XML_Char* target,
                                              const XML_Char* value) {
    Guard(data, [&](ExpatReader& self) { self.builder_.ProcessingInstruction(target, value); });
  }

  static void XMLCALL OnDeclaration(void* data, const XML_Char* version, const XML_Char* encoding,
                                    int standalone) {
    if (version == nullptr) {
      return;  // a text declaration of an external entity, never the document's
    }
    Guard(data, [&](ExpatReader& self) {
      self.builder_.Declaration(version, encoding != nullptr ? encoding : "",
                                standalone < 0    ? ""
                                : standalone == 1 ? "yes"
                                                  : "no");
    });
  }

  static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*,
                                int) {
    Guard(data, [](ExpatReader& self) { self.Stop("document type declarations are not allowed"); });
  }

  void Stop(std::string reason) {
    stopped_ = true;
    stopReason_ = std::move(reason);
    XML_StopParser(parser_, XML_FALSE);
  }

  DocumentBuilder& builder_;
  std::string stopReason_;
  std::exception_ptr raised_;
  XML_Parser parser_ = nullptr;
  bool stopped_ = false;
};

}  // namespace

void ParseInto(std::string_view bytes, const std::string& sourceName, DocumentBuilder& builder) {
  ExpatReader(builder).Run(bytes, sourceName);
}

}  // namespace xal::xml
