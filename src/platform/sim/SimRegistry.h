// An in-memory registry of keys with text and number values. Key paths and value names compare
// without regard to ASCII letter case, as the registry does.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/Registry.h"

namespace xal::sim {

class SimRegistry : public IRegistry {
 public:
  bool KeyExists(TXALRegistryRoot root, const std::string& key) const override;
  std::optional<std::string> ReadString(TXALRegistryRoot root, const std::string& key,
                                        const std::string& name) const override;
  std::optional<std::uint32_t> ReadDword(TXALRegistryRoot root, const std::string& key,
                                         const std::string& name) const override;
  std::unique_ptr<IRegistryKeyWriter> CreateKey(TXALRegistryRoot root,
                                                const std::string& key) override;

  // Creates the key when missing.
  void AddKey(TXALRegistryRoot root, const std::string& key);
  // Creates the key when missing.
  void SetString(TXALRegistryRoot root, const std::string& key, const std::string& name,
                 const std::string& value);
  // Creates the key when missing.
  void SetDword(TXALRegistryRoot root, const std::string& key, const std::string& name,
                std::uint32_t value);
  void RemoveValue(TXALRegistryRoot root, const std::string& key, const std::string& name);
  void RemoveKey(TXALRegistryRoot root, const std::string& key);

  // CreateKey gives nullptr for the key, as for a key the user may not write.
  void SetUnwritable(TXALRegistryRoot root, const std::string& key, bool unwritable = true);
  // Writing a value of this name raises an error and changes nothing.
  void FailWritesOf(const std::string& name) { failingWrites_.insert(Folded(name)); }

  struct Write {
    std::string key;
    std::string name;
    std::variant<std::string, std::uint32_t> value;
  };
  // Every successful write through CreateKey, in order.
  const std::vector<Write>& Writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }

 private:
  friend class SimRegistryKeyWriter;
  using KeyId = std::pair<TXALRegistryRoot, std::string>;
  using Value = std::variant<std::string, std::uint32_t>;
  static KeyId Id(TXALRegistryRoot root, const std::string& key);
  static std::string Folded(std::string text);
  const Value* Find(TXALRegistryRoot root, const std::string& key, const std::string& name) const;
  void WriteValue(TXALRegistryRoot root, const std::string& key, const std::string& name,
                  Value value);

  // Value names are stored folded.
  std::map<KeyId, std::map<std::string, Value>> keys_;
  std::set<KeyId> unwritable_;
  std::set<std::string> failingWrites_;
  std::vector<Write> writes_;
};

}  // namespace xal::sim
