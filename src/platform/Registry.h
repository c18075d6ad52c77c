// The registry values the program reads and writes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace xal {

enum class TXALRegistryRoot { LocalMachine, CurrentUser };

class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // Whether the key can be opened for reading. Key paths have no leading separator
  // ("SYSTEM\CurrentControlSet\...").
  virtual bool KeyExists(TXALRegistryRoot root, const std::string& key) const = 0;
  // A text value; nullopt when the key can't be opened or the value is missing or not a text.
  virtual std::optional<std::string> ReadString(TXALRegistryRoot root, const std::string& key,
                                                const std::string& name) const = 0;
};

}  // namespace xal
