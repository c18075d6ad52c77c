// The console table of Google Benchmark, plus ratios between benchmarks of the same run: our
// speed goals are measured against a baseline measured alongside, never in absolute time.
// Ratios are of CPU time, so that another process on the shared cores does not skew them.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace xal::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) {
        continue;
      }
      // The function's name and its arguments ("BM_Recheck/sets:10/distinct:1"), without the
      // timing options that the name of a run carries as well.
      const std::string name =
          run.run_name.function_name + (run.run_name.args.empty() ? "" : "/" + run.run_name.args);
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[name] = run.GetAdjustedCPUTime();
      } else if (run.run_type == Run::RT_Iteration) {
        times_[name] = run.GetAdjustedCPUTime();
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints "label  measured/baseline" of CPU time when both ran; the median when repetitions were
  // asked for.
  void PrintRatio(const char* label, const std::string& measured,
                  const std::string& baseline) const {
    const double measuredTime = Time(measured);
    const double baselineTime = Time(baseline);
    if (measuredTime > 0 && baselineTime > 0) {
      std::printf("%-36s %.3g\n", label, measuredTime / baselineTime);
    }
  }

 private:
  double Time(const std::string& name) const {
    for (const auto* times : {&medians_, &times_}) {
      if (const auto it = times->find(name); it != times->end()) {
        return it->second;
      }
    }
    return 0;
  }

  std::map<std::string, double> times_;
  std::map<std::string, double> medians_;
};

// The whole main of a benchmark program: runs the benchmarks, then prints the ratios.
inline int RunWithRatios(int argc, char** argv,
                         const std::function<void(const RatioReporter&)>& printRatios) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  printRatios(reporter);
  benchmark::Shutdown();
  return 0;
}

}  // namespace xal::bench
