// The Internet client library (WinINet): the default connection's proxy settings and the
// notices that the per-user settings changed.
#pragma once

#include <cstdint>
#include <string>

#include "platform/InternetOptions.h"
#include "platform/win32/Win32DefaultConnection.h"

namespace xal::win32 {

class Win32InternetOptions : public IInternetOptions {
 public:
  // connection must outlive the object.
  explicit Win32InternetOptions(Win32DefaultConnection& connection) : connection_(connection) {}

  void SetOption(std::uint32_t option) override;
  void SetConnectionProxy(bool enable, const std::string& server) override;
  void SetConnectionAutoConfigURL(const std::string& url) override;

 private:
  Win32DefaultConnection& connection_;
};

}  // namespace xal::win32
