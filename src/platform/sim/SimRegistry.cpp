#include "platform/sim/SimRegistry.h"

#include <algorithm>
#include <cctype>

#include "catalogue/XALErrors.h"

namespace xal::sim {

class SimRegistryKeyWriter : public IRegistryKeyWriter {
 public:
  SimRegistryKeyWriter(SimRegistry& registry, TXALRegistryRoot root, std::string key)
      : registry_(registry), root_(root), key_(std::move(key)) {}

  void WriteString(const std::string& name, const std::string& value) override {
    registry_.WriteValue(root_, key_, name, value);
  }
  void WriteDword(const std::string& name, std::uint32_t value) override {
    registry_.WriteValue(root_, key_, name, value);
  }

 private:
  SimRegistry& registry_;
  TXALRegistryRoot root_;
  std::string key_;
};

std::string SimRegistry::Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

SimRegistry::KeyId SimRegistry::Id(TXALRegistryRoot root, const std::string& key) {
  return {root, Folded(key)};
}

bool SimRegistry::KeyExists(TXALRegistryRoot root, const std::string& key) const {
  return keys_.count(Id(root, key)) != 0;
}

const SimRegistry::Value* SimRegistry::Find(TXALRegistryRoot root, const std::string& key,
                                            const std::string& name) const {
  const auto found = keys_.find(Id(root, key));
  if (found == keys_.end()) {
    return nullptr;
  }
  const auto value = found->second.find(Folded(name));
  return value == found->second.end() ? nullptr : &value->second;
}

std::optional<std::string> SimRegistry::ReadString(TXALRegistryRoot root, const std::string& key,
                                                   const std::string& name) const {
  const Value* value = Find(root, key, name);
  const auto* text = value == nullptr ? nullptr : std::get_if<std::string>(value);
  return text == nullptr ? std::nullopt : std::optional<std::string>(*text);
}

std::optional<std::uint32_t> SimRegistry::ReadDword(TXALRegistryRoot root, const std::string& key,
                                                    const std::string& name) const {
  const Value* value = Find(root, key, name);
  const auto* number = value == nullptr ? nullptr : std::get_if<std::uint32_t>(value);
  return number == nullptr ? std::nullopt : std::optional<std::uint32_t>(*number);
}

std::unique_ptr<IRegistryKeyWriter> SimRegistry::CreateKey(TXALRegistryRoot root,
                                                           const std::string& key) {
  if (unwritable_.count(Id(root, key)) != 0) {
    return nullptr;
  }
  AddKey(root, key);
  return std::make_unique<SimRegistryKeyWriter>(*this, root, key);
}

void SimRegistry::WriteValue(TXALRegistryRoot root, const std::string& key, const std::string& name,
                             Value value) {
  if (failingWrites_.count(Folded(name)) != 0) {
    throw EXALError("The registry value " + name + " can't be written.");
  }
  keys_[Id(root, key)][Folded(name)] = value;
  writes_.push_back({key, name, std::move(value)});
}

void SimRegistry::AddKey(TXALRegistryRoot root, const std::string& key) {
  keys_[Id(root, key)];
}

void SimRegistry::SetString(TXALRegistryRoot root, const std::string& key, const std::string& name,
                            const std::string& value) {
  keys_[Id(root, key)][Folded(name)] = value;
}

void SimRegistry::SetDword(TXALRegistryRoot root, const std::string& key, const std::string& name,
                           std::uint32_t value) {
  keys_[Id(root, key)][Folded(name)] = value;
}

void SimRegistry::RemoveValue(TXALRegistryRoot root, const std::string& key,
                              const std::string& name) {
  const auto found = keys_.find(Id(root, key));
  if (found != keys_.end()) {
    found->second.erase(Folded(name));
  }
}

void SimRegistry::RemoveKey(TXALRegistryRoot root, const std::string& key) {
  keys_.erase(Id(root, key));
}

void SimRegistry::SetUnwritable(TXALRegistryRoot root, const std::string& key, bool unwritable) {
  if (unwritable) {
    unwritable_.insert(Id(root, key));
  } else {
    unwritable_.erase(Id(root, key));
  }
}

}  // namespace xal::sim
