#include "catalogue/XmlDocument.h"

#include <algorithm>
#include <new>

#include "catalogue/XALErrors.h"

namespace xal::xml {

// The memory of a tree: nodes, attribute and child lists come from one growing buffer, and the
// nodes are destroyed in the order they were made.
class NodePool {
 public:
  NodePool() = default;
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  ~NodePool() {
    for (Node* node : nodes_) {
      node->~Node();
    }
    // Trees taken in hold pools of their own, which may hold trees taken in in turn: gathered
    // into one list before they die, so that no chain of them is freed by recursion.
    std::vector<std::unique_ptr<Node>> pending = std::move(adopted_);
    while (!pending.empty()) {
      std::unique_ptr<Node> root = std::move(pending.back());
      pending.pop_back();
      if (root->ownPool_) {
        for (std::unique_ptr<Node>& inner : root->ownPool_->adopted_) {
          pending.push_back(std::move(inner));
        }
        root->ownPool_->adopted_.clear();
      }
    }
  }

  std::pmr::memory_resource* Memory() { return &memory_; }

  Node& Make(NodeKind kind, std::string name, std::string value) {
    nodes_.push_back(nullptr);
    void* place = memory_.allocate(sizeof(Node), alignof(Node));
    Node* node = new (place) Node(kind, std::move(name), std::move(value), *this);
    nodes_.back() = node;
    return *node;
  }

  void Keep(std::unique_ptr<Node> root) { adopted_.push_back(std::move(root)); }

 private:
  std::pmr::monotonic_buffer_resource memory_;
  std::vector<Node*> nodes_;
  std::vector<std::unique_ptr<Node>> adopted_;
};

Node::Node(NodeKind kind, std::string name, std::string value)
    : ownPool_(std::make_unique<NodePool>()),
      pool_(ownPool_.get()),
      kind_(kind),
      name_(std::move(name)),
      value_(std::move(value)),
      attributes_(pool_->Memory()),
      children_(pool_->Memory()) {}

Node::Node(NodeKind kind, std::string name, std::string value, NodePool& pool)
    : pool_(&pool),
      kind_(kind),
      name_(std::move(name)),
      value_(std::move(value)),
      attributes_(pool.Memory()),
      children_(pool.Memory()) {}

// The nodes of the tree belong to the pool, which frees them one after the other.
Node::~Node() = default;

const Node& Node::Child(std::size_t index) const {
  if (index >= children_.size()) {
    throw EListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return *children_[index];
}

Node& Node::Child(std::size_t index) {
  return const_cast<Node&>(static_cast<const Node*>(this)->Child(index));
}

const std::string* Node::FindAttribute(std::string_view name) const {
  for (const Attribute& attribute : attributes_) {
    if (attribute.Name == name) {
      return &attribute.Value;
    }
  }
  return nullptr;
}

void Node::SetAttribute(std::string_view name, std::string value) {
  for (Attribute& attribute : attributes_) {
    if (attribute.Name == name) {
      attribute.Value = std::move(value);
      return;
    }
  }
  attributes_.push_back(Attribute{std::string(name), std::move(value)});
}

void Node::AppendAttribute(std::string name, std::string value) {
  attributes_.push_back(Attribute{std::move(name), std::move(value)});
}

Node& Node::Append(NodeKind kind, std::string name, std::string value) {
  children_.push_back(nullptr);
  Node& child = pool_->Make(kind, std::move(name), std::move(value));
  child.parent_ = this;
  children_.back() = &child;
  return child;
}

Node& Node::AppendElement(std::string name) {
  return Append(NodeKind::Element, std::move(name), {});
}

Node& Node::AppendComment(std::string text) {
  return Append(NodeKind::Comment, "#comment", std::move(text));
}

Node& Node::AppendText(std::string text) {
  return Append(NodeKind::Text, "#text", std::move(text));
}

Node& Node::AppendProcessingInstruction(std::string target, std::string data) {
  return Append(NodeKind::ProcessingInstruction, std::move(target), std::move(data));
}

Node& Node::InsertChild(std::size_t index, std::unique_ptr<Node> child) {
  index = std::min(index, children_.size());
  Node& adopted = *child;
  adopted.parent_ = this;
  // Kept first: should the insertion fail, the tree is freed with this one, not left dangling.
  pool_->Keep(std::move(child));
  children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), &adopted);
  return adopted;
}

void Node::RemoveChild(std::size_t index) {
  if (index >= children_.size()) {
    throw EListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  }
  children_.erase(children_.begin() + static_cast<std::ptrdiff_t>(index));
}

void Node::RemoveChildren() {
  children_.clear();
}

Document::Document() : Node(NodeKind::Document, "#document") {}

const Node* Document::DocumentElement() const {
  for (std::size_t i = 0; i < ChildCount(); ++i) {
    if (Child(i).IsElement()) {
      return &Child(i);
    }
  }
  return nullptr;
}

Node* Document::DocumentElement() {
  return const_cast<Node*>(static_cast<const Document*>(this)->DocumentElement());
}

void Document::SetDeclaration(std::string version, std::string encoding) {
  for (std::size_t i = 0; i < ChildCount(); ++i) {
    if (Child(i).Kind() == NodeKind::Declaration) {
      RemoveChild(i);
      break;
    }
  }
  InsertChild(0, MakeDeclaration(std::move(version), std::move(encoding)));
}

const std::string* Document::DeclarationVersion() const {
  if (ChildCount() > 0 && Child(0).Kind() == NodeKind::Declaration) {
    return Child(0).FindAttribute("version");
  }
  return nullptr;
}

const std::string* Document::DeclarationEncoding() const {
  if (ChildCount() > 0 && Child(0).Kind() == NodeKind::Declaration) {
    return Child(0).FindAttribute("encoding");
  }
  return nullptr;
}

std::unique_ptr<Node> MakeDeclaration(std::string version, std::string encoding) {
  auto declaration = std::make_unique<Node>(NodeKind::Declaration, "xml");
  declaration->SetAttribute("version", std::move(version));
  if (!encoding.empty()) {
    declaration->SetAttribute("encoding", std::move(encoding));
  }
  return declaration;
}

}  // namespace xal::xml
