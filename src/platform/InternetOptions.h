// The Internet client library's options, through which running programs learn that the
// per-user Internet settings changed.
#pragma once

#include <cstdint>

namespace xal {

constexpr std::uint32_t kInternetOptionRefresh = 37;
constexpr std::uint32_t kInternetOptionSettingsChanged = 39;

class IInternetOptions {
 public:
  virtual ~IInternetOptions() = default;
  // Sets the option with no handle and no buffer. The result is not reported: a program that
  // misses the notice reads the settings at its next start.
  virtual void SetOption(std::uint32_t option) = 0;
};

}  // namespace xal
