// IPv4 addresses and the address patterns of environments ("192.168.*.*").
#pragma once

#include <string>

namespace xal {

// Four decimal octets 0 to 255, one to three digits each, and nothing around them.
extern const char* const kIPv4AddressRegEx;
// Four parts, each an octet as above or a single "*".
extern const char* const kIPPatternRegEx;

// The regular expression an address pattern stands for: every "." becomes "\." and then every
// "*" becomes ".+". Nothing else is changed, so the result is searched anywhere in an address.
std::string IPPatternToRegEx(const std::string& pattern);

bool IsIPv4Address(const std::string& text);

}  // namespace xal
