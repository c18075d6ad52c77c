#include "core/XALRecheck.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "catalogue/XALErrors.h"
#include "regex/IPPattern.h"
#include "regex/RegEx.h"
#include "sensing/XALNetwork.h"
#include "sensing/XALProbes.h"

namespace xal {
namespace {

class Matcher {
 public:
  Matcher(const TXALRecheckEnvironment& environment, int setCount) : environment_(environment) {
    std::size_t size = 16;
    while (size < 2 * static_cast<std::size_t>(setCount)) {
      size *= 2;
    }
    results_.resize(size);
  }

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
    // The answer depends on the pattern and the addresses alone, and the addresses stay put
    // during a visit, so each distinct pattern is worked out once however many sets carry it.
    // The keys view the sets' own texts, which outlive the visit.
    Result& result = Find(pattern);
    if (result.Known) {
      return result.Holds;
    }
    const bool holds = IsSimpleIPPattern(pattern) ? SimpleHolds(pattern) : ExpressionHolds(pattern);
    result = Result{pattern, true, holds};
    if (++known_ * 2 > results_.size()) {
      Grow();
    }
    return holds;
  }

  // The patterns' answers, in an open table kept at most half full: a catalogue of thousands of
  // distinct patterns is looked up without a node per entry.
  struct Result {
    std::string_view Pattern;
    bool Known = false;
    bool Holds = false;
  };

  static std::size_t Hash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (char c : text) {
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return static_cast<std::size_t>(hash ^ (hash >> 32));
  }

  // The entry of the pattern, or the free one where it belongs.
  Result& Find(std::string_view pattern) {
    const std::size_t mask = results_.size() - 1;
    for (std::size_t i = Hash(pattern) & mask;; i = (i + 1) & mask) {
      Result& result = results_[i];
      if (!result.Known || result.Pattern == pattern) {
        return result;
      }
    }
  }

  void Grow() {
    std::vector<Result> old(results_.size() * 2);
    old.swap(results_);
    for (const Result& result : old) {
      if (result.Known) {
        Find(result.Pattern) = result;
      }
    }
  }

  bool SimpleHolds(std::string_view pattern) const {
    for (const TXALIPStatus* status : environment_.IPStatuses) {
      if (SimpleIPPatternFound(pattern, status->Address)) {
        return true;
      }
    }
    return false;
  }

  bool ExpressionHolds(const std::string& pattern) const {
    const TXALRegEx expression = Compile(pattern);
    for (const TXALIPStatus* status : environment_.IPStatuses) {
      if (expression.IsMatch(status->Address)) {
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
  std::vector<Result> results_;
  std::size_t known_ = 0;
};

}  // namespace

void FindMatchingSets(const TXALSets& sets, const TXALRecheckEnvironment& environment,
                      TXALSetList& matching) {
  Matcher matcher(environment, sets.Count());
  for (int i = sets.Count() - 1; i >= 0; --i) {
    const TXALSet& set = sets.Items(i);
    if (matcher.Matches(set)) {
      matching.Add(const_cast<TXALSet*>(&set));
    }
  }
}

TXALTargetChoice ChooseTargets(const TXALSetList& matching, const TXALSetList& previous) {
  TXALTargetChoice choice;
  // Only entries marked only-new ask whether their set matched before; the previous sets are
  // indexed the first time one does, so that a long list is not searched once per set.
  std::optional<std::unordered_set<const TXALSet*>> before;
  const auto matchedBefore = [&](const TXALSet* set) {
    if (!before) {
      before.emplace(previous.begin(), previous.end());
    }
    return before->count(set) != 0;
  };
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
    for (int i = 0; i < target.Startups.Count(); ++i) {
      const TXALStartup& startup = target.Startups.Items(i);
      if (startup.OnlyNew && matchedBefore(set)) {
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
