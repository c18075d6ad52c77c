#include "core/XALRecheck.h"

#include <map>
#include <optional>

#include "catalogue/XALErrors.h"
#include "regex/IPPattern.h"
#include "regex/RegEx.h"
#include "sensing/XALNetwork.h"
#include "sensing/XALProbes.h"

namespace xal {
namespace {

class Matcher {
 public:
  explicit Matcher(const TXALRecheckEnvironment& environment) : environment_(environment) {}

  bool Matches(const TXALSet& set) {
    return WiFiHolds(set.Environment.Network.WiFi) &&
           AddressesHold(set.Environment.Network.IPList) &&
           set.Environment.Displays.MatchesScreen(environment_.Monitors) &&
           PrintersHold(set.Environment.Printers);
  }

 private:
  bool WiFiHolds(const std::string& wifi) {
    if (wifi.empty()) {
      return true;
    }
    if (!connected_) {
      connected_.emplace();
      GetWiFiNetworks(environment_.Wireless, true, *connected_);
    }
    for (const std::string& name : *connected_) {
      if (SameText(name, wifi)) {
        return true;
      }
    }
    return false;
  }

  bool AddressesHold(const TXALEnvIPList& patterns) {
    for (int i = 0; i < patterns.Count(); ++i) {
      if (!PatternHolds(patterns.Items(i))) {
        return false;
      }
    }
    return true;
  }

  bool PatternHolds(const std::string& pattern) {
    if (environment_.IPStatuses.Count() == 0) {
      return false;
    }
    // Each pattern is converted and compiled once per recheck, however many sets and
    // addresses it meets.
    auto it = compiled_.find(pattern);
    if (it == compiled_.end()) {
      it = compiled_.emplace(pattern, Compile(pattern)).first;
    }
    for (const TXALIPStatus* status : environment_.IPStatuses) {
      if (it->second.IsMatch(status->Address)) {
        return true;
      }
    }
    return false;
  }

  // Names the pattern as the user wrote it, not the expression it became.
  static TXALRegEx Compile(const std::string& pattern) {
    try {
      return TXALRegEx(IPPatternToRegEx(pattern));
    } catch (const EXALError& error) {
      throw EXALError("The address pattern \"" + pattern + "\" can't be used: " + error.what());
    }
  }

  bool PrintersHold(const TXALPrinters& required) const {
    for (int i = 0; i < required.Count(); ++i) {
      bool found = false;
      for (const std::string& line : environment_.Printers) {
        if (SameText(line, required.Items(i))) {
          found = true;
          break;
        }
      }
      if (!found) {
        return false;
      }
    }
    return true;
  }

  const TXALRecheckEnvironment& environment_;
  std::optional<std::vector<std::string>> connected_;
  std::map<std::string, TXALRegEx> compiled_;
};

}  // namespace

void FindMatchingSets(const TXALSets& sets, const TXALRecheckEnvironment& environment,
                      TXALSetList& matching) {
  Matcher matcher(environment);
  for (int i = sets.Count() - 1; i >= 0; --i) {
    const TXALSet& set = sets.Items(i);
    if (matcher.Matches(set)) {
      matching.Add(const_cast<TXALSet*>(&set));
    }
  }
}

TXALTargetChoice ChooseTargets(const TXALSetList& matching, const TXALSetList& previous) {
  TXALTargetChoice choice;
  for (const TXALSet* set : matching) {
    const TXALTarget& target = set->Target;
    if (!target.Network.Proxy.empty()) {
      choice.Proxy = target.Network.Proxy;
    }
    if (!target.Network.AutoConfigURL.empty()) {
      choice.AutoConfigURL = target.Network.AutoConfigURL;
    }
    if (!target.DefaultPrinter.empty()) {
      choice.DefaultPrinter = target.DefaultPrinter;
    }
    const bool matchedBefore = previous.IndexOf(const_cast<TXALSet*>(set)) >= 0;
    for (int i = 0; i < target.Startups.Count(); ++i) {
      const TXALStartup& startup = target.Startups.Items(i);
      if (startup.OnlyNew && matchedBefore) {
        continue;
      }
      choice.FilePaths.push_back(startup.FilePath);
      choice.Params.push_back(startup.Param);
      choice.WorkDirs.push_back(startup.WorkDir);
    }
  }
  return choice;
}

}  // namespace xal
