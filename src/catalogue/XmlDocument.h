// The XML document model the program reads files into: elements with ordered attributes,
// comments, text, processing instructions and the declaration. The parser of the platform
// fills it through a DocumentBuilder (XmlParser.h); Serialize (XmlWriter.h) writes one out.
//
// A document is read-only once built. Its nodes, their names, values, attribute lists and child
// lists all lie in one growing block of memory that the document frees at once: building and
// freeing a large document costs a few allocations, not several per node, and no walk of the
// tree, so no depth of tree can exhaust the stack.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace xal::xml {

// The deepest nesting of elements that the parsers accept and the writer writes; the document
// element is level 1. The program's own files need 6 levels (XALSets, XALSet, Target, Network,
// IPSettings, IPSetting), so 256, also XmlLite's own default, is far beyond any file the
// program wrote, and a deeper text is damaged or hostile. The limit keeps every walk of a tree
// shallow, whatever a stranger put in the file.
inline constexpr int kMaxElementDepth = 256;

enum class NodeKind { Document, Element, Comment, Text, Declaration, ProcessingInstruction };

struct Attribute {
  std::string_view Name;
  std::string_view Value;
};

class Node {
 public:
  NodeKind Kind() const { return kind_; }
  bool IsElement() const { return kind_ == NodeKind::Element; }
  // Element name or processing-instruction target; "#comment", "#text", "xml" (declaration),
  // "#document" for the other kinds.
  std::string_view Name() const { return name_; }
  // Text of a comment or text node, data of a processing instruction.
  std::string_view Value() const { return value_; }

  const Node* Parent() const { return parent_; }
  std::size_t ChildCount() const { return children_.size(); }
  // Raises EListIndexError for an index outside the children.
  const Node& Child(std::size_t index) const;
  std::span<const Node* const> Children() const { return children_; }

  // Attributes in the order they were read. Absent and empty are different: FindAttribute()
  // gives nothing for an absent one and "" for an empty one.
  std::span<const Attribute> Attributes() const { return attributes_; }
  std::optional<std::string_view> FindAttribute(std::string_view name) const;
  bool HasAttribute(std::string_view name) const { return FindAttribute(name).has_value(); }

 protected:
  Node(NodeKind kind, std::string_view name) : kind_(kind), name_(name) {}

 private:
  friend class DocumentBuilder;

  NodeKind kind_;
  std::string_view name_;
  std::string_view value_;
  const Node* parent_ = nullptr;
  std::span<const Attribute> attributes_;
  std::span<const Node* const> children_;
};

// A document: its top-level nodes are its children (the declaration, comments, processing
// instructions and at most one element). It owns the memory of all its nodes.
class Document : public Node {
 public:
  // An empty document, as for a text with nothing in it.
  Document();
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // The first top-level element, or nullptr.
  const Node* DocumentElement() const;
  // Version and encoding of the declaration node, if the document has one.
  std::optional<std::string_view> DeclarationVersion() const;
  std::optional<std::string_view> DeclarationEncoding() const;

 private:
  friend class DocumentBuilder;
  explicit Document(std::size_t sizeHint);
  std::pmr::monotonic_buffer_resource memory_;
};

// Called with each complete child element of the document element, see DocumentBuilder.
using ChildVisitor = std::function<void(const Node&)>;

// Builds a document from the events of a parser, in document order. Names and values are
// copied, so the caller's buffers may change as soon as a call returns. White space between
// elements is dropped; adjacent character data become one text node. The builder checks no
// well-formedness: the parser has.
//
// Given a visitor, the builder hands each child element of the document element, complete
// with its subtree, to the visitor as soon as its end is reached, and then forgets it: the
// document it gives holds everything else. A file of many like items is then read with the
// memory of one item, which stays in the processor's caches, instead of a tree of the whole
// file. Whatever the visitor raises reaches the caller of the builder's event.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(ChildVisitor visitor = {}, std::size_t sizeHint = 0);
  DocumentBuilder(const DocumentBuilder&) = delete;
  DocumentBuilder& operator=(const DocumentBuilder&) = delete;
  ~DocumentBuilder();

  // The declaration <?xml version=".." encoding=".." standalone=".."?>, each attribute only
  // when given (not empty).
  void Declaration(std::string_view version, std::string_view encoding,
                   std::string_view standalone);
  // A start tag: the element, then its attributes, each name once.
  void StartElement(std::string_view name);
  void Attribute(std::string_view name, std::string_view value);
  // Whether the element just started has that attribute already.
  bool HasAttribute(std::string_view name) const;
  void EndElement();
  void Characters(std::string_view text);
  void Comment(std::string_view text);
  void ProcessingInstruction(std::string_view target, std::string_view data);

  // Elements open now; the document element is level 1.
  int Depth() const { return static_cast<int>(open_.size()) - 1; }

  // The document; the builder is spent afterwards. Elements still open are ended.
  std::unique_ptr<Document> Finish();

 private:
  struct Open {
    Node* node;
    std::size_t firstChild;  // its children are children_[firstChild...]
  };

  // Where the next allocation is carved from: a piece taken from one of the memories.
  struct Region {
    std::pmr::memory_resource* memory;
    char* next = nullptr;
    char* end = nullptr;
  };

  // Memory for what is made now: the item's own while inside one that is handed out. Carved
  // here rather than asked of the memory resource each time, for the many small strings.
  void* Allocate(std::size_t size, std::size_t alignment);
  std::string_view Copy(std::string_view text);
  // A copy of a list in the current memory, for a node to point at.
  template <typename T>
  std::span<const T> Keep(std::span<const T> items);
  // A node, put in the list of its parent's children.
  Node& Make(NodeKind kind, std::string_view name, std::string_view value, const Node* parent);
  // A node made in the open element, or in the document.
  Node& Append(NodeKind kind, std::string_view name, std::string_view value);
  // Gives the start tag just read its attributes, before anything else comes.
  void EndStartTag();
  void FlushText();

  ChildVisitor visitor_;
  std::unique_ptr<Document> document_;
  // An item handed to the visitor lives here; the memory is reset after each one, so the next
  // item reuses it.
  std::unique_ptr<std::byte[]> itemBuffer_;
  std::pmr::monotonic_buffer_resource itemMemory_;
  Region documentRegion_;
  Region itemRegion_;
  std::vector<Open> open_;
  std::vector<const Node*> children_;
  std::vector<xml::Attribute> attributes_;
  std::string text_;
  bool inStartTag_ = false;
};

}  // namespace xal::xml
