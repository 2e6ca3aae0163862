#include "cli/StatsCommand.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>
#include <ostream>

#include "cli/PortfolioReader.h"
#include "model/Cp1252.h"
#include "model/DelimitedText.h"
#include "model/srcGlobalDef.h"

namespace orvela::cli {
namespace {

// The work states and types always listed, in this order, also when none has them.
const std::string kWorkStates[] = {std::string(kWorkStateUndefined), std::string(kWorkStateUncompleted),
                                   std::string(kWorkStateCompleted)};
const std::string kTypes[] = {"0", "1", "2"};

struct Line {
  int indent;
  std::string label;  // UTF-8
  std::size_t count;
};

// Characters, not bytes, so that umlauts keep the columns straight.
std::size_t Width(const std::string& utf8) {
  std::size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string Quoted(const std::string& cp1252) { return "\"" + Cp1252ToUtf8(cp1252) + "\""; }

void AddGroup(std::vector<Line>& lines, const FileStats::Counts& counts,
              const std::function<std::string(const std::string&)>& labelOf) {
  for (const auto& entry : counts) lines.push_back({4, labelOf(entry.first), entry.second});
}

nlohmann::ordered_json CountsJson(const FileStats::Counts& counts) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  for (const auto& entry : counts) object[Cp1252ToUtf8(entry.first)] = entry.second;
  return object;
}

void Count(FileStats::Counts& counts, const std::string& value) {
  for (auto& entry : counts) {
    if (entry.first == value) {
      ++entry.second;
      return;
    }
  }
  counts.emplace_back(value, 1);
}

}  // namespace

FileStats StatsOf(const std::string& file, const WorkFileData& data) {
  FileStats stats;
  stats.file = file;
  for (const std::string& state : kWorkStates) stats.byWorkState.emplace_back(state, 0);
  for (const std::string& type : kTypes) stats.byType.emplace_back(type, 0);
  data.structure.forEach([&stats](const RecordNode& item) {
    ++stats.items;
    Count(stats.byWorkState, item.record.value(key::WORKSTATE));
    const std::string findings = item.record.value(key::FINDINGS);
    if (findings.empty()) return;
    for (const std::string& entry : SplitListText(findings)) {
      const FieldList finding = FieldList::fromCommaText(entry);
      ++stats.findings;
      Count(stats.byRisk, finding.value(key::RISK));
      const std::string type = finding.value(key::TYPE);
      Count(stats.byType, type.empty() ? "0" : type);
    }
  });
  stats.documents = data.documents.count();
  return stats;
}

std::string StatsText(const FileStats& stats) {
  std::vector<Line> lines{{2, "Elemente", stats.items}};
  AddGroup(lines, stats.byWorkState, [](const std::string& state) {
    const std::string shown = WorkStateDisplayText(state);
    if (!shown.empty()) return Cp1252ToUtf8(shown);
    return state.empty() ? std::string("ohne Arbeitsstand") : "Arbeitsstand " + Quoted(state);
  });
  lines.push_back({2, "Feststellungen", stats.findings});
  AddGroup(lines, stats.byRisk, [](const std::string& risk) {
    return risk.empty() ? std::string("ohne Risiko") : "Risiko " + Quoted(risk);
  });
  AddGroup(lines, stats.byType, [](const std::string& type) {
    const std::string shown = FindingTypeDisplayText(type);
    return shown.empty() ? "Typ " + Quoted(type) : "Typ " + Cp1252ToUtf8(shown);
  });
  lines.push_back({2, "Dokumente", stats.documents});

  std::size_t labelWidth = 0, countWidth = 0;
  for (const Line& l : lines) {
    labelWidth = std::max(labelWidth, l.indent + Width(l.label));
    countWidth = std::max(countWidth, std::to_string(l.count).size());
  }
  std::string text = stats.file + "\n";
  for (const Line& l : lines) {
    const std::string count = std::to_string(l.count);
    text += std::string(std::size_t(l.indent), ' ') + l.label;
    text += std::string(labelWidth - l.indent - Width(l.label) + 2 + countWidth - count.size(), ' ') + count + "\n";
  }
  return text;
}

int RunStats(const StatsOptions& options, std::ostream& out, std::ostream& err) {
  bool skipped = false;
  const std::vector<std::string> files = CollectWorkFiles(options.paths, err, skipped);
  nlohmann::ordered_json all = nlohmann::ordered_json::array();
  bool first = true;
  skipped |= ReadWorkFilesInOrder<FileStats>(
      files, PortfolioReadOptions{!options.noCheck, 0}, StatsOf,
      [&](FileStats& stats) {
        if (!options.json) {
          out << (first ? "" : "\n") << StatsText(stats);
          first = false;
          return;
        }
        nlohmann::ordered_json file = nlohmann::ordered_json::object();
        file["file"] = stats.file;
        file["items"] = {{"total", stats.items}, {"byWorkState", CountsJson(stats.byWorkState)}};
        file["findings"] = {{"total", stats.findings},
                            {"byRisk", CountsJson(stats.byRisk)},
                            {"byType", CountsJson(stats.byType)}};
        file["documents"] = stats.documents;
        all.push_back(std::move(file));
      },
      err);
  if (options.json) out << all.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  out.flush();
  return skipped || !out ? kExitRefused : kExitOk;
}

void RegisterStatsCommand(CLI::App& app, CliContext& context) {
  auto options = std::make_shared<StatsOptions>();
  CLI::App* cmd = app.add_subcommand("stats", "Kennzahlen je Arbeitsdatei: Elemente, Feststellungen, Dokumente");
  cmd->add_option("FILE", options->paths, "Arbeitsdatei oder Ordner (nach *.owp durchsucht)")->required();
  cmd->add_flag("--json", options->json, "Als JSON ausgeben");
  cmd->add_flag("--no-check", options->noCheck, "Integrität der Dateien nicht prüfen");
  cmd->callback([options, &context] { context.exitCode = RunStats(*options, context.out, context.err); });
}

}  // namespace orvela::cli
