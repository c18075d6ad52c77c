// Which sets match the environment, and what their targets ask for. TfmXALMain::Recheck runs
// these and hands the result to the appliers.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/XALClasses00100.h"
#include "catalogue/XALLists.h"
#include "platform/Monitors.h"
#include "platform/WirelessLan.h"

namespace xal {

// The environment a recheck tests against. The connected Wi-Fi networks are asked for once, and
// only when a set has a Wi-Fi condition.
struct TXALRecheckEnvironment {
  IWirelessLan& Wireless;
  const TXALIPStatusList& IPStatuses;
  const std::vector<TXALMonitor>& Monitors;
  const std::vector<std::string>& Printers;
};

// Visits the sets from the last to the first and appends each one whose four conditions hold
// (Wi-Fi, address patterns, displays, printers, tested in that order) to matching, so that its
// first entry is the matching set lowest in the catalogue. An error (a malformed stored pattern)
// ends the visit; the sets appended until then stay.
void FindMatchingSets(const TXALSets& sets, const TXALRecheckEnvironment& environment,
                      TXALSetList& matching);

// FindMatchingSets with the memory of its answers kept from one recheck to the next, so that a
// catalogue of thousands of distinct patterns is rechecked without allocating and paging in
// fresh memory each time. Holds no view of the sets between calls.
class TXALSetMatcher {
 public:
  TXALSetMatcher();
  ~TXALSetMatcher();
  TXALSetMatcher(const TXALSetMatcher&) = delete;
  TXALSetMatcher& operator=(const TXALSetMatcher&) = delete;

  void FindMatchingSets(const TXALSets& sets, const TXALRecheckEnvironment& environment,
                        TXALSetList& matching);

  struct Answers;

 private:
  std::unique_ptr<Answers> answers_;
};

// What the matching sets' targets ask for: of proxy, script URL and default printer the value
// of the highest set that gives one, each on its own; the startup programs of every set from
// the lowest to the highest, without the only-new entries of sets that already matched before.
struct TXALTargetChoice {
  std::string Proxy;
  std::string AutoConfigURL;
  std::string DefaultPrinter;
  std::vector<std::string> FilePaths;
  std::vector<std::string> Params;
  std::vector<std::string> WorkDirs;
};

TXALTargetChoice ChooseTargets(const TXALSetList& matching, const TXALSetList& previous);

}  // namespace xal
