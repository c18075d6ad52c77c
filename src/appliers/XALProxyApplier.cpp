#include "appliers/XALProxyApplier.h"

#include <memory>

#include "catalogue/XALLists.h"
#include "platform/XALPlatform.h"
#include "sensing/XALProbes.h"
#include "ui/XALLanguage.h"

namespace xal {

namespace {

bool IsOff(const std::string& text) {
  return SameText(text, "off");
}

// Settings changed first, then refresh, so that programs re-read the new values.
void AnnounceSettingsChange(IInternetOptions& internet) {
  internet.SetOption(kInternetOptionSettingsChanged);
  internet.SetOption(kInternetOptionRefresh);
}

}  // namespace

void ApplyProxy(TXALPlatform& platform, const TXALLanguage& language, const std::string& text) {
  if (text.empty()) {
    return;
  }
  const std::string current = GetCurrentProxy(platform.Proxy, language);
  if (IsOff(text)) {
    if (current != language.Text("fmXALCurrent_NoProxyMsg")) {
      WriteProxySettings(platform, false, {});
    }
    return;
  }
  if (current != text) {
    WriteProxySettings(platform, true, text);
  }
}

void ApplyAutoConfigURL(TXALPlatform& platform, const TXALLanguage& language,
                        const std::string& text) {
  if (text.empty()) {
    return;
  }
  if (IsOff(text)) {
    WriteAutoConfigURL(platform, {});
    return;
  }
  if (GetAutoConfigURL(platform.Registry, language) != text) {
    WriteAutoConfigURL(platform, text);
  }
}

void WriteProxySettings(TXALPlatform& platform, bool enable, const std::string& server) {
  {
    const std::unique_ptr<IRegistryKeyWriter> key =
        platform.Registry.CreateKey(TXALRegistryRoot::CurrentUser, kInternetSettingsKey);
    if (!key) {
      return;
    }
    // The connection's settings first: they are what is in force and what the proxy probe
    // reads back, and the Internet client library may rewrite the registry values from them,
    // which are then written as they must stay.
    platform.Internet.SetConnectionProxy(enable, server);
    if (enable) {
      key->WriteString("ProxyServer", server);
      key->WriteDword("ProxyEnable", 1);
    } else {
      key->WriteDword("ProxyEnable", 0);
    }
  }
  AnnounceSettingsChange(platform.Internet);
}

void WriteAutoConfigURL(TXALPlatform& platform, const std::string& url) {
  const std::unique_ptr<IRegistryKeyWriter> key =
      platform.Registry.CreateKey(TXALRegistryRoot::CurrentUser, kInternetSettingsKey);
  if (!key) {
    return;
  }
  // As for the proxy: the connection first, then the value, which stays even when empty.
  platform.Internet.SetConnectionAutoConfigURL(url);
  key->WriteString("AutoConfigURL", url);
  AnnounceSettingsChange(platform.Internet);
}

}  // namespace xal
