// Opening and saving large work files: 20,000 items with 60,000 findings and 2,000
// documents (about 50 MB of XML) at 1x, 2x and 4x, against pugixml parsing the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "BenchWorkFile.h"
#include "model/DelimitedText.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileStorage.h"
#include "storage/WorkFileXml.h"
#include "storage/XmlDocument.h"

#ifdef ORVELA_HAVE_PUGIXML
#include <pugixml.hpp>
#endif

namespace {

using namespace orvela;

using bench::Fill;
using bench::Stamps;

struct Fixture {
  WorkFileData data;
  std::string xml;
};

const Fixture& FixtureFor(int scale) {
  static std::map<int, std::unique_ptr<Fixture>> cache;
  auto& f = cache[scale];
  if (!f) {
    cache.clear();  // keep one size in memory at a time
    auto made = std::make_unique<Fixture>();
    Fill(made->data, scale);
    made->xml = BuildWorkFileXml(made->data);
    return *(cache[scale] = std::move(made));
  }
  return *f;
}

void SetBytes(benchmark::State& state, const Fixture& f) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.xml.size()));
  state.counters["MB"] = static_cast<double>(f.xml.size()) / 1e6;
}

void BM_Build(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(BuildWorkFileXml(f.data));
  SetBytes(state, f);
}

void BM_Parse(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    WorkFileData data;
    ParseWorkFileXml(data, f.xml, {});
    benchmark::DoNotOptimize(data.structure.root().childCount());
  }
  SetBytes(state, f);
}

// The XML pass alone, without filling records.
void BM_ParseXmlOnly(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    xml::Document doc(f.xml);
    benchmark::DoNotOptimize(doc.elementCount());
  }
  SetBytes(state, f);
}

#ifdef ORVELA_HAVE_PUGIXML
void BM_Pugixml(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    pugi::xml_document doc;
    // No conversion: the bytes are taken as they are, like our reader does.
    pugi::xml_parse_result r = doc.load_buffer(f.xml.data(), f.xml.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!r) state.SkipWithError(r.description());
    benchmark::DoNotOptimize(doc.first_child());
  }
  SetBytes(state, f);
}
BENCHMARK(BM_Pugixml)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
#endif

std::string BenchFile() {
  static const std::string path = (std::filesystem::temp_directory_path() /
                                    ("orvela-bench-" + std::to_string(::getpid()) + ".owp")).string();
  return path;
}

void BM_Save(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  WorkFileData& data = const_cast<WorkFileData&>(f.data);  // saving only stamps it
  for (auto _ : state) {
    if (!SaveWorkFile(data, BenchFile(), Stamps()).ok) state.SkipWithError("save failed");
  }
  SetBytes(state, f);
}

void BM_Load(benchmark::State& state) {
  const Fixture& f = FixtureFor(static_cast<int>(state.range(0)));
  WriteWorkFile(f.data, BenchFile());
  for (auto _ : state) {
    WorkFileData data;
    if (!LoadWorkFile(data, BenchFile(), {}).ok()) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(data.structure.root().childCount());
  }
  SetBytes(state, f);
  std::filesystem::remove(BenchFile());
}

BENCHMARK(BM_Parse)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseXmlOnly)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Build)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
