// The structure tab over a work file of 20,000 items: building the page over the data and
// painting the whole tree page by page. The model is a view of the data, so both should
// grow with the rows shown, not with the items behind them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>
#include <QScrollBar>
#include <memory>

#include "model/DelimitedText.h"
#include "model/WorkFileData.h"
#include "model/srcGlobalDef.h"
#include "platform/Services.h"
#include "workfile/StructureModel.h"
#include "workfile/StructurePage.h"
#include "workfile/StructureTreeView.h"

using namespace orvela;

namespace {

class BenchContext final : public WorkFileContext {
 public:
  WorkFileData& data() override { return data_; }
  WorkFileEditor& editor() override { return editor_; }
  QWidget* window() override { return nullptr; }
  platform::Services& services() override { return services_; }
  QPrinter& printer() override {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    return *printer_;
  }
  WorkFileData data_;
  WorkFileEditor editor_{data_};
  platform::Services services_;  // nothing here asks the user anything
  std::unique_ptr<QPrinter> printer_;  // nor prints
};

// 20 top-level items, 10 sub-items each, 99 leaves under each sub-item: 20,020 items,
// every branch open; four risk definitions, each named by a fifth of the leaves.
void Fill(WorkFileData& data) {
  const char* risks[] = {"1 - gering", "2 - mittel", "3 - hoch", "4 - sehr hoch"};
  std::vector<FieldList> riskDefs;
  for (const char* risk : risks) {
    const std::string text(risk);
    riskDefs.push_back(FieldList({"ITEM=" + text.substr(0, 1), "VALUE=" + text.substr(4)}));
  }
  data.riskDefs = ListToText(riskDefs);
  for (int t = 0; t < 20; ++t) {
    RecordNode* top = data.structure.append(nullptr, NewStructureItemRecord(data.lastItemId));
    top->expanded = true;
    for (int s = 0; s < 10; ++s) {
      RecordNode* sub = data.structure.append(top, NewStructureItemRecord(data.lastItemId));
      sub->expanded = true;
      for (int l = 0; l < 99; ++l) {
        FieldList leaf = NewStructureItemRecord(data.lastItemId);
        if (l % 3 == 0) leaf.setValue(key::WORKSTATE, kWorkStateCompleted);
        if (l % 5 == 0) leaf.setValue(key::FINDINGS, "NAME=Mangel");
        if (l % 5 != 4) leaf.setValue(key::RISK, risks[l % 5]);
        data.structure.append(sub, std::move(leaf));
      }
    }
  }
  RenumberItems(data);
}

// Scrolls from top to bottom a page at a time and paints each page.
std::int64_t PaintAllPages(StructurePage& page) {
  QTreeView* tree = page.tree();
  QScrollBar* bar = tree->verticalScrollBar();
  std::int64_t pages = 0;
  for (int v = 0;; v += bar->pageStep()) {
    bar->setValue(v);
    tree->viewport()->repaint();
    ++pages;
    if (v >= bar->maximum()) break;
  }
  return pages;
}

void BM_BuildPage(benchmark::State& state) {
  BenchContext context;
  Fill(context.data_);
  for (auto _ : state) {
    auto page = std::make_unique<StructurePage>(context);
    page->resize(900, 600);
    page->reloadFromData();
    page->show();
    page->tree()->viewport()->repaint();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(page.get());
    state.PauseTiming();
    page.reset();
    state.ResumeTiming();
  }
  state.counters["items"] = double(context.data_.structure.count());
}

void BM_ScrollWholeTree(benchmark::State& state) {
  BenchContext context;
  Fill(context.data_);
  StructurePage page(context);
  page.resize(900, 600);
  page.reloadFromData();
  page.show();
  QCoreApplication::processEvents();
  // With the arg set, the marking filter and the outline numbers are on while painting.
  if (state.range(0)) {
    page.model()->setFilter(FilterKind::Mark, FilterCriterion::WithFindings);
    page.model()->setShowOutline(true);
  }
  std::int64_t pages = 0;
  for (auto _ : state) pages += PaintAllPages(page);
  state.counters["pages"] = benchmark::Counter(double(pages), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(context.data_.structure.count()));
}

}  // namespace

BENCHMARK(BM_BuildPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScrollWholeTree)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
