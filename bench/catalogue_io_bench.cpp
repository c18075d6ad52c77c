// Reading and writing a large catalogue: how much the catalogue's readers and writers add to
// the bare parser (expat with handlers that do nothing) and to the bare serializer (the same
// bytes written from a document already built).
#include <benchmark/benchmark.h>
#include <expat.h>

#include "LargeCatalogue.h"
#include "RatioReporter.h"

#include <algorithm>
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

struct Fixture {
  TXALComponent owner;
  TXALSets sets{&owner};
  std::string bytes;
  std::unique_ptr<xml::Document> document;

  Fixture() {
    for (int i = 0; i < kSetCount; ++i) {
      sets.Add(bench::MakeBenchmarkSet(&owner, i));
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

// expat alone, told of every node the catalogue's reader needs and doing nothing with them.
void XMLCALL IgnoreStart(void* data, const XML_Char*, const XML_Char**) {
  ++*static_cast<long*>(data);
}
void XMLCALL IgnoreEnd(void*, const XML_Char*) {}
void XMLCALL IgnoreText(void*, const XML_Char*, int) {}
void XMLCALL IgnoreComment(void*, const XML_Char*) {}

// Fed in pieces of 256 KiB, as the catalogue's reader feeds it and as expat is fastest: a single
// piece of the whole text is copied into a buffer as large, fresh memory at every parse.
constexpr std::size_t kExpatPiece = std::size_t{1} << 18;

void BM_BareExpat(benchmark::State& state) {
  const std::string& bytes = Data().bytes;
  for (auto _ : state) {
    XML_Parser parser = XML_ParserCreate(nullptr);
    long elements = 0;
    XML_SetUserData(parser, &elements);
    XML_SetElementHandler(parser, &IgnoreStart, &IgnoreEnd);
    XML_SetCharacterDataHandler(parser, &IgnoreText);
    XML_SetCommentHandler(parser, &IgnoreComment);
    for (std::size_t offset = 0; offset < bytes.size(); offset += kExpatPiece) {
      const std::size_t length = std::min(kExpatPiece, bytes.size() - offset);
      if (XML_Parse(parser, bytes.data() + offset, static_cast<int>(length),
                    offset + length == bytes.size()) != XML_STATUS_OK) {
        state.SkipWithError("expat refused the catalogue");
        break;
      }
    }
    XML_ParserFree(parser);
    benchmark::DoNotOptimize(elements);
  }
  SetBytes(state);
}

// The parse into the document model, without reading the catalogue out of it.
void BM_ParseToModel(benchmark::State& state) {
  for (auto _ : state) {
    auto document = xml::Parse(Data().bytes);
    benchmark::DoNotOptimize(document.get());
  }
  SetBytes(state);
}

// The parse as the catalogue's load makes it, one set at a time, reading nothing out of them.
void BM_ParseEachSet(benchmark::State& state) {
  for (auto _ : state) {
    std::size_t sets = 0;
    auto document = xml::ParseEachChild(Data().bytes, {}, [&](const xml::Node&) { ++sets; });
    benchmark::DoNotOptimize(sets);
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

// Each warms the heap and the caches first and runs long enough for a steady figure. The
// repetitions of all of them run interleaved (see main) and the ratios are of their medians:
// on shared cores the speed of the machine drifts over seconds, which would otherwise fall on
// one benchmark and not on its baseline.
void Steady(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMillisecond)
      ->MinWarmUpTime(0.3)
      ->MinTime(0.5)
      ->Repetitions(7)
      ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_BareExpat)->Apply(Steady);
BENCHMARK(BM_ParseToModel)->Apply(Steady);
BENCHMARK(BM_ParseEachSet)->Apply(Steady);
BENCHMARK(BM_FullLoad)->Apply(Steady);
BENCHMARK(BM_BareSerialize)->Apply(Steady);
BENCHMARK(BM_FullSave)->Apply(Steady);

}  // namespace

int main(int argc, char** argv) {
  std::printf("catalogue: %d sets, %zu bytes\n", kSetCount, Data().bytes.size());
  // Interleaved unless the command line says otherwise; a later flag wins.
  std::vector<char*> arguments(argv, argv + argc);
  char interleave[] = "--benchmark_enable_random_interleaving=true";
  arguments.insert(arguments.begin() + 1, interleave);
  int count = static_cast<int>(arguments.size());
  arguments.push_back(nullptr);
  return xal::bench::RunWithRatios(
      count, arguments.data(), [](const xal::bench::RatioReporter& reporter) {
        reporter.PrintRatio("load / bare expat:", "BM_FullLoad", "BM_BareExpat");
        reporter.PrintRatio("parse to model / bare expat:", "BM_ParseToModel", "BM_BareExpat");
        reporter.PrintRatio("parse set by set / bare expat:", "BM_ParseEachSet", "BM_BareExpat");
        reporter.PrintRatio("save / bare serialize:", "BM_FullSave", "BM_BareSerialize");
      });
}
