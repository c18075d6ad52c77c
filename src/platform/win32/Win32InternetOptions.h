// Notices to the Internet client library (WinINet) that the per-user settings changed.
#pragma once

#include <cstdint>

#include "platform/InternetOptions.h"

namespace xal::win32 {

class Win32InternetOptions : public IInternetOptions {
 public:
  Win32InternetOptions() = default;

  void SetOption(std::uint32_t option) override;
};

}  // namespace xal::win32
