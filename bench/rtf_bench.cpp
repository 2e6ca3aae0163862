// Reading and writing RTF grow linearly with the document: 10 MB, 20 MB and 40 MB.
#include <benchmark/benchmark.h>

#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

namespace {

using namespace orvela::rtf;

// A document of about `megabytes` MB of RTF: formatted paragraphs, bullets, umlauts,
// characters beyond Windows-1252, and a table every fifty paragraphs.
Document MakeDocument(int megabytes) {
  Document d;
  CharFormat plain;
  plain.font = "Arial";
  plain.halfPoints = 20;
  CharFormat bold = plain;
  bold.bold = true;
  bold.color = Color{200, 0, 0};
  const std::size_t target = static_cast<std::size_t>(megabytes) << 20;
  std::size_t size = 0;
  for (int i = 0; size < target; ++i) {
    Paragraph p;
    p.format.alignment = static_cast<Alignment>(i % 4);
    if (i % 7 == 0) p.format.list = ListStyle::Bullet;
    p.runs.push_back(Run{"Prüfungsfeststellung " + std::to_string(i) + ": ", bold, std::nullopt});
    p.runs.push_back(Run{"Die Belege {Nr. \\" + std::to_string(i) + "} über 1.000 € wurden geprüft; Ж ok.",
                         plain, std::nullopt});
    size += 200;
    d.blocks.push_back(Block{std::move(p)});
    if (i % 50 == 49) {
      Table t;
      for (int r = 0; r < 3; ++r) {
        Row row;
        for (int c = 0; c < 3; ++c) {
          row.cells.push_back(Cell{1500, {Block{Paragraph{{}, {Run{"Zelle", plain, std::nullopt}}}}}});
        }
        t.rows.push_back(std::move(row));
      }
      size += 800;
      d.blocks.push_back(Block{std::move(t)});
    }
  }
  return d;
}

constexpr int kBaseMegabytes = 10;

void BM_ReadRtf(benchmark::State& state) {
  const std::string rtf = WriteRtf(MakeDocument(kBaseMegabytes * static_cast<int>(state.range(0))));
  for (auto _ : state) {
    Document d = ReadRtf(rtf);
    benchmark::DoNotOptimize(d);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(rtf.size()));
  state.counters["MB"] = static_cast<double>(rtf.size()) / (1 << 20);
}

void BM_WriteRtf(benchmark::State& state) {
  const Document d = MakeDocument(kBaseMegabytes * static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string rtf = WriteRtf(d);
    bytes = rtf.size();
    benchmark::DoNotOptimize(rtf);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  state.counters["MB"] = static_cast<double>(bytes) / (1 << 20);
}

void BM_PlainText(benchmark::State& state) {
  const Document d = MakeDocument(kBaseMegabytes * static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::string text = PlainTextCp1252(d);
    benchmark::DoNotOptimize(text);
  }
}

BENCHMARK(BM_ReadRtf)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteRtf)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainText)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
