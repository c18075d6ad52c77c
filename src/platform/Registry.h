// The registry values the program reads and writes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace xal {

enum class TXALRegistryRoot { LocalMachine, CurrentUser };

// A key opened for writing; closed when released.
class IRegistryKeyWriter {
 public:
  virtual ~IRegistryKeyWriter() = default;
  // Each raises EXALError naming the value when the write fails.
  virtual void WriteString(const std::string& name, const std::string& value) = 0;
  virtual void WriteDword(const std::string& name, std::uint32_t value) = 0;
};

class IRegistry {
 public:
  virtual ~IRegistry() = default;

  // Whether the key can be opened for reading. Key paths have no leading separator
  // ("SYSTEM\CurrentControlSet\...").
  virtual bool KeyExists(TXALRegistryRoot root, const std::string& key) const = 0;
  // A text value; nullopt when the key can't be opened or the value is missing or not a text.
  virtual std::optional<std::string> ReadString(TXALRegistryRoot root, const std::string& key,
                                                const std::string& name) const = 0;
  // A number (REG_DWORD) value; nullopt when the key can't be opened or the value is missing or
  // not a number.
  virtual std::optional<std::uint32_t> ReadDword(TXALRegistryRoot root, const std::string& key,
                                                 const std::string& name) const = 0;
  // Opens the key for writing, creating it when missing; nullptr when that fails.
  virtual std::unique_ptr<IRegistryKeyWriter> CreateKey(TXALRegistryRoot root,
                                                        const std::string& key) = 0;
};

}  // namespace xal
