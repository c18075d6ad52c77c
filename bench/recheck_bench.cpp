// Matching 1,000 sets with several address patterns each against several addresses: the
// recheck converts and compiles each pattern once, against a baseline that converts and
// compiles a pattern again for every address it is tried on.
#include <benchmark/benchmark.h>

#include <memory>
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

constexpr int kSetCount = 1000;
constexpr int kAddressCount = 6;

struct Fixture {
  Fixture() {
    for (int i = 0; i < kSetCount; ++i) {
      auto set = std::make_unique<TXALSet>(&owner);
      set->Name = "Set " + std::to_string(i);
      // Patterns repeat across sets, as they do in real catalogues (one network per office).
      const std::string net = std::to_string(10 + i % 40);
      set->Environment.Network.IPList.Add(net + ".*.*.*");
      set->Environment.Network.IPList.Add("*.*." + std::to_string(i % 7) + ".*");
      set->Environment.Network.IPList.Add("192.168.*.*");
      sets.Add(std::move(set));
    }
    for (int i = 0; i < kAddressCount; ++i) {
      store.push_back(std::make_unique<TXALIPStatus>());
      store.back()->Address = std::to_string(10 + i) + ".1." + std::to_string(i) + ".5";
      statuses.Add(store.back().get());
    }
  }

  TXALComponent owner;
  TXALSets sets{&owner};
  std::vector<std::unique_ptr<TXALIPStatus>> store;
  TXALIPStatusList statuses;
  sim::SimWirelessLan wireless;
  std::vector<TXALMonitor> monitors{{1, {0, 0, 1920, 1080}, "", ""}};
  std::vector<std::string> printers;
};

Fixture& Data() {
  static Fixture fixture;
  return fixture;
}

void BM_RecheckCompilesEachPatternOnce(benchmark::State& state) {
  Fixture& data = Data();
  for (auto _ : state) {
    TXALSetList matching;
    FindMatchingSets(data.sets, {data.wireless, data.statuses, data.monitors, data.printers},
                     matching);
    benchmark::DoNotOptimize(matching.Count());
  }
}
BENCHMARK(BM_RecheckCompilesEachPatternOnce)->Unit(benchmark::kMillisecond);

// The address test as it reads when nothing is kept: convert and compile per address.
void BM_ConvertPerAddress(benchmark::State& state) {
  Fixture& data = Data();
  for (auto _ : state) {
    int matching = 0;
    for (int i = data.sets.Count() - 1; i >= 0; --i) {
      const TXALEnvIPList& patterns = data.sets.Items(i).Environment.Network.IPList;
      bool all = true;
      for (int p = 0; p < patterns.Count() && all; ++p) {
        bool hit = false;
        for (const TXALIPStatus* status : data.statuses) {
          if (RegExIsMatch(IPPatternToRegEx(patterns.Items(p)), status->Address)) {
            hit = true;
            break;
          }
        }
        all = hit;
      }
      matching += all ? 1 : 0;
    }
    benchmark::DoNotOptimize(matching);
  }
}
BENCHMARK(BM_ConvertPerAddress)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return xal::bench::RunWithRatios(argc, argv, [](const xal::bench::RatioReporter& reporter) {
    reporter.PrintRatio("compile once / convert per address:", "BM_RecheckCompilesEachPatternOnce",
                        "BM_ConvertPerAddress");
  });
}
