// Costs of the model core on large inputs: whole-file reading, comma text, deep trees.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "model/DelimitedText.h"
#include "model/RecordTree.h"
#include "model/TextUtils.h"

namespace {

using namespace orvela;

void BM_ReadWholeFile(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0)) << 20;
  const std::string path =
      (std::filesystem::temp_directory_path() / ("orvela-bench-" + std::to_string(::getpid()) + ".bin")).string();
  WriteWholeFile(path, std::string(size, 'x'));
  for (auto _ : state) benchmark::DoNotOptimize(ReadWholeFile(path));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
  std::filesystem::remove(path);
}
BENCHMARK(BM_ReadWholeFile)->Arg(1)->Arg(200)->Unit(benchmark::kMillisecond);

void BM_CommaTextRoundTrip(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int i = 0; i < state.range(0); ++i) lines.push_back("DESCRIPTION=Zeile " + std::to_string(i) + " mit \"Zitat\"\r\n");
  for (auto _ : state) benchmark::DoNotOptimize(ReadCommaText(WriteCommaText(lines)));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CommaTextRoundTrip)->Arg(1000)->Arg(100000);

void BM_DeepTreeBuildWalkDestroy(benchmark::State& state) {
  for (auto _ : state) {
    RecordTree tree;
    RecordNode* node = nullptr;
    for (int i = 0; i < state.range(0); ++i) node = tree.append(node, FieldList());
    benchmark::DoNotOptimize(tree.count());
  }
}
BENCHMARK(BM_DeepTreeBuildWalkDestroy)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
