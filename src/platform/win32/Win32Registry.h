// Registry values under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER: texts and numbers read, keys
// opened for writing.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace xal::win32 {

class Win32Registry : public IRegistry {
 public:
  Win32Registry() = default;

  bool KeyExists(TXALRegistryRoot root, const std::string& key) const override;
  // REG_SZ and REG_EXPAND_SZ values, the latter as stored (environment references unexpanded).
  std::optional<std::string> ReadString(TXALRegistryRoot root, const std::string& key,
                                        const std::string& name) const override;
  std::optional<std::uint32_t> ReadDword(TXALRegistryRoot root, const std::string& key,
                                         const std::string& name) const override;
  std::unique_ptr<IRegistryKeyWriter> CreateKey(TXALRegistryRoot root,
                                                const std::string& key) override;
};

}  // namespace xal::win32
