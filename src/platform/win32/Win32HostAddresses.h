// The computer's IPv4 addresses as resolving its own host name gives them.
#pragma once

#include <string>
#include <vector>

#include "platform/HostAddresses.h"

namespace xal::win32 {

class Win32HostAddresses : public IHostAddresses {
 public:
  Win32HostAddresses();
  ~Win32HostAddresses() override;
  Win32HostAddresses(const Win32HostAddresses&) = delete;
  Win32HostAddresses& operator=(const Win32HostAddresses&) = delete;

  std::vector<std::string> LocalIPv4Addresses() override;

 private:
  bool started_ = false;
};

}  // namespace xal::win32
