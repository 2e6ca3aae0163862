#pragma once
// report FILE TEMPLATE [-o OUT]: fills a report template with a work file, as the reports
// tab does; /VAR:FILENAME/ is the absolute path of FILE.
#include <functional>
#include <iosfwd>
#include <string>

#include "cli/CliApp.h"
#include "model/WorkFileData.h"

namespace orvela::cli {

// Writes the report RTF as a PDF file; false with `error` set when that fails.
using PdfWriter = std::function<bool(const std::string& reportRtf, const std::string& path, const LocalDateTime& now,
                                     std::string& error)>;

struct ReportOptions {
  std::string file;
  std::string templatePath;
  std::string output;   // empty: standard output; ending in ".pdf": a PDF file
  PdfWriter writePdf{};  // none: this build writes no PDF
};

// The local date and time of the system clock, or of SOURCE_DATE_EPOCH (seconds since
// 1970) when that is set, for reports made again with the same dates.
LocalDateTime SystemLocalTime();

int RunReport(const ReportOptions& options, std::ostream& out, std::ostream& err,
              const std::function<LocalDateTime()>& now = SystemLocalTime);
void RegisterReportCommand(CLI::App& app, CliContext& context);
void RegisterReportCommand(CLI::App& app, CliContext& context, PdfWriter writePdf);

}  // namespace orvela::cli
