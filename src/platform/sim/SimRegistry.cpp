#include "platform/sim/SimRegistry.h"

#include <algorithm>
#include <cctype>

namespace xal::sim {

namespace {

std::string Folded(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

SimRegistry::KeyId SimRegistry::Id(TXALRegistryRoot root, const std::string& key) {
  return {root, Folded(key)};
}

bool SimRegistry::KeyExists(TXALRegistryRoot root, const std::string& key) const {
  return keys_.count(Id(root, key)) != 0;
}

std::optional<std::string> SimRegistry::ReadString(TXALRegistryRoot root, const std::string& key,
                                                   const std::string& name) const {
  const auto found = keys_.find(Id(root, key));
  if (found == keys_.end()) {
    return std::nullopt;
  }
  const auto value = found->second.find(Folded(name));
  if (value == found->second.end()) {
    return std::nullopt;
  }
  return value->second;
}

void SimRegistry::AddKey(TXALRegistryRoot root, const std::string& key) {
  keys_[Id(root, key)];
}

void SimRegistry::SetString(TXALRegistryRoot root, const std::string& key, const std::string& name,
                            const std::string& value) {
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

}  // namespace xal::sim
