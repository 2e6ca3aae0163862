// orvela-wp-cli findings over many work files into a SQLite database: 1,000 generated work
// files of about 1 MB each (330 items with three findings each), in ten folders. The peak
// memory of each run is reported, so that 100 and 1,000 files can be compared.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/FindingsCommand.h"
#include "BenchProse.h"
#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"
#include "storage/WorkFileStorage.h"

namespace {

using namespace orvela;
namespace fs = std::filesystem;

constexpr int kFiles = 1000;
constexpr int kItemsPerFile = 330;

using bench::Prose;

void Fill(WorkFileData& data, int audit) {
  ResetWorkFileData(data, {[] { return std::string("BENCH/pruefer"); }, [] { return LocalDateTime{2026, 3, 2}; }});
  data.generalDefs = FieldList({"ITEM=Pr\xFC" "fungsnummer", "VALUE=IR-" + std::to_string(audit)}).commaText();
  RecordNode* chapter = nullptr;
  for (int i = 0; i < kItemsPerFile; ++i) {
    FieldList item = NewStructureItemRecord(data.lastItemId);
    item.setValue(key::NAME, Prose(50, i + audit));
    item.setValue(key::RISK, "2 - mittel");
    item.setValue(key::OU_X, "\"E - Einkauf\",\"V - Vertrieb\"");
    item.setValue(key::WORKSTATE, i % 3 ? "uncompleted" : "completed");
    item.setValue(key::DESCRIPTION, Prose(400, i));
    item.setValue(key::RESULT, Prose(200, i + 7));
    std::vector<FieldList> findings;
    for (int f = 0; f < 3; ++f) {
      FieldList finding = NewPanelFindingRecord();
      finding.setValue(key::TYPE, std::to_string(f));
      finding.setValue(key::RISK, "2 - mittel");
      finding.setValue(key::OU, "\"E - Einkauf\"");
      finding.setValue(key::DESCRIPTION, Prose(420, i + f + audit));
      finding.setValue(key::DEADLINE, std::to_string(1 + (i + f) % 28) + ".0" + std::to_string(1 + audit % 9) + ".2027");
      findings.push_back(std::move(finding));
    }
    item.setValue(key::FINDINGS, ListToText(findings));
    RecordNode* node = data.structure.append(i % 30 == 0 ? nullptr : chapter, std::move(item));
    if (i % 30 == 0) chapter = node;
  }
}

// The generated files, written once per run of the program and removed at its end.
struct Portfolio {
  fs::path root;
  std::uintmax_t bytes = 0;
  Portfolio() {
    std::string pattern = (fs::temp_directory_path() / "orvela-portfolio-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    root = pattern;
    for (int i = 0; i < kFiles; ++i) {
      const fs::path folder = root / ("jahr-" + std::to_string(2000 + i % 10));
      fs::create_directories(folder);
      WorkFileData data;
      Fill(data, i);
      const fs::path file = folder / ("pruefung-" + std::to_string(1000 + i) + ".owp");
      WriteWorkFile(data, file.string());
      bytes += fs::file_size(file);
    }
  }
  ~Portfolio() { fs::remove_all(root); }
  // The first `count` files, by path.
  std::vector<std::string> files(int count) const {
    std::vector<std::string> all;
    for (const auto& e : fs::recursive_directory_iterator(root))
      if (e.is_regular_file() && e.path().extension() == ".owp") all.push_back(e.path().string());
    std::sort(all.begin(), all.end());
    all.resize(std::size_t(count));
    return all;
  }
};

const Portfolio& Files() {
  static Portfolio portfolio;
  return portfolio;
}

// Kilobytes of the process's peak resident memory since the last reset.
long PeakKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with("VmHWM:")) return std::stol(line.substr(6));
  return -1;
}
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// Seconds of processor time of the whole process, every thread included: on a loaded
// machine the wall time says little, this says what the work costs.
double ProcessSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void BM_FindingsToSqlite(benchmark::State& state) {
  const Portfolio& portfolio = Files();
  cli::FindingsOptions options;
  options.paths = portfolio.files(int(state.range(0)));
  options.output = (portfolio.root / "portfolio.sqlite").string();
  options.format = "sqlite";
  long peak = 0;
  double processSeconds = 0;
  for (auto _ : state) {
    ResetPeak();
    const double before = ProcessSeconds();
    std::ostringstream out, err;
    if (cli::RunFindings(options, out, err) != 0) state.SkipWithError(err.str().c_str());
    processSeconds = ProcessSeconds() - before;
    peak = PeakKilobytes();
  }
  state.counters["process_cpu_s"] = processSeconds;
  state.counters["files"] = double(options.paths.size());
  state.counters["MB_read"] = double(portfolio.bytes) / kFiles * double(options.paths.size()) / 1e6;
  state.counters["peak_MB"] = double(peak) / 1024;
  state.counters["db_MB"] = double(fs::file_size(options.output)) / 1e6;
}
BENCHMARK(BM_FindingsToSqlite)->Arg(100)->Arg(1000)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
