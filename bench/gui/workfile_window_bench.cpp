// A large work file in the program's window: opening it from disk to a shown, painted
// window (integrity test, reading, renumbering, the tabs filled), saving it from the
// window, and the memory the process needs for it against the file's size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "../BenchWorkFile.h"
#include "app/srcMain.h"
#include "model/Edits.h"
#include "platform/Services.h"
#include "storage/WorkFileStorage.h"
#include "workfile/srcWorkfile.h"

using namespace orvela;

namespace {

// A line of /proc/self/status in MB ("VmHWM", "VmRSS").
double StatusMB(const std::string& key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1)) / 1024.0;
  return 0;
}

// The peak so far is forgotten: from here on VmHWM is the peak of what follows.
void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The file on disk and a frame to open it in, made once; the data that wrote the file is
// gone before anything is measured.
struct Program {
  QTemporaryDir folder;
  QString path = folder.filePath(QStringLiteral("gross.owp"));
  double fileMB = 0;
  platform::Services services;
  std::unique_ptr<TfrmMain> frame;

  Program() {
    qputenv("XDG_CONFIG_HOME", folder.filePath(QStringLiteral("config")).toLocal8Bit());
    {
      WorkFileData data;
      bench::Fill(data, 1);
      WriteWorkFile(data, path.toStdString());
    }
    fileMB = double(QFileInfo(path).size()) / 1e6;
    frame = std::make_unique<TfrmMain>(services);
    frame->setStampSource(bench::Stamps());
    frame->resize(1000, 700);
    frame->show();
    QCoreApplication::processEvents();
  }

  TfrmWorkFile* open() {
    frame->OpenFromCommandLine(path);
    TfrmWorkFile* w = frame->activeWorkFile();
    if (w) w->repaint();
    QCoreApplication::processEvents();
    return w;
  }
  void closeAll() {
    for (TfrmWorkFile* w : frame->workFileWindows()) w->closeWithoutQuestion();
    QCoreApplication::processEvents();
  }
};

Program& TheProgram() {
  static Program program;
  return program;
}

void Report(benchmark::State& state, const Program& p, double baseMB) {
  const double peak = StatusMB("VmHWM");
  state.counters["file_MB"] = p.fileMB;
  state.counters["base_MB"] = baseMB;
  state.counters["peak_MB"] = peak;
  state.counters["peak_per_file"] = peak / p.fileMB;
}

void BM_OpenWindow(benchmark::State& state) {
  Program& p = TheProgram();
  const double base = StatusMB("VmRSS");
  ResetPeak();
  for (auto _ : state) {
    if (!p.open()) state.SkipWithError("not opened");
    state.PauseTiming();
    p.closeAll();
    state.ResumeTiming();
  }
  Report(state, p, base);
}

void BM_SaveWindow(benchmark::State& state) {
  Program& p = TheProgram();
  const double base = StatusMB("VmRSS");
  ResetPeak();
  TfrmWorkFile* w = p.open();
  if (!w) {
    state.SkipWithError("not opened");
    return;
  }
  int round = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RecordNode* item = w->data().structure.root().child(0);
    FieldList record = item->record;
    record.setValue(key::NAME, "Runde " + std::to_string(++round));
    w->editor().execute(edits::SetItemRecord(*item, record, "Umbenennen"));
    state.ResumeTiming();
    w->acFileSave();
    if (w->isModified()) state.SkipWithError("not saved");
  }
  Report(state, p, base);
  p.closeAll();
}

BENCHMARK(BM_OpenWindow)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWindow)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
