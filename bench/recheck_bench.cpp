// A whole recheck's matching and choosing of targets over 10 to 10,000 sets, one in ten of them
// matching and carrying targets, with every pattern distinct or with patterns repeating as they
// do in real catalogues (one network per office). Baselines in the same run: the previous
// implementation, which compiled each distinct pattern into an expression and searched the
// previous matching list once per matching set, and the bare visit of the sets.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "RatioReporter.h"
#include "catalogue/XALClasses00100.h"
#include "core/XALRecheck.h"
#include "platform/sim/SimWirelessLan.h"
#include "regex/IPPattern.h"
#include "regex/RegEx.h"
#include "sensing/XALNetwork.h"

namespace {

using namespace xal;

constexpr int kMatchingEvery = 10;
// The address the matching sets' patterns are made from, among a laptop's usual few.
const char* const kMatchedAddress = "192.168.100.200";

// The mask's set bits replace characters of the address, a run of them by one star, so that
// patterns differ while all of them are found in the address.
std::string StarredAddress(unsigned mask) {
  std::string pattern;
  const std::string address = kMatchedAddress;
  for (std::size_t i = 0; i < address.size(); ++i) {
    if ((mask >> i & 1U) == 0) {
      pattern += address[i];
    } else if (pattern.empty() || pattern.back() != '*') {
      pattern += '*';
    }
  }
  return pattern;
}

struct Fixture {
  Fixture(int count, bool distinct) {
    std::set<std::string> used;
    unsigned mask = 0;
    for (int i = 0; i < count; ++i) {
      auto set = std::make_unique<TXALSet>(&owner);
      set->Name = "Set " + std::to_string(i);
      std::string pattern;
      if (i % kMatchingEvery == 0) {
        do {
          pattern = StarredAddress(distinct ? mask++ : (mask++ % 8) << 8);
        } while (distinct && !used.insert(pattern).second);
        set->Target.Network.Proxy = "proxy" + std::to_string(i) + ":8080";
        set->Target.DefaultPrinter = "Printer " + std::to_string(i);
        auto startup = std::make_unique<TXALStartup>(&owner);
        startup->FilePath = "C:\\Tools\\start" + std::to_string(i) + ".exe";
        startup->OnlyNew = i % (2 * kMatchingEvery) == 0;
        set->Target.Startups.Add(std::move(startup));
      } else {
        const int n = distinct ? i : i % 40;
        pattern = (n % 2 == 0 ? "10." : "192.") + std::to_string(n / 2 / 256 % 256) + "." +
                  std::to_string(n / 2 % 256) + ".*";
      }
      set->Environment.Network.IPList.Add(pattern);
      sets.Add(std::move(set));
    }
    for (const char* address : {"172.16.5.20", kMatchedAddress, "127.0.0.1"}) {
      store.push_back(std::make_unique<TXALIPStatus>());
      store.back()->Address = address;
      statuses.Add(store.back().get());
    }
    // The sets matched already at the recheck before, as between two address changes.
    FindMatchingSets(sets, Environment(), previous);
  }

  TXALRecheckEnvironment Environment() { return {wireless, statuses, monitors, printers}; }

  TXALComponent owner;
  TXALSets sets{&owner};
  std::vector<std::unique_ptr<TXALIPStatus>> store;
  TXALIPStatusList statuses;
  sim::SimWirelessLan wireless;
  std::vector<TXALMonitor> monitors{{1, {0, 0, 1920, 1080}, "", ""}};
  std::vector<std::string> printers;
  TXALSetList previous;
  // Kept from one recheck to the next, as the program keeps it.
  TXALSetMatcher matcher;
};

Fixture& Data(const benchmark::State& state) {
  static std::map<std::pair<int, bool>, std::unique_ptr<Fixture>> fixtures;
  const std::pair<int, bool> key{static_cast<int>(state.range(0)), state.range(1) != 0};
  auto& fixture = fixtures[key];
  if (!fixture) {
    fixture = std::make_unique<Fixture>(key.first, key.second);
  }
  return *fixture;
}

void RecheckArgs(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"sets", "distinct"});
  for (int distinct : {1, 0}) {
    for (int count : {10, 100, 1000, 10000}) {
      benchmark->Args({count, distinct});
    }
  }
  benchmark->Unit(benchmark::kMicrosecond)->MinWarmUpTime(0.2)->MinTime(0.5);
}

void BM_Recheck(benchmark::State& state) {
  Fixture& data = Data(state);
  for (auto _ : state) {
    TXALSetList matching;
    data.matcher.FindMatchingSets(data.sets, data.Environment(), matching);
    const TXALTargetChoice choice = ChooseTargets(matching, data.previous);
    benchmark::DoNotOptimize(choice.FilePaths.size());
  }
  state.counters["matching"] = static_cast<double>(data.previous.Count());
}
BENCHMARK(BM_Recheck)->Apply(RecheckArgs);

// The previous implementation, kept as the reference: every distinct pattern compiled and
// searched for, and the previous list searched from its start for each matching set.
void BM_RecheckByExpression(benchmark::State& state) {
  Fixture& data = Data(state);
  for (auto _ : state) {
    std::map<std::string, TXALRegEx> compiled;
    TXALSetList matching;
    for (int i = data.sets.Count() - 1; i >= 0; --i) {
      const TXALSet& set = data.sets.Items(i);
      bool holds = set.Environment.Network.WiFi.empty();
      const TXALEnvIPList& patterns = set.Environment.Network.IPList;
      for (int p = 0; p < patterns.Count() && holds; ++p) {
        auto it = compiled.find(patterns.Items(p));
        if (it == compiled.end()) {
          it = compiled.emplace(patterns.Items(p), TXALRegEx(IPPatternToRegEx(patterns.Items(p))))
                   .first;
        }
        holds = false;
        for (const TXALIPStatus* status : data.statuses) {
          if (it->second.IsMatch(status->Address)) {
            holds = true;
            break;
          }
        }
      }
      if (holds && set.Environment.Displays.MatchesScreen(data.monitors)) {
        matching.Add(const_cast<TXALSet*>(&set));
      }
    }
    TXALTargetChoice choice;
    for (const TXALSet* set : matching) {
      const TXALTarget& target = set->Target;
      if (!target.Network.Proxy.empty()) {
        choice.Proxy = target.Network.Proxy;
      }
      if (!target.DefaultPrinter.empty()) {
        choice.DefaultPrinter = target.DefaultPrinter;
      }
      const bool matchedBefore = data.previous.IndexOf(const_cast<TXALSet*>(set)) >= 0;
      for (int s = 0; s < target.Startups.Count(); ++s) {
        const TXALStartup& startup = target.Startups.Items(s);
        if (!(startup.OnlyNew && matchedBefore)) {
          choice.FilePaths.push_back(startup.FilePath);
          choice.Params.push_back(startup.Param);
          choice.WorkDirs.push_back(startup.WorkDir);
        }
      }
    }
    benchmark::DoNotOptimize(choice.FilePaths.size());
  }
}
BENCHMARK(BM_RecheckByExpression)->Apply(RecheckArgs);

// The floor: visiting the sets from the last to the first and listing each, reading its
// patterns but testing nothing.
void BM_ListSets(benchmark::State& state) {
  Fixture& data = Data(state);
  for (auto _ : state) {
    TXALSetList listed;
    std::size_t length = 0;
    for (int i = data.sets.Count() - 1; i >= 0; --i) {
      const TXALSet& set = data.sets.Items(i);
      for (const std::string& pattern : set.Environment.Network.IPList) {
        length += pattern.size();
      }
      listed.Add(const_cast<TXALSet*>(&set));
    }
    benchmark::DoNotOptimize(length);
    benchmark::DoNotOptimize(listed.Count());
  }
}
BENCHMARK(BM_ListSets)->Apply(RecheckArgs);

}  // namespace

int main(int argc, char** argv) {
  return xal::bench::RunWithRatios(argc, argv, [](const xal::bench::RatioReporter& reporter) {
    for (const char* distinct : {"1", "0"}) {
      for (const char* count : {"10", "100", "1000", "10000"}) {
        const std::string args = std::string("/sets:") + count + "/distinct:" + distinct;
        const std::string label = std::string(count) + " sets, distinct " + distinct;
        reporter.PrintRatio((label + ", recheck / expression path:").c_str(), "BM_Recheck" + args,
                            "BM_RecheckByExpression" + args);
        reporter.PrintRatio((label + ", recheck / bare visit:").c_str(), "BM_Recheck" + args,
                            "BM_ListSets" + args);
      }
    }
  });
}
