// Memory of the undo history: a work file of 20,000 items is read, its largest subtree
// deleted and restored by undo ten times, then the heap the history holds is set against
// the heap the loaded file takes. Target: under twice the file's memory. Time is reported
// too, but the figures that matter are the counters.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

#include "model/Edits.h"
#include "model/WorkFileEditor.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileXml.h"

namespace {

using namespace orvela;

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// Four sections of 10,000, 5,000, 3,000 and 2,000 items, each in chapters of 20, every item
// with some text and two findings; built as XML and read, as a window reads a file.
std::string SampleXml() {
  WorkFileData data;
  ResetWorkFileData(data, {[] { return std::string("BENCH/pruefer"); }, [] { return LocalDateTime{}; }});
  const std::string text(300, 'x');
  for (int size : {10000, 5000, 3000, 2000}) {
    RecordNode* section = data.structure.append(nullptr, NewStructureItemRecord(data.lastItemId));
    RecordNode* chapter = nullptr;
    for (int i = 1; i < size; ++i) {
      FieldList item = NewStructureItemRecord(data.lastItemId);
      item.setValue(key::DESCRIPTION, text);
      item.setValue(key::FINDINGS, "NAME=Befund,TYPE=1,DESCRIPTION=" + text + "\x11NAME=Zweiter,TYPE=2");
      RecordNode* node = data.structure.append(i % 20 == 1 ? section : chapter, std::move(item));
      if (i % 20 == 1) chapter = node;
    }
  }
  RenumberItems(data);
  return BuildWorkFileXml(data);
}

void BM_DeleteAndUndoLargestSubtree(benchmark::State& state) {
  const std::string xml = SampleXml();
  for (auto _ : state) {
    const std::size_t empty = HeapInUse();
    auto data = std::make_unique<WorkFileData>();
    ResetWorkFileData(*data, {[] { return std::string(); }, [] { return LocalDateTime{}; }});
    ParseWorkFileXml(*data, xml, {});
    RenumberItems(*data);
    const std::size_t loaded = HeapInUse();
    WorkFileEditor editor(*data);
    std::size_t peak = 0;
    for (int round = 0; round < 10; ++round) {
      editor.execute(edits::DeleteItem(*data->structure.root().child(0)));
      peak = std::max(peak, HeapInUse());
      editor.undo();
    }
    const std::size_t after = HeapInUse();
    const double file = double(loaded - empty), history = double(after - loaded), top = double(peak - loaded);
    state.counters["file_MB"] = file / 1e6;
    state.counters["history_MB"] = history / 1e6;
    state.counters["peak_MB"] = top / 1e6;
    state.counters["history_to_file"] = history / file;
    if (history >= 2 * file) state.SkipWithError("the history holds more than twice the file's memory");
  }
}
BENCHMARK(BM_DeleteAndUndoLargestSubtree)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
