// The editor with a large catalogue: filling the set list with 10,000 sets, and showing a set
// that holds 1,000 items of every kind, each against reading the same file into the catalogue.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <memory>
#include <string>

#include "catalogue/XALClasses00100.h"
#include "core/XALMain.h"
#include "platform/sim/SimMainView.h"
#include "platform/sim/SimPlatform.h"
#include "ui/XALMainEditor.h"

namespace {

using namespace xal;

constexpr int kManySets = 10000;
constexpr int kManyItems = 1000;
const char* const kFolder = "C:\\Bench\\";

std::unique_ptr<TXALSet> MakeSet(TXALComponent* owner, int index, int items) {
  const std::string n = std::to_string(index);
  auto set = std::make_unique<TXALSet>(owner);
  set->Name = "Location " + n;
  TXALEnvironment& env = set->Environment;
  env.Network.WiFi = "Corp-" + n;
  env.Displays.DisplayCount = items;
  for (int i = 0; i < items; ++i) {
    const std::string k = std::to_string(i);
    env.Displays.AddDisplay(i + 1, i * 10, 0, 1920, 1080);
    env.Printers.Add("Printer " + k);
    env.Network.IPList.Add("10." + std::to_string(i % 256) + ".*.*");
    auto setting = std::make_unique<TXALTargetIPSetting>(owner);
    setting->Adapter = "Ethernet " + k;
    setting->Address = "192.168.1.10";
    setting->SubnetMask = "255.255.255.0";
    set->Target.Network.IPSettings.Add(std::move(setting));
    auto startup = std::make_unique<TXALStartup>(owner);
    startup->Name = "Tool " + k;
    startup->FilePath = "C:\\Tools\\tool.exe";
    set->Target.Startups.Add(std::move(startup));
    auto rule = std::make_unique<TXALApp>(owner);
    rule->Name = "Rule " + k;
    rule->WindowClass = "Notepad";
    rule->Position = TXALRect{0, 0, 800, 600};
    set->Target.Apps.Add(std::move(rule));
  }
  set->Target.Network.Proxy = "proxy.example:8080";
  set->Target.DefaultPrinter = "Printer 0";
  return set;
}

std::string CatalogueXml(int sets, int items) {
  TXALComponent owner;
  TXALSets catalogue(&owner);
  for (int i = 0; i < sets; ++i) {
    catalogue.Add(MakeSet(&owner, i, items));
  }
  return catalogue.SaveToBytes("bench");
}

// The window's logic started on the simulated platform with the catalogue as its data file.
class Started {
 public:
  explicit Started(const std::string& catalogue) {
    sim_.files.PutFile(std::string(kFolder) + "KelpraTremvale.exe", "MZ");
    sim_.files.PutFile(std::string(kFolder) + "Languages\\1033.txt", "NoNameMsg=(no name)\r\n");
    sim_.files.PutFile(std::string(kFolder) + "XALData.xml", catalogue);
    sim_.system.arguments = {"-m"};
    sim_.system.executablePath = std::string(kFolder) + "KelpraTremvale.exe";
    main_ = std::make_unique<TfmXALMain>(sim_.Platform(), view_);
    main_->FormCreate();
  }
  TXALMainEditor& Editor() { return *main_->Editor(); }

 private:
  sim::SimPlatform sim_;
  sim::SimMainView view_;
  std::unique_ptr<TfmXALMain> main_;
};

const std::string& ManySets() {
  static const std::string xml = CatalogueXml(kManySets, 1);
  return xml;
}

const std::string& ManyItems() {
  static const std::string xml = CatalogueXml(1, kManyItems);
  return xml;
}

void LoadCatalogue(benchmark::State& state, const std::string& bytes) {
  TXALComponent owner;
  for (auto _ : state) {
    TXALSets sets(&owner);
    sets.LoadFromBytes(bytes, "bench");
    benchmark::DoNotOptimize(sets.Count());
  }
}

void BM_LoadManySets(benchmark::State& state) {
  LoadCatalogue(state, ManySets());
}

void BM_FillManySets(benchmark::State& state) {
  Started started(ManySets());
  for (auto _ : state) {
    started.Editor().FillSetList();
    benchmark::DoNotOptimize(started.Editor().Control("lbXALSets").Items.size());
  }
}

void BM_LoadManyItems(benchmark::State& state) {
  LoadCatalogue(state, ManyItems());
}

void BM_ShowManyItems(benchmark::State& state) {
  Started started(ManyItems());
  for (auto _ : state) {
    started.Editor().ShowSet();
    benchmark::DoNotOptimize(started.Editor().Control("sgTargetApps").Cells.size());
  }
}

// CPU time after a warm-up, so that a cold heap in the first runs doesn't set the ratio.
BENCHMARK(BM_LoadManySets)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(1.0);
BENCHMARK(BM_FillManySets)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(1.0);
BENCHMARK(BM_LoadManyItems)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(1.0);
BENCHMARK(BM_ShowManyItems)->Unit(benchmark::kMillisecond)->MinWarmUpTime(0.5)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  return xal::bench::RunWithRatios(argc, argv, [](const xal::bench::RatioReporter& ratios) {
    ratios.PrintRatio("fill 10,000 sets / load them", "BM_FillManySets", "BM_LoadManySets");
    ratios.PrintRatio("show 1,000 items each / load them", "BM_ShowManyItems", "BM_LoadManyItems");
  });
}
