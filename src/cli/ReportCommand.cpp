#include "cli/ReportCommand.h"

#include <CLI/CLI.hpp>

#include <ctime>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

#include "cli/LoadForCommand.h"
#include "model/Cp1252.h"
#include "reports/engine/ReportEngine.h"
#include "rtf/PlainText.h"
#include "rtf/RtfReader.h"
#include "rtf/Utf8.h"
#include "storage/WorkFileStorage.h"

namespace orvela::cli {

namespace {

// UTF-8 as report text. A character Windows-1252 cannot hold is shown as "?" and
// `replaced` is set, so that the caller can say so.
std::string ToCp1252(std::string_view utf8, bool& replaced) {
  std::string out;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<unsigned char> byte = UnicodeToCp1252(rtf::NextUtf8(utf8, pos));
    out += byte ? static_cast<char>(*byte) : '?';
    replaced = replaced || !byte;
  }
  return out;
}

// The description as the description editor shows it: an RTF text as its plain text, any
// other text as it stands.
std::string DescriptionText(const std::string& description, bool& replaced) {
  if (!rtf::IsRtf(description)) return description;
  return ToCp1252(rtf::PlainText(rtf::ReadRtf(description)), replaced);
}

}  // namespace

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

  ReportInput input = ReportInputOf(data);
  const std::string absolute = std::filesystem::absolute(options.file).lexically_normal().string();
  bool pathReplaced = false;
  input.fileName = ToCp1252(absolute, pathReplaced);
  if (pathReplaced) {
    err << "orvela-wp-cli: Der Pfad " << absolute
        << " enthält Zeichen, die Windows-1252 nicht kennt; sie erscheinen im Bericht als \"?\".\n";
  }
  bool descriptionReplaced = false;
  input.description = DescriptionText(data.description, descriptionReplaced);
  if (descriptionReplaced) {
    err << "orvela-wp-cli: Die Projektbeschreibung enthält Zeichen, die Windows-1252 nicht kennt; "
           "sie erscheinen im Bericht als \"?\".\n";
  }
  input.currentDate = ShortDateText(now());
  input.currentTime = LongTimeText(now());  // the clock is read again, as the window does

  try {
    const ReportResult report = BuildReportFromFile(options.templatePath, input);
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
