// Finding a text in the large work file (20,000 items, 60,000 findings, 2,000 documents):
// the search must answer in well under 100 ms whatever is typed.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchWorkFile.h"
#include "model/WorkFileSearch.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"

namespace {

using namespace orvela;

struct Fixture {
  WorkFileData data;
  std::string description;
};

const Fixture& Large() {
  static const Fixture* fixture = [] {
    auto* f = new Fixture;
    bench::Fill(f->data, 1);
    f->description = rtf::PlainTextCp1252(rtf::ReadRtf(f->data.description));
    return f;
  }();
  return *fixture;
}

// The search texts: one that is nowhere (every text scanned), one in a single document,
// one with a quote (every finding taken apart), one everywhere (stops at the limit), the
// name of a finding type (stored as a number, so every finding is taken apart).
const char* const kNeedles[] = {"Zahlungsverkehr", "Beleg-1234.", "zz\"", "inventur", "Empfehlung"};

void BM_Find(benchmark::State& state) {
  const Fixture& f = Large();
  const std::string needle = kNeedles[state.range(0)];
  std::size_t hits = 0;
  for (auto _ : state) {
    const FindResult r = FindInWorkFile(f.data, f.description, needle);
    hits = r.hits.size();
    benchmark::DoNotOptimize(r.hits.data());
  }
  state.SetLabel(needle);
  state.counters["hits"] = static_cast<double>(hits);
}
BENCHMARK(BM_Find)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

// Done once per change of the description, not per search.
void BM_DescriptionPlainText(benchmark::State& state) {
  const Fixture& f = Large();
  for (auto _ : state) benchmark::DoNotOptimize(rtf::PlainTextCp1252(rtf::ReadRtf(f.data.description)));
}
BENCHMARK(BM_DescriptionPlainText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
