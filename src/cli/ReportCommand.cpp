#include "cli/ReportCommand.h"

#include <CLI/CLI.hpp>

#include <ctime>
#include <exception>
#include <memory>
#include <ostream>

#include "cli/LoadForCommand.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportInputBuilder.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {

LocalDateTime SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err,
              const std::function<LocalDateTime()>& now) {
  WorkFileData data;
  if (!LoadForCommand(options.file, data, err)) return kExitRefused;

  const BuiltReportInput built = BuildReportInput(data, now);
  for (const std::string& note : built.notes) err << "orvela-wp-cli: " << note << '\n';

  try {
    const ReportResult report = BuildReportFromFile(options.templatePath, built.input);
    if (!report.ok()) {
      err << "orvela-wp-cli: " << report.warning << '\n';
      return kExitRefused;
    }
    if (options.output.empty()) {
      out << report.text;
      out.flush();
      return out ? kExitOk : kExitRefused;
    }
    WriteFileSafely(options.output, report.text);
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  return kExitOk;
}

void RegisterReportCommand(CLI::App& app, CliContext& context) {
  auto options = std::make_shared<ReportOptions>();
  CLI::App* cmd = app.add_subcommand("report", "Bericht aus einer Berichtsvorlage (RTF) erstellen");
  cmd->add_option("FILE", options->file, "Arbeitsdatei (*.owp)")->required();
  cmd->add_option("TEMPLATE", options->templatePath, "Berichtsvorlage (*.rtf)")->required();
  cmd->add_option("-o,--output", options->output, "RTF-Datei des Berichts (sonst Standardausgabe)");
  cmd->callback([options, &context] { context.exitCode = RunReport(*options, context.out, context.err); });
}

}  // namespace orvela::cli
