// The host's parser: expat, from the system's packages.
#include <expat.h>

#include <memory>
#include <string>
#include <vector>

#include "catalogue/XmlParser.h"

namespace xal::xml {
namespace {

// Called for the white space between every two elements, so a plain loop.
bool IsXmlSpace(const std::string& text) {
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      return false;
    }
  }
  return true;
}

class ExpatBuilder {
 public:
  ExpatBuilder() : document_(std::make_unique<Document>()), current_(document_.get()) {}

  std::unique_ptr<Document> Run(std::string_view bytes, const std::string& sourceName) {
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate(nullptr),
                                                                        &XML_ParserFree);
    if (!parser) {
      throw std::bad_alloc();
    }
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, &ExpatBuilder::OnStart, &ExpatBuilder::OnEnd);
    XML_SetCharacterDataHandler(parser_, &ExpatBuilder::OnText);
    XML_SetCommentHandler(parser_, &ExpatBuilder::OnComment);
    XML_SetProcessingInstructionHandler(parser_, &ExpatBuilder::OnProcessingInstruction);
    XML_SetXmlDeclHandler(parser_, &ExpatBuilder::OnDeclaration);
    XML_SetStartDoctypeDeclHandler(parser_, &ExpatBuilder::OnDoctype);
    XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);

    // expat takes int lengths; feed large inputs in pieces.
    constexpr std::size_t kChunk = 1 << 24;
    std::size_t offset = 0;
    do {
      const std::size_t length = std::min(kChunk, bytes.size() - offset);
      const bool last = offset + length == bytes.size();
      if (XML_Parse(parser_, bytes.data() + offset, static_cast<int>(length), last) !=
          XML_STATUS_OK) {
        const int line = static_cast<int>(XML_GetCurrentLineNumber(parser_));
        const int column = static_cast<int>(XML_GetCurrentColumnNumber(parser_)) + 1;
        const std::string reason = stopReason_.empty()
                                       ? std::string(XML_ErrorString(XML_GetErrorCode(parser_)))
                                       : stopReason_;
        throw EXmlParseError(FormatParseError(sourceName, reason, line, column), line, column);
      }
      offset += length;
    } while (offset < bytes.size());
    return std::move(document_);
  }

 private:
  static ExpatBuilder& Self(void* data) { return *static_cast<ExpatBuilder*>(data); }

  void FlushText() {
    if (!text_.empty()) {
      if (!IsXmlSpace(text_)) {
        current_->AppendText(std::move(text_));
      }
      text_.clear();
    }
  }

  static void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    ExpatBuilder& self = Self(data);
    // expat itself has no limit; stopping here also keeps the tree shallow for every reader.
    if (++self.depth_ > kMaxElementDepth) {
      self.Stop(TooDeepReason());
      return;
    }
    self.FlushText();
    Node& element = self.current_->AppendElement(name);
    std::size_t count = 0;
    while (attributes[2 * count] != nullptr) {
      ++count;
    }
    element.ReserveAttributes(count);
    // expat has refused duplicate names already, with a hash table of its own.
    for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
      element.AppendAttribute(a[0], a[1]);
    }
    self.current_ = &element;
  }

  static void XMLCALL OnEnd(void* data, const XML_Char*) {
    ExpatBuilder& self = Self(data);
    // expat may still report the end of the empty element that made it stop.
    if (!self.stopReason_.empty()) {
      return;
    }
    --self.depth_;
    self.FlushText();
    self.current_ = self.current_->Parent();
  }

  static void XMLCALL OnText(void* data, const XML_Char* text, int length) {
    Self(data).text_.append(text, static_cast<std::size_t>(length));
  }

  static void XMLCALL OnComment(void* data, const XML_Char* text) {
    ExpatBuilder& self = Self(data);
    self.FlushText();
    self.current_->AppendComment(text);
  }

  static void XMLCALL OnProcessingInstruction(void* data, const XML_Char* target,
                                              const XML_Char* value) {
    ExpatBuilder& self = Self(data);
    self.FlushText();
    self.current_->AppendProcessingInstruction(target, value);
  }

  static void XMLCALL OnDeclaration(void* data, const XML_Char* version, const XML_Char* encoding,
                                    int standalone) {
    ExpatBuilder& self = Self(data);
    if (version == nullptr) {
      return;  // a text declaration of an external entity, never the document's
    }
    auto declaration = MakeDeclaration(version, encoding != nullptr ? encoding : "");
    if (standalone >= 0) {
      declaration->SetAttribute("standalone", standalone == 1 ? "yes" : "no");
    }
    self.document_->InsertChild(self.document_->ChildCount(), std::move(declaration));
  }

  static void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*,
                                int) {
    Self(data).Stop("document type declarations are not allowed");
  }

  void Stop(std::string reason) {
    stopReason_ = std::move(reason);
    XML_StopParser(parser_, XML_FALSE);
  }

  std::unique_ptr<Document> document_;
  Node* current_;
  std::string text_;
  std::string stopReason_;
  XML_Parser parser_ = nullptr;
  int depth_ = 0;
};

}  // namespace

std::unique_ptr<Document> Parse(std::string_view bytes, const std::string& sourceName) {
  return ExpatBuilder().Run(bytes, sourceName);
}

}  // namespace xal::xml
