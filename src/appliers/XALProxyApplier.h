// The proxy server and the automatic configuration script URL of the per-user Internet
// settings: compared with what is in force, written only on a change, then announced to the
// Internet client library so that running programs pick them up.
#pragma once

#include <string>

namespace xal {

struct TXALPlatform;
class TXALLanguage;

// Empty text leaves the proxy alone; "off" in any letter case switches it off; any other text
// becomes the proxy server. Nothing is written when the setting in force already says so.
void ApplyProxy(TXALPlatform& platform, const TXALLanguage& language, const std::string& text);
// Empty text leaves the URL alone; "off" in any letter case writes an empty URL every time; any
// other text becomes the URL when it differs from the one in force.
void ApplyAutoConfigURL(TXALPlatform& platform, const TXALLanguage& language,
                        const std::string& text);

// Both writers set the default connection's settings, then the registry values, then announce
// the change. Switching off writes only ProxyEnable = 0, so the old server comes back when the
// user turns the proxy on by hand. A key that can't be opened does nothing; a failing registry
// write raises EXALError and nothing is announced (the connection is already set by then).
void WriteProxySettings(TXALPlatform& platform, bool enable, const std::string& server);
// An empty url keeps the value, with empty text.
void WriteAutoConfigURL(TXALPlatform& platform, const std::string& url);

}  // namespace xal
