#include "cli/FindingsCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>

#include "model/TextUtils.h"

namespace orvela::cli {

FindingsFormat ChooseFindingsFormat(const std::string& format, const std::string& output) {
  if (format == "csv") return FindingsFormat::ToolCsv;
  if (format == "json") return FindingsFormat::Json;
  if (format == "sqlite") return FindingsFormat::Sqlite;
  const std::string extension = std::filesystem::path(output).extension().string();
  if (EqualsNoCase(extension, ".json")) return FindingsFormat::Json;
  for (const char* database : {".sqlite", ".sqlite3", ".db"})
    if (EqualsNoCase(extension, database)) return FindingsFormat::Sqlite;
  return FindingsFormat::SpreadsheetCsv;
}

int RunFindings(const FindingsOptions& options, std::ostream& /*out*/, std::ostream& err) {
  bool skipped = false;
  const std::vector<std::string> files = CollectWorkFiles(options.paths, err, skipped);
  try {
    const std::unique_ptr<FindingsOutput> output =
        MakeTextOutput(ChooseFindingsFormat(options.format, options.output), options.output);
    const bool withItems = output->wantsItems();
    const PortfolioReadOptions read{!options.noCheck, options.threads};
    skipped |= ReadWorkFilesInOrder<PortfolioFile>(
        files, read,
        [withItems](const std::string& file, const WorkFileData& data) {
          return PortfolioRowsOf(file, data, withItems);
        },
        [&output](PortfolioFile& rows) { output->add(rows); }, err);
    output->finish();
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  return skipped ? kExitRefused : kExitOk;
}

void RegisterFindingsCommand(CLI::App& app, CliContext& context) {
  auto options = std::make_shared<FindingsOptions>();
  CLI::App* cmd = app.add_subcommand("findings", "Alle Feststellungen mehrerer Arbeitsdateien als Tabelle ausgeben");
  cmd->add_option("PATH", options->paths, "Arbeitsdatei oder Ordner (nach *.owp durchsucht)")->required();
  cmd->add_option("-o,--output", options->output, "Ausgabedatei")->required();
  cmd->add_option("--format", options->format,
                  "csv (Komma, ohne BOM), json oder sqlite; ohne Angabe nach der Endung der Ausgabedatei, "
                  "sonst CSV für Tabellenkalkulationen (Semikolon, UTF-8 mit BOM)")
      ->check(CLI::IsMember({"csv", "json", "sqlite"}));
  cmd->add_flag("--no-check", options->noCheck, "Integrität der Dateien nicht prüfen");
  cmd->add_option("-j,--jobs", options->threads, "Dateien gleichzeitig lesen (Standard: Anzahl der Prozessorkerne)")
      ->check(CLI::Range(1u, 64u));
  cmd->callback([options, &context] { context.exitCode = RunFindings(*options, context.out, context.err); });
}

}  // namespace orvela::cli
