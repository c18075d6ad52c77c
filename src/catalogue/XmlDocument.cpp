#include "catalogue/XmlDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>

#include "catalogue/XALErrors.h"

namespace xal::xml {
namespace {

// What a document-element child of the program's files holds in one set, with room to spare:
// a larger item takes more from the heap for its own time only.
constexpr std::size_t kItemBufferSize = 64 * 1024;

// Strings and nodes are carved out of pieces this large, or as large as one needs.
constexpr std::size_t kRegionChunk = 8 * 1024;

// Nodes are never destroyed one by one: the memory they lie in is freed as a whole.
static_assert(std::is_trivially_destructible_v<Attribute>);

bool IsXmlSpace(std::string_view text) {
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') {
      return false;
    }
  }
  return true;
}

}  // namespace

const Node& Node::Child(std::size_t index) const {
  if (index >= children_.size()) {
    throw EListIndexError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return *children_[index];
}

std::optional<std::string_view> Node::FindAttribute(std::string_view name) const {
  for (const Attribute& attribute : attributes_) {
    if (attribute.Name == name) {
      return attribute.Value;
    }
  }
  return std::nullopt;
}

Document::Document() : Node(NodeKind::Document, "#document") {}

Document::Document(std::size_t sizeHint)
    : Node(NodeKind::Document, "#document"), memory_(std::max<std::size_t>(sizeHint, 1024)) {}

const Node* Document::DocumentElement() const {
  for (const Node* child : Children()) {
    if (child->IsElement()) {
      return child;
    }
  }
  return nullptr;
}

std::optional<std::string_view> Document::DeclarationVersion() const {
  if (ChildCount() > 0 && Child(0).Kind() == NodeKind::Declaration) {
    return Child(0).FindAttribute("version");
  }
  return std::nullopt;
}

std::optional<std::string_view> Document::DeclarationEncoding() const {
  if (ChildCount() > 0 && Child(0).Kind() == NodeKind::Declaration) {
    return Child(0).FindAttribute("encoding");
  }
  return std::nullopt;
}

DocumentBuilder::DocumentBuilder(ChildVisitor visitor, std::size_t sizeHint)
    : visitor_(std::move(visitor)),
      document_(new Document(visitor_ ? 0 : sizeHint)),
      itemBuffer_(visitor_ ? std::make_unique<std::byte[]>(kItemBufferSize) : nullptr),
      itemMemory_(itemBuffer_.get(), visitor_ ? kItemBufferSize : 0),
      documentRegion_{&document_->memory_},
      itemRegion_{&itemMemory_} {
  open_.push_back(Open{document_.get(), 0});
}

DocumentBuilder::~DocumentBuilder() = default;

void* DocumentBuilder::Allocate(std::size_t size, std::size_t alignment) {
  // open_ holds the document, the document element, the item and what lies inside it.
  Region& region = visitor_ && open_.size() >= 3 ? itemRegion_ : documentRegion_;
  std::uintptr_t place = (reinterpret_cast<std::uintptr_t>(region.next) + alignment - 1) &
                         ~static_cast<std::uintptr_t>(alignment - 1);
  if (region.next == nullptr || place + size > reinterpret_cast<std::uintptr_t>(region.end)) {
    const std::size_t length = std::max(size, kRegionChunk);
    region.next = static_cast<char*>(region.memory->allocate(length, alignof(std::max_align_t)));
    region.end = region.next + length;
    place = reinterpret_cast<std::uintptr_t>(region.next);
  }
  region.next = reinterpret_cast<char*>(place + size);
  return reinterpret_cast<void*>(place);
}

std::string_view DocumentBuilder::Copy(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  char* copy = static_cast<char*>(Allocate(text.size(), 1));
  std::memcpy(copy, text.data(), text.size());
  return {copy, text.size()};
}

template <typename T>
std::span<const T> DocumentBuilder::Keep(std::span<const T> items) {
  if (items.empty()) {
    return {};
  }
  T* kept = static_cast<T*>(Allocate(items.size() * sizeof(T), alignof(T)));
  std::uninitialized_copy(items.begin(), items.end(), kept);
  return {kept, items.size()};
}

Node& DocumentBuilder::Make(NodeKind kind, std::string_view name, std::string_view value,
                            const Node* parent) {
  Node* node = new (Allocate(sizeof(Node), alignof(Node))) Node(kind, name);
  node->value_ = value;
  node->parent_ = parent;
  children_.push_back(node);
  return *node;
}

Node& DocumentBuilder::Append(NodeKind kind, std::string_view name, std::string_view value) {
  return Make(kind, name, value, open_.back().node);
}

void DocumentBuilder::EndStartTag() {
  if (!inStartTag_) {
    return;
  }
  inStartTag_ = false;
  open_.back().node->attributes_ = Keep<xml::Attribute>(attributes_);
  attributes_.clear();
}

void DocumentBuilder::FlushText() {
  if (text_.empty()) {
    return;
  }
  if (!IsXmlSpace(text_)) {
    Append(NodeKind::Text, "#text", Copy(text_));
  }
  text_.clear();
}

void DocumentBuilder::Declaration(std::string_view version, std::string_view encoding,
                                  std::string_view standalone) {
  EndStartTag();
  FlushText();
  Node& node = Append(NodeKind::Declaration, "xml", {});
  xml::Attribute given[3];
  std::size_t count = 0;
  for (const xml::Attribute attribute :
       {xml::Attribute{"version", version}, xml::Attribute{"encoding", encoding},
        xml::Attribute{"standalone", standalone}}) {
    if (!attribute.Value.empty()) {
      given[count++] = xml::Attribute{attribute.Name, Copy(attribute.Value)};
    }
  }
  node.attributes_ = Keep<xml::Attribute>({given, count});
}

void DocumentBuilder::StartElement(std::string_view name) {
  EndStartTag();
  FlushText();
  const Node* parent = open_.back().node;
  // Opened first, so that the element is made in the memory of the level it opens: an item
  // lies in the item's memory.
  open_.push_back(Open{nullptr, 0});
  Node& node = Make(NodeKind::Element, Copy(name), {}, parent);
  open_.back() = Open{&node, children_.size()};
  inStartTag_ = true;
}

void DocumentBuilder::Attribute(std::string_view name, std::string_view value) {
  attributes_.push_back(xml::Attribute{Copy(name), Copy(value)});
}

bool DocumentBuilder::HasAttribute(std::string_view name) const {
  return std::any_of(attributes_.begin(), attributes_.end(),
                     [name](const xml::Attribute& attribute) { return attribute.Name == name; });
}

void DocumentBuilder::EndElement() {
  EndStartTag();
  FlushText();
  if (open_.size() <= 1) {
    return;  // nothing open; the parser has refused such a text already
  }
  const Open element = open_.back();
  element.node->children_ =
      Keep<const Node*>(std::span<const Node* const>(children_).subspan(element.firstChild));
  children_.resize(element.firstChild);
  const bool handedOut = visitor_ && open_.size() == 3;
  open_.pop_back();
  if (handedOut) {
    // Forgotten first: whatever the visitor does, the next item starts afresh.
    children_.pop_back();
    struct Forget {
      DocumentBuilder& builder;
      ~Forget() {
        builder.itemMemory_.release();
        builder.itemRegion_ = Region{&builder.itemMemory_};
      }
    } forget{*this};
    visitor_(*element.node);
  }
}

void DocumentBuilder::Characters(std::string_view text) {
  EndStartTag();
  text_.append(text);
}

void DocumentBuilder::Comment(std::string_view text) {
  EndStartTag();
  FlushText();
  Append(NodeKind::Comment, "#comment", Copy(text));
}

void DocumentBuilder::ProcessingInstruction(std::string_view target, std::string_view data) {
  EndStartTag();
  FlushText();
  Append(NodeKind::ProcessingInstruction, Copy(target), Copy(data));
}

std::unique_ptr<Document> DocumentBuilder::Finish() {
  while (open_.size() > 1) {
    EndElement();
  }
  FlushText();
  document_->children_ = Keep<const Node*>(children_);
  children_.clear();
  return std::move(document_);
}

}  // namespace xal::xml
