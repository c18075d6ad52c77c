#include "catalogue/XmlWriter.h"

#include <stdexcept>
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
  // Runs of bytes that need no reference are appended whole.
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < value.size(); ++i) {
    std::string_view reference;
    switch (value[i]) {
      case '&':
        reference = "&amp;";
        break;
      case '<':
        reference = "&lt;";
        break;
      case '>':
        reference = "&gt;";
        break;
      case '"':
        if (attribute) {
          reference = "&quot;";
        }
        break;
      // A parser normalises raw line breaks and tabs in attribute values to spaces, and a raw
      // CR in text to LF; references keep them as they were.
      case '\t':
        if (attribute) {
          reference = "&#9;";
        }
        break;
      case '\n':
        if (attribute) {
          reference = "&#10;";
        }
        break;
      case '\r':
        reference = "&#13;";
        break;
      default:
        break;
    }
    if (!reference.empty()) {
      out.append(value.substr(runStart, i - runStart));
      out.append(reference);
      runStart = i + 1;
    }
  }
  out.append(value.substr(runStart));
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

// Deeper than the parsers read: refused rather than written into a file that won't load.
[[noreturn]] void RefuseTooDeep(std::string_view name) {
  throw EXALError("The element " + QuoteForMessage(name) + " is nested more than " +
                  std::to_string(kMaxElementDepth) +
                  " levels deep, deeper than the program reads XML files.");
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendEscaped(out, value, true);
  out += '"';
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
      AppendAttribute(out_, attribute.Name, attribute.Value);
    }
  }

  void WriteElement(const Node& node, int depth, bool layoutOn) {
    if (depth >= kMaxElementDepth) {
      RefuseTooDeep(node.Name());
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

XmlStreamWriter::XmlStreamWriter(XmlLayout layout) : indented_(layout == XmlLayout::Indented) {
  open_.reserve(8);
}

void XmlStreamWriter::WriteDeclaration(std::string_view version, std::string_view encoding) {
  CloseTo(0);
  out_ += "<?xml";
  AppendAttribute(out_, "version", version);
  if (!encoding.empty()) {
    AppendAttribute(out_, "encoding", encoding);
  }
  out_ += "?>";
  EndTopLevelNode();
}

void XmlStreamWriter::WriteComment(std::string_view text) {
  CloseTo(0);
  CheckStorable(text);
  out_ += "<!--";
  out_ += SafeCommentText(text);
  out_ += "-->";
  EndTopLevelNode();
}

void XmlStreamWriter::EndTopLevelNode() {
  if (indented_) {
    out_ += kLineEnd;
  }
}

void XmlStreamWriter::CheckOpen(const ElementWriter& element) const {
  if (element.writer_ != this || element.level_ > open_.size() ||
      (element.level_ > 0 && open_[element.level_ - 1].serial != element.serial_)) {
    throw std::logic_error("XML element written to after its end");
  }
}

void XmlStreamWriter::CloseTo(std::size_t level) {
  while (open_.size() > level) {
    const Open element = open_.back();
    open_.pop_back();
    if (!element.hasChildren) {
      out_ += "/>";
    } else {
      if (indented_) {
        out_ += kLineEnd;
        out_.append(open_.size() * 2, ' ');
      }
      // The name is copied from the text written so far: room first, so that it stays put.
      out_.reserve(out_.size() + element.nameLength + 3);
      out_ += "</";
      out_.append(out_.data() + element.nameOffset, element.nameLength);
      out_ += '>';
    }
    if (open_.empty()) {
      EndTopLevelNode();
    }
  }
}

std::string XmlStreamWriter::Finish() {
  CloseTo(0);
  if (!indented_ && !out_.empty()) {
    out_ += kLineEnd;
  }
  std::string bytes = std::move(out_);
  out_.clear();
  return bytes;
}

ElementWriter ElementWriter::AppendElement(std::string_view name) {
  XmlStreamWriter& writer = *writer_;
  writer.CheckOpen(*this);
  if (level_ >= static_cast<std::size_t>(kMaxElementDepth)) {
    RefuseTooDeep(name);
  }
  writer.CloseTo(level_);
  if (level_ > 0) {
    XmlStreamWriter::Open& parent = writer.open_.back();
    if (!parent.hasChildren) {
      writer.out_ += '>';
      parent.hasChildren = true;
    }
    if (writer.indented_) {
      writer.out_ += kLineEnd;
      writer.out_.append(level_ * 2, ' ');
    }
  }
  writer.out_ += '<';
  writer.tagAttributes_.clear();
  const std::uint64_t serial = writer.nextSerial_++;
  writer.open_.push_back(XmlStreamWriter::Open{writer.out_.size(), name.size(), serial, false});
  writer.out_ += name;
  return ElementWriter(writer, level_ + 1, serial);
}

void ElementWriter::SetAttribute(std::string_view name, std::string_view value) {
  XmlStreamWriter& writer = *writer_;
  writer.CheckOpen(*this);
  // Only the start tag still being written can take it.
  if (level_ == 0 || level_ != writer.open_.size() || writer.open_.back().hasChildren) {
    throw std::logic_error("XML attribute written after the element's content");
  }
  // A second value can't replace the first once it is written, and two would not load.
  for (const auto& [offset, length] : writer.tagAttributes_) {
    if (std::string_view(writer.out_).substr(offset, length) == name) {
      throw std::logic_error("XML attribute written twice");
    }
  }
  writer.tagAttributes_.emplace_back(writer.out_.size() + 1, name.size());
  AppendAttribute(writer.out_, name, value);
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
