// The Windows parser: XmlLite, part of every supported Windows. MinGW has its header but no
// import library, so the DLL is loaded on first use. XmlLite is not a COM server: it works on
// any thread whether COM is initialised there or not.
#include <windows.h>
// windows.h first: the headers below need its types.
#include <objidl.h>
#include <shlwapi.h>
#include <wrl/client.h>
#include <xmllite.h>

#include <climits>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <unordered_set>

#include "catalogue/Utf8.h"
#include "catalogue/XmlParser.h"
#include "platform/win32/WideText.h"

namespace xal::xml {
namespace {

using Microsoft::WRL::ComPtr;
using win32::Narrow;
using CreateXmlReaderFunction = decltype(&::CreateXmlReader);

// Taken from the system folder only, so a file of that name beside the program is never loaded.
CreateXmlReaderFunction LoadCreateXmlReader() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return nullptr;
  }
  const std::wstring path = std::wstring(folder, length) + L"\\xmllite.dll";
  // Kept loaded for the life of the process; readers made from it may outlive any one call.
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) {
    return nullptr;
  }
  // Through void(*)() so that the compiler accepts the cast between function types.
  return reinterpret_cast<CreateXmlReaderFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, "CreateXmlReader")));
}

CreateXmlReaderFunction CreateXmlReaderEntry() {
  static const CreateXmlReaderFunction entry = LoadCreateXmlReader();
  return entry;
}

// The reader is set to refuse them; the words are those of the other platforms' parser.
constexpr char kDoctypeRefused[] = "document type declarations are not allowed";

struct ReasonEntry {
  unsigned long code;
  const char* text;
};

// Readable reasons for the errors that text can cause; the wording follows XmlLite's own list.
constexpr ReasonEntry kReasons[] = {
    {MX_E_INPUTEND, "unexpected end of input"},
    {MX_E_ENCODING, "unrecognized encoding"},
    {MX_E_ENCODINGSWITCH, "unable to switch the encoding"},
    {MX_E_ENCODINGSIGNATURE, "unrecognized input signature"},
    {WC_E_WHITESPACE, "white space expected"},
    {WC_E_SEMICOLON, "semicolon expected"},
    {WC_E_GREATERTHAN, "'>' expected"},
    {WC_E_QUOTE, "quote expected"},
    {WC_E_EQUAL, "equal sign expected"},
    {WC_E_LESSTHAN, "'<' is not allowed in an attribute value"},
    {WC_E_HEXDIGIT, "hexadecimal digit expected"},
    {WC_E_DIGIT, "decimal digit expected"},
    {WC_E_LEFTBRACKET, "'[' expected"},
    {WC_E_LEFTPAREN, "'(' expected"},
    {WC_E_XMLCHARACTER, "character not allowed in XML"},
    {WC_E_NAMECHARACTER, "character not allowed in a name"},
    {WC_E_SYNTAX, "incorrect document syntax"},
    {WC_E_CDSECT, "incorrect CDATA section syntax"},
    {WC_E_COMMENT, "incorrect comment syntax"},
    {WC_E_CONDSECT, "incorrect conditional section syntax"},
    {WC_E_NAME, "name expected"},
    {WC_E_ROOTELEMENT, "only one document element is allowed"},
    {WC_E_ELEMENTMATCH, "end tag does not match the start tag"},
    {WC_E_UNIQUEATTRIBUTE, "duplicate attribute"},
    {WC_E_TEXTXMLDECL, "XML declaration not at the beginning of the input"},
    {WC_E_LEADINGXML, "processing instruction targets starting with \"xml\" are reserved"},
    {WC_E_TEXTDECL, "incorrect text declaration syntax"},
    {WC_E_XMLDECL, "incorrect XML declaration syntax"},
    {WC_E_ENCNAME, "incorrect encoding name syntax"},
    {WC_E_UNDECLAREDENTITY, "undefined entity"},
    {WC_E_PI, "incorrect processing instruction syntax"},
    {WC_E_QUESTIONMARK, "'?' expected"},
    {WC_E_CDSECTEND, "\"]]>\" is not allowed in text"},
    {WC_E_DTDPROHIBITED, kDoctypeRefused},
    {WC_E_DECLDOCTYPE, kDoctypeRefused},
    {WC_E_INVALIDXMLSPACE, "xml:space must be \"default\" or \"preserve\""},
    {NC_E_QNAMECHARACTER, "character not allowed in a qualified name"},
    {NC_E_QNAMECOLON, "more than one colon in a qualified name"},
    {NC_E_NAMECOLON, "colon in a name"},
    {NC_E_DECLAREDPREFIX, "namespace prefix declared wrongly"},
    {NC_E_UNDECLAREDPREFIX, "undeclared namespace prefix"},
    {NC_E_EMPTYURI, "a namespace prefix must not be bound to an empty URI"},
    {NC_E_XMLPREFIXRESERVED, "the prefix \"xml\" is reserved"},
    {NC_E_XMLNSPREFIXRESERVED, "the prefix \"xmlns\" is reserved"},
    {NC_E_XMLURIRESERVED, "the XML namespace URI is reserved for the prefix \"xml\""},
    {NC_E_XMLNSURIRESERVED, "the xmlns namespace URI is reserved"},
    {XML_E_INVALID_DECIMAL, "character reference to a character not allowed in XML"},
    {XML_E_INVALID_HEXIDECIMAL, "character reference to a character not allowed in XML"},
    {XML_E_INVALID_UNICODE, "character reference to a character not allowed in XML"},
    {XML_E_INVALIDENCODING, "the text does not match its encoding"},
};

std::string Reason(unsigned long code) {
  if (code == static_cast<unsigned long>(SC_E_MAXELEMENTDEPTH)) {
    return TooDeepReason();
  }
  for (const ReasonEntry& entry : kReasons) {
    if (entry.code == code) {
      return entry.text;
    }
  }
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "XML error 0x%08lX", code);
  return buffer;
}

[[noreturn]] void ThrowParseError(const std::string& sourceName, const std::string& reason,
                                  int line, int column) {
  throw EXmlParseError(FormatParseError(sourceName, reason, line, column), line, column);
}

// UTF-8 of a text XmlLite gives, in a buffer kept for the next text: the builder copies it.
// ASCII, nearly all of a catalogue, is copied unit by unit, which costs less than a call of the
// system's converter per name and value; any other text is converted by the system.
std::string_view ToUtf8(std::wstring_view utf16, std::string& buffer) {
  if (utf16.empty()) {
    return {};
  }
  if (buffer.size() < utf16.size()) {
    buffer.resize(utf16.size());
  }
  std::size_t ascii = 0;
  while (ascii < utf16.size() && utf16[ascii] < 0x80) {
    buffer[ascii] = static_cast<char>(utf16[ascii]);
    ++ascii;
  }
  if (ascii == utf16.size()) {
    return {buffer.data(), ascii};
  }
  // At most three bytes for each UTF-16 unit; a pair of them makes four. The sizes are ints:
  // a value too long for them is refused, never cut short.
  if (utf16.size() > static_cast<std::size_t>(INT_MAX) / 3) {
    throw std::bad_alloc();
  }
  buffer.resize(utf16.size() * 3);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), buffer.data(),
                          static_cast<int>(buffer.size()), nullptr, nullptr);
  if (length <= 0) {
    throw std::bad_alloc();
  }
  return {buffer.data(), static_cast<std::size_t>(length)};
}

// Up to this many attributes, comparing each name with those before costs less than a set.
constexpr UINT kFewAttributes = 8;

class XmlLiteReader {
 public:
  XmlLiteReader(std::string_view bytes, const std::string& sourceName, DocumentBuilder& builder)
      : bytes_(bytes), sourceName_(sourceName), builder_(builder) {}

  void Run() {
    Open();
    XmlNodeType type = XmlNodeType_None;
    HRESULT hr;
    while ((hr = reader_->Read(&type)) == S_OK) {
      CheckProgress(type);
      switch (type) {
        case XmlNodeType_XmlDeclaration:
          Declaration();
          break;
        case XmlNodeType_Element:
          StartElement();
          break;
        case XmlNodeType_EndElement:
          EndElement();
          break;
        // CDATA and white space join the text around them, as one piece of character data.
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
        case XmlNodeType_Whitespace:
          builder_.Characters(ToUtf8(Value(), value_));
          break;
        case XmlNodeType_Comment:
          builder_.Comment(ToUtf8(Value(), value_));
          break;
        case XmlNodeType_ProcessingInstruction:
          builder_.ProcessingInstruction(ToUtf8(LocalName(), name_), ToUtf8(Value(), value_));
          break;
        case XmlNodeType_DocumentType:
          ThrowAt(kDoctypeRefused);
          break;
        default:
          break;
      }
    }
    if (FAILED(hr)) {
      Fail(hr);
    }
    // Input without a document element, or with elements still open, may end without an error.
    if (builder_.Depth() != 0 || !sawElement_) {
      ThrowAt("no element found");
    }
  }

 private:
  void Open() {
    const CreateXmlReaderFunction create = CreateXmlReaderEntry();
    if (create == nullptr) {
      ThrowParseError(sourceName_, "the system's XML parser (xmllite.dll) is not available", 1, 1);
    }
    Check(create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader_.GetAddressOf()), nullptr));
    // SHCreateMemStream copies the bytes; it takes a UINT size.
    if (bytes_.size() > UINT_MAX) {
      throw std::bad_alloc();
    }
    static const BYTE kNothing = 0;
    ComPtr<IStream> stream;
    stream.Attach(
        SHCreateMemStream(bytes_.empty() ? &kNothing : reinterpret_cast<const BYTE*>(bytes_.data()),
                          static_cast<UINT>(bytes_.size())));
    if (!stream) {
      throw std::bad_alloc();
    }
    Check(reader_->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit));
    // The builder counts the depth itself, exactly as on the other platforms. XmlLite's own
    // count is no match for it (Wine's stops before the element it refuses and reports the place
    // of the one before), so it only stands far behind as a backstop.
    Check(reader_->SetProperty(XmlReaderProperty_MaxElementDepth, 4 * kMaxElementDepth));
    Check(reader_->SetInput(stream.Get()));
  }

  void Check(HRESULT hr) {
    if (FAILED(hr)) {
      Fail(hr);
    }
  }

  [[noreturn]] void Fail(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) {
      throw std::bad_alloc();
    }
    ThrowAt(Reason(static_cast<unsigned long>(hr)));
  }

  [[noreturn]] void ThrowAt(const std::string& reason) {
    UINT line = 0;
    UINT column = 0;
    if (reader_) {
      reader_->GetLineNumber(&line);
      reader_->GetLinePosition(&column);
    }
    ThrowParseError(sourceName_, reason, line > 0 ? static_cast<int>(line) : 1,
                    column > 0 ? static_cast<int>(column) : 1);
  }

  // Every node starts at its own place in the text. Wine's XmlLite, given a document that ends
  // inside an element, returns the same node again and again instead of an error.
  void CheckProgress(XmlNodeType type) {
    UINT line = 0;
    UINT column = 0;
    reader_->GetLineNumber(&line);
    reader_->GetLinePosition(&column);
    if (type == lastType_ && line == lastLine_ && column == lastColumn_) {
      ThrowAt(Reason(MX_E_INPUTEND));
    }
    lastType_ = type;
    lastLine_ = line;
    lastColumn_ = column;
  }

  // Every value passes the XML 1.0 character check here, whatever XmlLite checked before: Wine's
  // lets control characters, U+FFFE, U+FFFF and lone surrogates through, and a text read with
  // them could not be saved again. So both platforms refuse what the writer refuses.
  std::wstring_view Value() {
    const WCHAR* text = nullptr;
    UINT length = 0;
    Check(reader_->GetValue(&text, &length));
    const std::wstring_view value(text, length);
    for (std::size_t i = 0; i < value.size(); ++i) {
      char32_t c = static_cast<char16_t>(value[i]);
      // The common case first: from the space up to the surrogates every unit is a character.
      if (c >= 0x20 && c < 0xD800) {
        continue;
      }
      // A surrogate pair is one character; a lone surrogate is none.
      if (c >= 0xD800 && c <= 0xDBFF && i + 1 < value.size() && value[i + 1] >= 0xDC00 &&
          value[i + 1] <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(value[++i]) - 0xDC00);
      }
      if (!IsXmlCharacter(c)) {
        ThrowAt(Reason(WC_E_XMLCHARACTER));
      }
    }
    return value;
  }

  std::wstring_view LocalName() {
    const WCHAR* text = nullptr;
    UINT length = 0;
    Check(reader_->GetLocalName(&text, &length));
    return {text, length};
  }

  std::wstring_view QualifiedName() {
    const WCHAR* text = nullptr;
    UINT length = 0;
    Check(reader_->GetQualifiedName(&text, &length));
    return {text, length};
  }

  void Declaration() {
    std::string version;
    std::string encoding;
    std::string standalone;
    for (HRESULT hr = reader_->MoveToFirstAttribute(); hr == S_OK;
         hr = reader_->MoveToNextAttribute()) {
      const std::wstring_view name = LocalName();
      if (name == L"version") {
        version = Narrow(Value());
      } else if (name == L"encoding") {
        encoding = Narrow(Value());
      } else if (name == L"standalone") {
        standalone = Narrow(Value());
      }
    }
    builder_.Declaration(version, encoding, standalone);
  }

  void StartElement() {
    // Checked against the builder's count, as expat's reader does, so both platforms refuse the
    // same texts.
    if (builder_.Depth() >= kMaxElementDepth) {
      ThrowAt(TooDeepReason());
    }
    // Asked before the attributes are visited: it describes the element, not an attribute.
    const bool empty = reader_->IsEmptyElement() != FALSE;
    sawElement_ = true;
    builder_.StartElement(ToUtf8(QualifiedName(), name_));
    UINT count = 0;
    if (FAILED(reader_->GetAttributeCount(&count))) {
      count = 0;
    }
    // XmlLite refuses duplicate names itself; Wine's passes them on, and the model keeps names
    // unique. The few attributes of the program's own elements are compared with each other; a
    // set of the names seen keeps an element with many attributes linear.
    const bool few = count <= kFewAttributes;
    attributeNames_.clear();
    for (HRESULT hr = reader_->MoveToFirstAttribute(); hr == S_OK;
         hr = reader_->MoveToNextAttribute()) {
      const std::string_view name = ToUtf8(QualifiedName(), name_);
      if (few ? builder_.HasAttribute(name) : !attributeNames_.emplace(name).second) {
        ThrowAt(Reason(WC_E_UNIQUEATTRIBUTE));
      }
      builder_.Attribute(name, ToUtf8(Value(), value_));
    }
    if (empty) {
      builder_.EndElement();
    }
  }

  void EndElement() {
    // Only a parser that lost count would close more than it opened.
    if (builder_.Depth() == 0) {
      ThrowAt(Reason(WC_E_ELEMENTMATCH));
    }
    builder_.EndElement();
  }

  std::string_view bytes_;
  const std::string& sourceName_;
  DocumentBuilder& builder_;
  ComPtr<IXmlReader> reader_;
  // Kept from text to text, so that converting allocates only for the longest.
  std::string name_;
  std::string value_;
  bool sawElement_ = false;
  XmlNodeType lastType_ = XmlNodeType_None;
  UINT lastLine_ = 0;
  UINT lastColumn_ = 0;
  std::unordered_set<std::string> attributeNames_;
};

}  // namespace

void ParseInto(std::string_view bytes, const std::string& sourceName, DocumentBuilder& builder) {
  XmlLiteReader(bytes, sourceName, builder).Run();
}

}  // namespace xal::xml
