// An in-memory registry of keys and text values. Key paths and value names compare without
// regard to ASCII letter case, as the registry does.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/Registry.h"

namespace xal::sim {

class SimRegistry : public IRegistry {
 public:
  bool KeyExists(TXALRegistryRoot root, const std::string& key) const override;
  std::optional<std::string> ReadString(TXALRegistryRoot root, const std::string& key,
                                        const std::string& name) const override;

  // Creates the key when missing.
  void AddKey(TXALRegistryRoot root, const std::string& key);
  // Creates the key when missing.
  void SetString(TXALRegistryRoot root, const std::string& key, const std::string& name,
                 const std::string& value);
  void RemoveValue(TXALRegistryRoot root, const std::string& key, const std::string& name);
  void RemoveKey(TXALRegistryRoot root, const std::string& key);

 private:
  using KeyId = std::pair<TXALRegistryRoot, std::string>;
  static KeyId Id(TXALRegistryRoot root, const std::string& key);

  // Value names are stored folded.
  std::map<KeyId, std::map<std::string, std::string>> keys_;
};

}  // namespace xal::sim
