// Refreshing the address and printer lists on a large simulated machine, against a baseline
// that makes the same probe calls and does nothing with the answers: the refresh should cost
// little more than the probe calls themselves.
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/SimPlatform.h"
#include "sensing/XALCurrent.h"

namespace {

using namespace xal;

constexpr int kAdapterCount = 64;
constexpr int kPrinterCount = 50;

std::string SettingID(int index) {
  char text[48];
  std::snprintf(text, sizeof text, "{%08X-0000-4000-8000-000000000000}", index);
  return text;
}

// Adapters with two IPv4 addresses and an IPv6 one, static name servers; ready printers.
void Populate(sim::SimPlatform& sim) {
  std::vector<sim::SimObject> adapters;
  for (int i = 0; i < kAdapterCount; ++i) {
    const std::string net = "10." + std::to_string(i) + ".0.";
    sim::SimObject adapter = sim::SimAdapter(
        SettingID(i), "[0000000" + std::to_string(i % 10) + "] Adapter " + std::to_string(i),
        {net + "5", net + "6", "fe80::" + std::to_string(i + 1)});
    adapter.Set("DefaultIPGateway", std::vector<std::string>{net + "1"})
        .Set("DNSServerSearchOrder", std::vector<std::string>{net + "53", net + "54"});
    adapters.push_back(std::move(adapter));
    sim.registry.SetString(TXALRegistryRoot::LocalMachine, kInterfacesKey + SettingID(i),
                           "NameServer", net + "53," + net + "54");
  }
  sim.management.SetObjects(sim::kAdapterClass, std::move(adapters));
  std::vector<sim::SimObject> printers;
  for (int i = 0; i < kPrinterCount; ++i) {
    printers.push_back(sim::SimPrinter("Printer " + std::to_string(i)));
  }
  sim.management.SetObjects(sim::kPrinterClass, std::move(printers));
}

// The probe calls of both refreshes, in the same number, without building anything.
void ProbeCallsOnly(TXALPlatform& platform) {
  const auto adapters = platform.Management.ExecQuery(kAdapterQuery);
  while (const auto adapter = adapters->Next()) {
    const auto addresses = adapter->GetStringArray("IPAddress");
    for (std::size_t a = 0; a < 2; ++a) {
      benchmark::DoNotOptimize(adapter->GetString("Caption"));
      const std::string id = adapter->GetString("SettingID");
      const auto query = platform.Management.ExecQuery(kAdapterQuery);
      while (const auto object = query->Next()) {
        if (object->GetString("SettingID") != id) {
          continue;
        }
        benchmark::DoNotOptimize(object->GetString("Caption"));
        benchmark::DoNotOptimize(object->GetBool("DHCPEnabled"));
        benchmark::DoNotOptimize(object->GetStringArray("IPAddress"));
        benchmark::DoNotOptimize(object->GetStringArray("IPSubnet"));
        benchmark::DoNotOptimize(object->GetStringArray("DefaultIPGateway"));
        const std::string key = kInterfacesKey + id;
        benchmark::DoNotOptimize(platform.Registry.KeyExists(TXALRegistryRoot::LocalMachine, key));
        benchmark::DoNotOptimize(
            platform.Registry.ReadString(TXALRegistryRoot::LocalMachine, key, "NameServer"));
        benchmark::DoNotOptimize(object->GetStringArray("DNSServerSearchOrder"));
      }
    }
    benchmark::DoNotOptimize(addresses);
  }
  const auto printers = platform.Management.ExecQuery(kPrinterQuery);
  while (const auto printer = printers->Next()) {
    benchmark::DoNotOptimize(printer->GetInt("PrinterStatus"));
    benchmark::DoNotOptimize(printer->GetBool("WorkOffline"));
    benchmark::DoNotOptimize(printer->GetString("Caption"));
  }
}

void BM_RefreshAddressesAndPrinters(benchmark::State& state) {
  sim::SimPlatform sim;
  Populate(sim);
  TXALLanguage language;
  TfmXALCurrent current(sim.Platform(), language);
  for (auto _ : state) {
    sim.management.ResetCounters();
    current.RefreshIPAddresses();
    current.RefreshPrinters();
  }
  if (current.IPStatuses().Count() != 2 * kAdapterCount ||
      static_cast<int>(current.lbPrinters().size()) != kPrinterCount) {
    state.SkipWithError("the refresh did not list everything");
  }
  state.counters["queries"] = static_cast<double>(sim.management.Queries().size());
  state.counters["reads"] = static_cast<double>(sim.management.PropertyReads());
}
BENCHMARK(BM_RefreshAddressesAndPrinters)->Unit(benchmark::kMillisecond);

void BM_ProbeCallsOnly(benchmark::State& state) {
  sim::SimPlatform sim;
  Populate(sim);
  for (auto _ : state) {
    sim.management.ResetCounters();
    ProbeCallsOnly(sim.Platform());
  }
  state.counters["queries"] = static_cast<double>(sim.management.Queries().size());
  state.counters["reads"] = static_cast<double>(sim.management.PropertyReads());
}
BENCHMARK(BM_ProbeCallsOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return xal::bench::RunWithRatios(argc, argv, [](const xal::bench::RatioReporter& reporter) {
    reporter.PrintRatio("refresh / probe calls only:", "BM_RefreshAddressesAndPrinters",
                        "BM_ProbeCallsOnly");
  });
}
