#include "cli/ExportCommand.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <memory>
#include <ostream>

#include "cli/JsonForm.h"
#include "cli/LoadForCommand.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {

int RunExport(const ExportOptions& options, std::ostream& out, std::ostream& err) {
  try {
    // A missing file is left to loading, which says that it cannot be read.
    std::error_code ec;
    if (options.check && std::filesystem::exists(options.file, ec) && !CheckFileIntegrity(options.file)) {
      err << "orvela-wp-cli: Die Datei " << options.file << " ist beschädigt!\n";
      return kExitRefused;
    }
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }

  WorkFileData data;
  if (!LoadForCommand(options.file, data, err)) return kExitRefused;

  const std::string json = WorkFileToJson(data);
  if (options.output.empty()) {
    out << json;
    return out ? kExitOk : kExitRefused;
  }
  try {
    WriteFileSafely(options.output, json);
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  return kExitOk;
}

void RegisterExportCommand(CLI::App& app, CliContext& context) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* cmd = app.add_subcommand("export", "Arbeitsdatei als JSON ausgeben");
  cmd->add_option("FILE", options->file, "Arbeitsdatei (*.owp)")->required();
  cmd->add_option("-o,--output", options->output, "JSON-Datei (sonst Standardausgabe)");
  cmd->add_flag("--check", options->check, "Erst die Integrität der Datei prüfen");
  cmd->callback([options, &context] { context.exitCode = RunExport(*options, context.out, context.err); });
}

}  // namespace orvela::cli
