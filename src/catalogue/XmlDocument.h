// The XML document model shared by every reader and writer of the program: elements with
// ordered attributes, comments, text, processing instructions and the declaration. The parser
// of the platform fills it (XmlParser.h); one serializer writes it (XmlWriter.h), so files come
// out byte-identical wherever the program runs.
#pragma once

#include <cstddef>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
  std::string Name;
  std::string Value;
};

class NodePool;

// Nodes appended to a tree live in the pool of the tree's root, one block of memory for all of
// them, their attribute lists and child lists: building and freeing a large document costs a
// few allocations instead of several per node, and freeing walks the pool, not the tree.
class Node {
 public:
  // A node of its own, the root of a tree.
  Node(NodeKind kind, std::string name, std::string value = {});
  // Frees the tree, without recursion, so that no depth of tree can exhaust the stack. A node
  // taken out of a tree (RemoveChild) stays in the pool until its root is freed.
  virtual ~Node();
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  NodeKind Kind() const { return kind_; }
  bool IsElement() const { return kind_ == NodeKind::Element; }
  // Element name or processing-instruction target; "#comment", "#text", "xml" (declaration),
  // "#document" for the other kinds.
  const std::string& Name() const { return name_; }
  // Text of a comment or text node, data of a processing instruction.
  const std::string& Value() const { return value_; }

  Node* Parent() const { return parent_; }
  std::size_t ChildCount() const { return children_.size(); }
  // Raises EListIndexError for an index outside the children.
  const Node& Child(std::size_t index) const;
  Node& Child(std::size_t index);

  // Attributes in the order they were set. Absent and empty are different: Attribute() gives
  // nullptr for an absent one and a pointer to "" for an empty one.
  const std::pmr::vector<Attribute>& Attributes() const { return attributes_; }
  const std::string* FindAttribute(std::string_view name) const;
  bool HasAttribute(std::string_view name) const { return FindAttribute(name) != nullptr; }
  // Replaces the value of an attribute that exists, else appends it.
  void SetAttribute(std::string_view name, std::string value);
  // Appends without looking for the name: for parsers, which have refused duplicates already,
  // so that an element with many attributes is built in linear time.
  void AppendAttribute(std::string name, std::string value);
  // Room for that many attributes in all, for a parser that knows the count.
  void ReserveAttributes(std::size_t count) { attributes_.reserve(count); }

  Node& AppendElement(std::string name);
  Node& AppendComment(std::string text);
  Node& AppendText(std::string text);
  Node& AppendProcessingInstruction(std::string target, std::string data);
  // Takes a tree of its own (made with the public constructor) into this one.
  Node& InsertChild(std::size_t index, std::unique_ptr<Node> child);
  void RemoveChild(std::size_t index);
  void RemoveChildren();

 private:
  friend class NodePool;
  Node(NodeKind kind, std::string name, std::string value, NodePool& pool);
  Node& Append(NodeKind kind, std::string name, std::string value);

  // Set for a root only; declared first, so that it outlives the lists below, which it holds.
  std::unique_ptr<NodePool> ownPool_;
  NodePool* pool_;
  NodeKind kind_;
  std::string name_;
  std::string value_;
  Node* parent_ = nullptr;
  std::pmr::vector<Attribute> attributes_;
  std::pmr::vector<Node*> children_;
};

// A document: its top-level nodes are its children (the declaration, comments, processing
// instructions and at most one element).
class Document : public Node {
 public:
  Document();

  // The first top-level element, or nullptr.
  const Node* DocumentElement() const;
  Node* DocumentElement();

  // Puts the declaration <?xml version=".." encoding=".."?> in front of every other node,
  // replacing one that is there.
  void SetDeclaration(std::string version, std::string encoding);
  // Version and encoding of the declaration node, if the document has one.
  const std::string* DeclarationVersion() const;
  const std::string* DeclarationEncoding() const;
};

// The declaration is a node of its own kind with the attributes "version", "encoding" and,
// when given, "standalone".
std::unique_ptr<Node> MakeDeclaration(std::string version, std::string encoding);

}  // namespace xal::xml
