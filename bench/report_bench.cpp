// Report engine on large work files: a one-page findings table and an item list.
// The engine's time grows with the output; the literal replacement order, which rescans
// all rows made so far for every new row, grows with its square.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "../tests/reports/PlainReportEngine.h"
#include "model/DelimitedText.h"
#include "model/FieldList.h"
#include "model/RecordTree.h"
#include "reports/engine/FindingsOverview.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportSources.h"

namespace {

using namespace orvela;

const std::string kTemplate =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\paperw11906\\paperh16838\\margl1134\\margr1134\n"
    "{\\b Feststellungen zu /VAR:FILENAME/}\\par\n"
    "Erstellt von /VAR:USER-CREATED/ am /VAR:DATE-CREATED/, Stand /VAR:CURRENT-DATE/ /VAR:CURRENT-TIME/\\par\n"
    "/SCAN(FINDINGS)/\\par\n"
    "\\trowd\\trgaph70\\cellx600\\cellx1400\\cellx3600\\cellx4800\\cellx6000\\cellx7200\\cellx8000\\cellx9000"
    "\\cellx9600\n"
    "\\intbl /VAR:FINDINGS:NUM/\\cell /VAR:FINDINGS:ID/\\cell /VAR:FINDINGS:NAME/\\cell /VAR:FINDINGS:TYPE/\\cell "
    "/VAR:FINDINGS:RISK/\\cell /VAR:FINDINGS:OU/\\cell /VAR:FINDINGS:EVIDENCE/\\cell /VAR:FINDINGS:DEADLINE/\\cell "
    "/VAR:FINDINGS:DESCRIPTION/\\cell\\row\n"
    "/ENDSCAN(FINDINGS)/\\pard\\par\n"
    "{\\b Pr\xFC" "fungsstruktur}\\par\n"
    "/SCAN(STRUCTURE)/\\par\n"
    "/VAR:STRUCTURE:LEVEL/ /VAR:STRUCTURE:NAME/ (/VAR:STRUCTURE:WORKSTATE/, /VAR:STRUCTURE:RISK/)\\par\n"
    "/ENDSCAN(STRUCTURE)/}\n";

// `findings` findings on twice as many items: 100 items per top-level item, one finding
// on every second item.
struct LargeWorkFile {
  RecordTree structure;
  ReportInput input;

  explicit LargeWorkFile(int findings) {
    RecordNode* top = nullptr;
    for (int i = 1; i <= 2 * findings; ++i) {
      FieldList item({"ID=" + std::to_string(i), "NAME=Pr\xFC" "fungsschritt " + std::to_string(i),
                      "RISK=H - hoch", "WORKSTATE=uncompleted", "DESCRIPTION=Beschreibung des Schritts"});
      if (i % 2 == 0) {
        item.setValue("FINDINGS", FieldList({"NAME=Feststellung " + std::to_string(i / 2), "TYPE=2",
                                             "RISK=H - hoch", "OU=\"EK - Einkauf\"", "EVIDENCE=1,2",
                                             "DESCRIPTION=Die Belege {Nr. 4711} fehlen.", "DEADLINE=31.03.2027"})
                                      .commaText());
      }
      if (i % 100 == 1) {
        top = structure.append(nullptr, std::move(item));
      } else {
        structure.append(top, std::move(item));
      }
    }
    input.fileName = "/home/anna/Akten/Pr\xFC" "fung 2026.owp";
    input.createdBy = "PC1/anna";
    input.createdAt = "01.02.2026 09:00:00";
    input.currentDate = "10.12.2026";
    input.currentTime = "12:00:00";
    input.structure = &structure;
  }
};

// A FINDINGS block whose body is slashes only: every "/" could begin a placeholder, none
// ever does.
const std::string kSlashTemplate = "{\\rtf1 /SCAN(FINDINGS)/" + std::string(64, '/') + "/ENDSCAN(FINDINGS)/}";

// Simple placeholders only: no block, so no row of the work file is needed.
const std::string kNoBlockTemplate =
    "{\\rtf1 /VAR:FILENAME/ /VAR:USER-CREATED/ /VAR:DATE-CREATED/ /VAR:CURRENT-DATE/\\par}";

void SetSizes(benchmark::State& state, int findings, std::size_t bytes) {
  state.counters["findings"] = findings;
  state.counters["items"] = 2 * findings;
  state.counters["output_MB"] = static_cast<double>(bytes) / 1e6;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void BM_Engine(benchmark::State& state, const std::string& templateText) {
  const int findings = static_cast<int>(state.range(0));
  const LargeWorkFile work(findings);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string report = BuildReportText(templateText, work.input);
    bytes = report.size();
    benchmark::DoNotOptimize(report.data());
  }
  SetSizes(state, findings, bytes);
}

void BM_LiteralOrder(benchmark::State& state, const std::string& templateText) {
  const int findings = static_cast<int>(state.range(0));
  const LargeWorkFile work(findings);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string report = plain::ExpandTemplate(templateText, CollectReportSources(work.input));
    bytes = report.size();
    benchmark::DoNotOptimize(report.data());
  }
  SetSizes(state, findings, bytes);
}

// The findings overview alone, as the report rebuilds it each time.
void BM_FillFindingsOverview(benchmark::State& state) {
  const LargeWorkFile work(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FillFindingsOverview(work.structure).size());
}

BENCHMARK_CAPTURE(BM_Engine, Table, kTemplate)->Arg(1250)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiteralOrder, Table, kTemplate)
    ->Arg(250)->Arg(500)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Engine, Slashes, kSlashTemplate)
    ->Arg(1250)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiteralOrder, Slashes, kSlashTemplate)
    ->Arg(1250)->Arg(2500)->Arg(5000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Engine, NoBlock, kNoBlockTemplate)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiteralOrder, NoBlock, kNoBlockTemplate)->Arg(10000)->Unit(benchmark::kMillisecond);
// A few rows, where the literal order rescans little: the engine's pieces must not cost more.
BENCHMARK_CAPTURE(BM_Engine, SmallTable, kTemplate)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LiteralOrder, SmallTable, kTemplate)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillFindingsOverview)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
