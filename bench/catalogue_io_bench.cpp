// Reading and writing a large catalogue: how much the model's readers and writers add to the
// bare XML parse and serialization underneath them.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/XALClasses00100.h"
#include "catalogue/XmlParser.h"
#include "catalogue/XmlWriter.h"

namespace {

using namespace xal;

constexpr int kSetCount = 10000;

std::unique_ptr<TXALSet> MakeSet(TXALComponent* owner, int index) {
  const std::string n = std::to_string(index);
  auto set = std::make_unique<TXALSet>(owner);
  set->Name = "Location " + n;
  TXALEnvironment& env = set->Environment;
  env.Displays.DisplayCount = 2;
  env.Displays.AddDisplay(1, 0, 0, 1920, 1080);
  env.Displays.AddDisplay(2, 1920, index % 200, 1280, 1024);
  env.Printers.Add("Office Laser " + n);
  env.Printers.Add("Color & Photo");
  env.Network.WiFi = "Corp-WiFi-" + n;
  env.Network.IPList.Add("192.168." + std::to_string(index % 256) + ".*");
  env.Network.IPList.Add("10.*.*.*");
  env.Network.IPList.Add("172.16.0.1");

  TXALTarget& target = set->Target;
  auto fixed = std::make_unique<TXALTargetIPSetting>(owner);
  fixed->Adapter = "Ethernet";
  fixed->Address = "192.168.1." + std::to_string(index % 250 + 1);
  fixed->SubnetMask = "255.255.255.0";
  fixed->Gateway = "192.168.1.254";
  fixed->DNS1 = "192.168.1.254";
  fixed->DNS2 = "8.8.8.8";
  target.Network.IPSettings.Add(std::move(fixed));
  auto dhcp = std::make_unique<TXALTargetIPSetting>(owner);
  dhcp->Adapter = "Wi-Fi";
  dhcp->Address = "DHCP";
  target.Network.IPSettings.Add(std::move(dhcp));
  target.Network.Proxy = "proxy.example:8080";
  target.Network.AutoConfigURL = "http://config.example/proxy.pac";
  target.DefaultPrinter = "Office Laser " + n;

  for (const char* program : {"mail", "chat"}) {
    auto startup = std::make_unique<TXALStartup>(owner);
    startup->Name = program;
    startup->FilePath = std::string("C:\\Program Files\\") + program + "\\" + program + ".exe";
    startup->Param = "/minimized";
    startup->WorkDir = "C:\\Users\\me";
    startup->OnlyNew = true;
    target.Startups.Add(std::move(startup));
  }
  for (const char* windowClass : {"Notepad", "XLMAIN", "CabinetWClass"}) {
    auto app = std::make_unique<TXALApp>(owner);
    app->Name = std::string(windowClass) + " rule";
    app->WindowClass = windowClass;
    app->Title = "Report <" + n + ">";
    app->State = TXALAppState::Maximized;
    app->Display = 2;
    app->Position = TXALRect{10, 20, 1210, 820};
    app->DefaultPrinter = "Color & Photo";
    target.Apps.Add(std::move(app));
  }
  return set;
}

struct Fixture {
  TXALComponent owner;
  TXALSets sets{&owner};
  std::string bytes;
  std::unique_ptr<xml::Document> document;

  Fixture() {
    for (int i = 0; i < kSetCount; ++i) {
      sets.Add(MakeSet(&owner, i));
    }
    bytes = sets.SaveToBytes("benchmark catalogue");
    document = xml::Parse(bytes);
  }
};

Fixture& Data() {
  static Fixture fixture;
  return fixture;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(Data().bytes.size()));
}

void BM_BareParse(benchmark::State& state) {
  for (auto _ : state) {
    auto document = xml::Parse(Data().bytes);
    benchmark::DoNotOptimize(document.get());
  }
  SetBytes(state);
}

void BM_FullLoad(benchmark::State& state) {
  for (auto _ : state) {
    TXALSets sets(&Data().owner);
    sets.LoadFromBytes(Data().bytes, "bench.xml");
    benchmark::DoNotOptimize(sets.Count());
  }
  SetBytes(state);
}

void BM_BareSerialize(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = xml::Serialize(*Data().document, xml::XmlLayout::Indented);
    benchmark::DoNotOptimize(text.data());
  }
  SetBytes(state);
}

void BM_FullSave(benchmark::State& state) {
  for (auto _ : state) {
    std::string text = Data().sets.SaveToBytes("benchmark catalogue");
    benchmark::DoNotOptimize(text.data());
  }
  SetBytes(state);
}

BENCHMARK(BM_BareParse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareSerialize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullSave)->Unit(benchmark::kMillisecond);

// Prints as usual and keeps the real time per iteration of every benchmark: the median when the
// benchmarks run repeatedly (--benchmark_repetitions), else the one run.

}  // namespace

int main(int argc, char** argv) {
  std::printf("catalogue: %d sets, %zu bytes\n", kSetCount, Data().bytes.size());
  return xal::bench::RunWithRatios(argc, argv, [](const xal::bench::RatioReporter& reporter) {
    reporter.PrintRatio("load / bare parse:", "BM_FullLoad", "BM_BareParse");
    reporter.PrintRatio("save / bare serialize:", "BM_FullSave", "BM_BareSerialize");
  });
}
