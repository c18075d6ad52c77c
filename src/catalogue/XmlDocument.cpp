#include "catalogue/XmlDocument.h"

#include <algorithm>

#include "catalogue/XALErrors.h"

namespace xal::xml {

Node::Node(NodeKind kind, std::string name, std::string value)
    : kind_(kind), name_(std::move(name)), value_(std::move(value)) {}

Node::~Node() {
  // Every descendant is moved into one flat list before it dies, so each node destroyed here
  // has no children left and its own destructor returns at once.
  std::vector<std::unique_ptr<Node>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    for (std::unique_ptr<Node>& child : node->children_) {
      pending.push_back(std::move(child));
    }
    node->children_.clear();
  }
}

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

Node& Node::Adopt(std::unique_ptr<Node> child) {
  child->parent_ = this;
  children_.push_back(std::move(child));
  return *children_.back();
}

Node& Node::AppendElement(std::string name) {
  return Adopt(std::make_unique<Node>(NodeKind::Element, std::move(name)));
}

Node& Node::AppendComment(std::string text) {
  return Adopt(std::make_unique<Node>(NodeKind::Comment, "#comment", std::move(text)));
}

Node& Node::AppendText(std::string text) {
  return Adopt(std::make_unique<Node>(NodeKind::Text, "#text", std::move(text)));
}

Node& Node::AppendProcessingInstruction(std::string target, std::string data) {
  return Adopt(
      std::make_unique<Node>(NodeKind::ProcessingInstruction, std::move(target), std::move(data)));
}

Node& Node::InsertChild(std::size_t index, std::unique_ptr<Node> child) {
  index = std::min(index, children_.size());
  child->parent_ = this;
  auto it =
      children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(index), std::move(child));
  return **it;
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
