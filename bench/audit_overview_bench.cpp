// Counting the overview tab's figures for a work file of 20,000 items with 60,000 findings:
// the tab counts afresh after every change while it is shown, so this is the delay a change
// adds there.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "BenchProse.h"
#include "model/AuditOverview.h"
#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"

namespace {

using namespace orvela;

const char* const kStates[] = {"completed", "uncompleted", "<nicht definiert>"};
const char* const kDeadlines[] = {"31.03.2025", "15.01.2026", "01.01.1900"};

// Areas of 50 items; every item with three findings of mixed risks, types and deadlines.
void Build(WorkFileData& data, int items) {
  data.riskDefs = ListToText({FieldList({"ITEM=1", "VALUE=gering"}), FieldList({"ITEM=2", "VALUE=mittel"}),
                              FieldList({"ITEM=3", "VALUE=hoch"})});
  RecordNode* area = nullptr;
  for (int i = 0; i < items; ++i) {
    FieldList item = NewStructureItemRecord(data.lastItemId);
    item.setValue(key::NAME, bench::Prose(50, unsigned(i)));
    item.setValue(key::WORKSTATE, kStates[i % 3]);
    std::vector<FieldList> findings;
    for (int f = 0; f < 3; ++f) {
      FieldList finding = NewPanelFindingRecord();
      finding.setValue(key::TYPE, std::to_string((i + f) % 3));
      finding.setValue(key::RISK, std::to_string((i + f) % 3 + 1) + " - MITTEL");
      finding.setValue(key::DESCRIPTION, bench::Prose(380, unsigned(i + f)));
      finding.setValue(key::DEADLINE, kDeadlines[(i + f) % 3]);
      findings.push_back(std::move(finding));
    }
    item.setValue(key::FINDINGS, ListToText(findings));
    RecordNode* node = data.structure.append(i % 50 == 0 ? nullptr : area, std::move(item));
    if (i % 50 == 0) area = node;
  }
}

void BM_CountAuditOverview(benchmark::State& state) {
  WorkFileData data;
  Build(data, int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(CountAuditOverview(data, CalendarDate{2026, 1, 1}));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_CountAuditOverview)->Arg(20000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
