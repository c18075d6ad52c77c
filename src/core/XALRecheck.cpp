#include "core/XALRecheck.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
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

// The patterns' answers, in the order they were met, found through an open table of small slots
// kept at most half full. The table grows with the distinct patterns rather than the sets, as
// catalogues repeat a few networks' patterns, so it stays in the cache; texts are compared only
// when the hashes agree.
struct TXALSetMatcher::Answers {
  struct Known {
    std::string_view Pattern;
    bool Holds = false;
  };
  struct Slot {
    std::uint32_t Hash = 0;
    std::uint32_t Entry = 0;  // 1 + the index in Patterns; 0 while the slot is free
  };

  // Forgets the answers and keeps the memory.
  void Clear() {
    std::fill(Slots.begin(), Slots.end(), Slot{});
    Patterns.clear();
  }

  // The slot of the pattern, or the free one where it belongs.
  Slot& Find(std::string_view pattern, std::uint32_t hash) {
    const std::size_t mask = Slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = Slots[i];
      if (slot.Entry == 0 || (slot.Hash == hash && Patterns[slot.Entry - 1].Pattern == pattern)) {
        return slot;
      }
    }
  }

  void Add(Slot& slot, std::string_view pattern, std::uint32_t hash, bool holds) {
    Patterns.push_back(Known{pattern, holds});
    slot = Slot{hash, static_cast<std::uint32_t>(Patterns.size())};
    if (Patterns.size() * 2 > Slots.size()) {
      Grow();
    }
  }

  void Grow() {
    std::vector<Slot> old(Slots.size() * 2);
    old.swap(Slots);
    for (const Slot& slot : old) {
      if (slot.Entry != 0) {
        Find(Patterns[slot.Entry - 1].Pattern, slot.Hash) = slot;
      }
    }
  }

  std::vector<Slot> Slots = std::vector<Slot>(64);
  std::vector<Known> Patterns;
};

namespace {

class Matcher {
 public:
  // The answers start empty and are left so, also after an error: they view the sets' texts,
  // which may go once the visit is over.
  Matcher(const TXALRecheckEnvironment& environment, TXALSetMatcher::Answers& answers)
      : environment_(environment), answers_(answers) {}
  Matcher(const Matcher&) = delete;
  Matcher& operator=(const Matcher&) = delete;
  ~Matcher() { answers_.Clear(); }

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
    const auto wide = static_cast<std::uint64_t>(std::hash<std::string_view>{}(pattern));
    const auto hash = static_cast<std::uint32_t>(wide ^ (wide >> 32));
    TXALSetMatcher::Answers::Slot& slot = answers_.Find(pattern, hash);
    if (slot.Entry != 0) {
      return answers_.Patterns[slot.Entry - 1].Holds;
    }
    const bool holds = IsSimpleIPPattern(pattern) ? SimpleHolds(pattern) : ExpressionHolds(pattern);
    answers_.Add(slot, pattern, hash, holds);
    return holds;
  }

  // The addresses are made ready for the direct match once, at the first simple pattern.
  bool SimpleHolds(std::string_view pattern) {
    if (addresses_.empty()) {
      addresses_.reserve(static_cast<std::size_t>(environment_.IPStatuses.Count()));
      for (const TXALIPStatus* status : environment_.IPStatuses) {
        addresses_.emplace_back(status->Address);
      }
    }
    for (const TXALPatternText& address : addresses_) {
      if (address.Found(pattern)) {
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
  TXALSetMatcher::Answers& answers_;
  std::vector<TXALPatternText> addresses_;
};

}  // namespace

TXALSetMatcher::TXALSetMatcher() : answers_(std::make_unique<Answers>()) {}

TXALSetMatcher::~TXALSetMatcher() = default;

void TXALSetMatcher::FindMatchingSets(const TXALSets& sets,
                                      const TXALRecheckEnvironment& environment,
                                      TXALSetList& matching) {
  Matcher matcher(environment, *answers_);
  for (int i = sets.Count() - 1; i >= 0; --i) {
    const TXALSet& set = sets.Items(i);
    if (matcher.Matches(set)) {
      matching.Add(const_cast<TXALSet*>(&set));
    }
  }
}

void FindMatchingSets(const TXALSets& sets, const TXALRecheckEnvironment& environment,
                      TXALSetList& matching) {
  TXALSetMatcher().FindMatchingSets(sets, environment, matching);
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
