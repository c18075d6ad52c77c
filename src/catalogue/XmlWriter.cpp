#include "catalogue/XmlWriter.h"

#include <string>
#include <string_view>

#include "catalogue/Utf8.h"
#include "catalogue/XALErrors.h"

namespace xal::xml {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// XML 1.0 can't hold control characters other than tab, line feed and carriage return, nor
// U+FFFE and U+FFFF, not even as references, nor bytes that are not UTF-8 (which takes in lone
// surrogates). Both parsers refuse them, so writing them would give a file that the next start
// refuses to load; the whole write is refused instead (IsXmlCharacter), before any byte reaches
// the file.

// The start of the text for the message, with what can't be stored shown as "?", so that the
// message itself is clean text.
std::string ShownText(std::string_view value) {
  std::string shown;
  std::size_t i = 0;
  while (i < value.size() && shown.size() < 40) {
    const std::size_t start = i;
    char32_t c = 0;
    if (NextCodePoint(value, i, c) && IsXmlCharacter(c)) {
      shown.append(value.substr(start, i - start));
    } else {
      shown += '?';
      i = start + 1;
      // Past the rest of a character that XML can't hold, or of a broken sequence.
      while (i < value.size() && (static_cast<unsigned char>(value[i]) & 0xC0u) == 0x80u) {
        ++i;
      }
    }
  }
  return i < value.size() ? shown + "..." : shown;
}

void CheckStorable(std::string_view value) {
  std::size_t i = 0;
  while (i < value.size()) {
    char32_t c = 0;
    if (!NextCodePoint(value, i, c)) {
      throw EXALError("The text \"" + ShownText(value) +
                      "\" holds bytes that are not UTF-8, which an XML file cannot store.");
    }
    if (!IsXmlCharacter(c)) {
      throw EXALError("The text \"" + ShownText(value) + "\" holds the character " +
                      CodePointName(c) + ", which an XML file cannot store.");
    }
  }
}

void AppendEscaped(std::string& out, std::string_view value, bool attribute) {
  CheckStorable(value);
  for (char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += attribute ? std::string_view("&quot;") : std::string_view("\"");
        break;
      // A parser normalises raw line breaks and tabs in attribute values to spaces, and a raw
      // CR in text to LF; references keep them as they were.
      case '\t':
        out += attribute ? std::string_view("&#9;") : std::string_view("\t");
        break;
      case '\n':
        out += attribute ? std::string_view("&#10;") : std::string_view("\n");
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        out += c;
    }
  }
}

// "--" may not stand inside a comment, nor "-" at its end; the text is the program's own, so
// a space keeps the file well-formed without losing anything a reader needs.
std::string SafeCommentText(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (char c : text) {
    if (c == '-' && !safe.empty() && safe.back() == '-') {
      safe += ' ';
    }
    safe += c;
  }
  if (!safe.empty() && safe.back() == '-') {
    safe += ' ';
  }
  return safe;
}

bool HasTextChild(const Node& node) {
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    if (node.Child(i).Kind() == NodeKind::Text) {
      return true;
    }
  }
  return false;
}

class Writer {
 public:
  explicit Writer(XmlLayout layout) : indented_(layout == XmlLayout::Indented) {}

  std::string Write(const Document& document) {
    for (std::size_t i = 0; i < document.ChildCount(); ++i) {
      WriteNode(document.Child(i), 0, indented_);
      if (indented_) {
        out_ += kLineEnd;
      }
    }
    if (!indented_ && !out_.empty()) {
      out_ += kLineEnd;
    }
    return std::move(out_);
  }

 private:
  void Indent(int depth) { out_.append(static_cast<std::size_t>(depth) * 2, ' '); }

  void WriteNode(const Node& node, int depth, bool layoutOn) {
    switch (node.Kind()) {
      case NodeKind::Element:
        WriteElement(node, depth, layoutOn);
        break;
      case NodeKind::Comment:
        out_ += "<!--";
        CheckStorable(node.Value());
        out_ += SafeCommentText(node.Value());
        out_ += "-->";
        break;
      case NodeKind::Text:
        AppendEscaped(out_, node.Value(), false);
        break;
      case NodeKind::Declaration:
        out_ += "<?xml";
        WriteAttributes(node);
        out_ += "?>";
        break;
      case NodeKind::ProcessingInstruction:
        out_ += "<?";
        out_ += node.Name();
        if (!node.Value().empty()) {
          out_ += ' ';
          out_ += node.Value();
        }
        out_ += "?>";
        break;
      case NodeKind::Document:
        break;
    }
  }

  void WriteAttributes(const Node& node) {
    for (const Attribute& attribute : node.Attributes()) {
      out_ += ' ';
      out_ += attribute.Name;
      out_ += "=\"";
      AppendEscaped(out_, attribute.Value, true);
      out_ += '"';
    }
  }

  void WriteElement(const Node& node, int depth, bool layoutOn) {
    // Deeper than the parsers read: refused rather than written into a file that won't load.
    if (depth >= kMaxElementDepth) {
      throw EXALError("The element " + QuoteForMessage(node.Name()) + " is nested more than " +
                      std::to_string(kMaxElementDepth) +
                      " levels deep, deeper than the program reads XML files.");
    }
    out_ += '<';
    out_ += node.Name();
    WriteAttributes(node);
    if (node.ChildCount() == 0) {
      out_ += "/>";
      return;
    }
    out_ += '>';
    // Indentation inside mixed content would change the text, so it stops there.
    const bool childLayout = layoutOn && !HasTextChild(node);
    for (std::size_t i = 0; i < node.ChildCount(); ++i) {
      if (childLayout) {
        out_ += kLineEnd;
        Indent(depth + 1);
      }
      WriteNode(node.Child(i), depth + 1, childLayout);
    }
    if (childLayout) {
      out_ += kLineEnd;
      Indent(depth);
    }
    out_ += "</";
    out_ += node.Name();
    out_ += '>';
  }

  bool indented_;
  std::string out_;
};

}  // namespace

std::string Serialize(const Document& document, XmlLayout layout) {
  return Writer(layout).Write(document);
}

std::string EscapeAttribute(std::string_view value) {
  std::string out;
  AppendEscaped(out, value, true);
  return out;
}

std::string EscapeText(std::string_view value) {
  std::string out;
  AppendEscaped(out, value, false);
  return out;
}

}  // namespace xal::xml
