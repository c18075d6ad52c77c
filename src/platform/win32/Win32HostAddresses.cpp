#include "platform/win32/Win32HostAddresses.h"

#include <winsock2.h>
// winsock2.h before windows.h, which would pull in the old winsock.h.
#include <windows.h>
#include <ws2tcpip.h>

namespace xal::win32 {

Win32HostAddresses::Win32HostAddresses() {
  WSADATA data{};
  started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

Win32HostAddresses::~Win32HostAddresses() {
  if (started_) {
    WSACleanup();
  }
}

std::vector<std::string> Win32HostAddresses::LocalIPv4Addresses() {
  std::vector<std::string> addresses;
  if (!started_) {
    return addresses;
  }
  char name[256] = {};
  if (gethostname(name, static_cast<int>(sizeof name - 1)) != 0) {
    return addresses;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  // One entry per address: without a socket type some resolvers give each address once per type.
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* results = nullptr;
  if (getaddrinfo(name, nullptr, &hints, &results) != 0) {
    return addresses;
  }
  for (const addrinfo* entry = results; entry != nullptr && addresses.size() < kMaxHostAddresses;
       entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addr == nullptr ||
        entry->ai_addrlen < sizeof(sockaddr_in)) {
      continue;
    }
    const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    char text[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr) {
      addresses.emplace_back(text);
    }
  }
  freeaddrinfo(results);
  return addresses;
}

}  // namespace xal::win32
