#include "cli/ReportCommand.h"

#include <CLI/CLI.hpp>

#include <cctype>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <memory>
#include <ostream>

#include "cli/LoadForCommand.h"
#include "reports/engine/ReportEngine.h"
#include "reports/engine/ReportInputBuilder.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {

namespace {

bool EndsWithPdf(const std::string& path) {
  if (path.size() < 4) return false;
  std::string end = path.substr(path.size() - 4);
  for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return end == ".pdf";
}

}  // namespace

LocalDateTime SystemLocalTime() {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    char* end = nullptr;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (end != epoch && *end == '\0' && seconds >= 0) now = static_cast<std::time_t>(seconds);
  }
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
    if (EndsWithPdf(options.output)) {
      if (!options.writePdf) {
        err << "orvela-wp-cli: PDF-Dateien schreibt dieses Programm nicht; bitte als .rtf speichern.\n";
        return kExitRefused;
      }
      std::string error;
      if (!options.writePdf(report.text, options.output, now(), error)) {
        err << "orvela-wp-cli: Die Datei " << options.output << " konnte nicht geschrieben werden: " << error << '\n';
        return kExitRefused;
      }
      return kExitOk;
    }
    WriteFileSafely(options.output, report.text);
  } catch (const std::exception& e) {
    err << "orvela-wp-cli: " << e.what() << '\n';
    return kExitRefused;
  }
  return kExitOk;
}

void RegisterReportCommand(CLI::App& app, CliContext& context) { RegisterReportCommand(app, context, nullptr); }

void RegisterReportCommand(CLI::App& app, CliContext& context, PdfWriter writePdf) {
  auto options = std::make_shared<ReportOptions>();
  options->writePdf = std::move(writePdf);
  CLI::App* cmd = app.add_subcommand("report", "Bericht aus einer Berichtsvorlage (RTF) erstellen");
  cmd->add_option("FILE", options->file, "Arbeitsdatei (*.owp)")->required();
  cmd->add_option("TEMPLATE", options->templatePath, "Berichtsvorlage (*.rtf)")->required();
  cmd->add_option("-o,--output", options->output, "Datei des Berichts: RTF, oder PDF bei der Endung .pdf (sonst RTF auf die Standardausgabe)");
  cmd->callback([options, &context] { context.exitCode = RunReport(*options, context.out, context.err); });
}

}  // namespace orvela::cli
